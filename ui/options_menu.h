// The main window's menu "MÖGLICHKEITEN": check, model, feed, parameters and
// the zoom.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;
class TModel;
class TfPreview;

class OptionsMenu {
 public:
  OptionsMenu(TForm& okno, TKontext& k, TModel& model, TfPreview& preview);
  OptionsMenu(const OptionsMenu&) = delete;
  OptionsMenu& operator=(const OptionsMenu&) = delete;

  TControl mnOPTIONS;
  TControl mnKontrol;
  TControl mnOptionsModel;
  TControl mnOptionsPosun;
  TControl mnParametre;
  TControl mnZoomPlus;
  TControl mnZoomMinus;

  // "Kontrolle": checks the program and opens the listing with its marks, or
  // says that no error was found.
  void mnKontrolClick();
  void mnOptionsModelClick();
  void mnZoomPlusClick();
  void mnZoomMinusClick();

 private:
  void Zoom(int z);

  TForm& okno_;
  TKontext& k_;
  TModel& model_;
  TfPreview& preview_;
};

}  // namespace kvr
