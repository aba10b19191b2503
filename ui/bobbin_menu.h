// The main window's menu "SPULENKÖRPER": choosing and removing the bobbin.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;

class BobbinMenu {
 public:
  BobbinMenu(TForm& okno, TKontext& k);
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

 private:
  TKontext& k_;
};

}  // namespace kvr
