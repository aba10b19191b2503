// The main window's menu "SPULENKÖRPER": choosing, designing, removing and
// aligning the bobbin.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;
class TfKostricka;

class BobbinMenu {
 public:
  BobbinMenu(TForm& okno, TKontext& k, TfKostricka& editor);
  BobbinMenu(const BobbinMenu&) = delete;
  BobbinMenu& operator=(const BobbinMenu&) = delete;

  TControl mnKOSTRICKA;
  TControl mnKostrickaVyber;
  TControl mnKostrickaZrus;
  TControl mnKostrickaNavrh;
  TControl mnKostrickaZarovnaj;

  void Open_Kostricka();
  void mnKostrickaNavrhClick();
  void mnKostrickaZrusClick();
  void mnKostrickaZarovnajClick();

 private:
  TKontext& k_;
  TfKostricka& editor_;
};

}  // namespace kvr
