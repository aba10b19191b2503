// The main window's menu "KONSTANTEN": the constants file commands and the
// nine step templates.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;
class TParam;

class TemplatesMenu {
 public:
  TemplatesMenu(TForm& okno, TKontext& k, TParam& param);
  TemplatesMenu(const TemplatesMenu&) = delete;
  TemplatesMenu& operator=(const TemplatesMenu&) = delete;

  TControl mnKONSTANTY;
  TControl mkOtvor;
  TControl mkUloz;
  TControl mkDEFZAV;
  TControl mkDefZav2;
  TControl mkVrstvaZavity;
  TControl mkVrstvaPosuv;
  TControl mkVrstvaStop;
  TControl mkOLEP;
  TControl mkPRESUN;
  TControl mkSKOK;
  TControl mkDelay;

  void Open_Konstanty();
  void mkUlozClick();
  // The nine templates, each edited in the step dialog.
  void mkDEFZAVClick();
  void mkDefZav2Click();
  void mkVrstvaZavityClick();
  void mkVrstvaPosuvClick();
  void mkVrstvaStopClick();
  void mkOLEPClick();
  void mkPRESUNClick();
  void mkSKOKClick();
  void mkDelayClick();

 private:
  // Opens template `sablona` in mode 30 + sablona; the link is told of
  // step AktKrok afterwards when `posli`.
  void Sablona(int sablona, bool posli);

  TKontext& k_;
  TParam& param_;
};

}  // namespace kvr
