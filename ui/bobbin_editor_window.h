// The bobbin editor: a working copy of the current bobbin, ten chambers at a
// time, its description on the station's only line of typed text, bobbin
// files opened and saved, and the result handed to the current bobbin by DRAW.
#pragma once
#include <array>

#include "form/form.h"

namespace kvr {

struct TKontext;
struct TKostricka;
class TVstup;

class TfKostricka : public TForm {
 public:
  TfKostricka(TKontext& k, TVstup& vstup);

  // Opens the editor modally, with the on-screen keyboard for the description;
  // on OK the working copy becomes the current bobbin and the coil is drawn
  // again. The main window's captions are rewritten in every case.
  void Navrhni();

  void FormCreate() override;
  void FormShow() override;

  TControl mnNew{*this, "mnNew", TControlKind::MenuItem, "Neu"};
  TControl mnOPEN{*this, "mnOPEN", TControlKind::MenuItem, "Öffnen"};
  TControl mnSAVE{*this, "mnSAVE", TControlKind::MenuItem, "Speichern"};

  TControl pPopis{*this, "pPopis", TControlKind::Panel, "Beschreibung", {8, 8, 124, 32}};
  TControl ePopis{*this, "ePopis", TControlKind::Edit, "", {136, 10, 388, 28}};
  TControl pKomorka{*this, "pKomorka", TControlKind::Panel, "Kammer", {8, 50, 100, 32}};
  TControl pLavaSur{*this, "pLavaSur", TControlKind::Panel, "L.Wendepunkt", {112, 50, 150, 32}};
  TControl pPravaSur{*this, "pPravaSur", TControlKind::Panel, "R.Wendepunkt", {266, 50, 150, 32}};

#define KVR_RIADOK_KOMORY(j, y)                                                                   \
  TControl pKom##j{*this, "pKom" #j, TControlKind::Panel, #j, {8, y, 100, 32}};                   \
  TControl pL##j{*this, "pL" #j, TControlKind::Panel, "", {112, y, 150, 32}};                      \
  TControl pP##j{*this, "pP" #j, TControlKind::Panel, "", {266, y, 150, 32}};
  KVR_RIADOK_KOMORY(1, 86)
  KVR_RIADOK_KOMORY(2, 122)
  KVR_RIADOK_KOMORY(3, 158)
  KVR_RIADOK_KOMORY(4, 194)
  KVR_RIADOK_KOMORY(5, 230)
  KVR_RIADOK_KOMORY(6, 266)
  KVR_RIADOK_KOMORY(7, 302)
  KVR_RIADOK_KOMORY(8, 338)
  KVR_RIADOK_KOMORY(9, 374)
  KVR_RIADOK_KOMORY(10, 410)
#undef KVR_RIADOK_KOMORY

  TControl pPosun{*this, "pPosun", TControlKind::Panel, "Abstand", {8, 456, 100, 32}};
  TControl pPosunValue{*this, "pPosunValue", TControlKind::Panel, "", {112, 456, 150, 32}};

  TControl rb1_10{*this, "rb1_10", TControlKind::RadioButton, "1 - 10", {428, 86, 96, 32}};
  TControl rb11_20{*this, "rb11_20", TControlKind::RadioButton, "11 - 20", {428, 122, 96, 32}};

  TControl bVykresli{*this, "bVykresli", TControlKind::Button, "DRAW", {8, 504, 164, 52}};
  TControl bOK{*this, "bOK", TControlKind::Button, "Speichern", {184, 504, 164, 52}};
  TControl bCANCEL{*this, "bCANCEL", TControlKind::Button, "ABBRECHEN", {360, 504, 164, 52}};

  // The j-th (0..9) left and right edge panels of the page.
  std::array<TControl*, 10> LavePanely();
  std::array<TControl*, 10> PravePanely();
  // 0 while chambers 1..10 are shown, 10 for 11..20.
  int Strana() const { return strana_; }

  void ZobrazParametre(const TKostricka& kostricka);
  void UlozParametre(TKostricka& kostricka, int o);

  void pLPClick(TControl& panel);
  void pPosunValueClick();
  void rb1_10Click();
  void rb11_20Click();
  void mnNewClick();
  void mnOPENClick();
  void mnSAVEClick();
  void bVykresliClick();
  void bCANCELClick();

 private:
  void VyberStranu(int o);

  TKontext& k_;
  TVstup& vstup_;
  int strana_ = 0;
};

}  // namespace kvr
