// The main window's menu "KONSTANTEN": the constants file commands and the
// nine step templates.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;

class TemplatesMenu {
 public:
  TemplatesMenu(TForm& okno, TKontext& k);
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

 private:
  TKontext& k_;
};

}  // namespace kvr
