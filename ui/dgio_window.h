// The digital inputs/outputs window: for one step, how each of the four
// inputs acts and which levels and delay each of the four outputs gets at the
// step's start and end. Every control keeps its value in its tag; the window
// is refilled from a step before each showing and holds nothing between them.
#pragma once
#include <array>

#include "form/form.h"

namespace kvr {

struct TKontext;
struct TKrok;
class TVstup;

class TfDgIO : public TForm {
 public:
  TfDgIO(TKontext& k, TVstup& vstup);

  void FormCreate() override;
  void FormShow() override;

  TControl gAusgange{*this, "gAusgange", TControlKind::GroupBox, "AUSGÄNGE", {8, 8, 360, 260}};
  TControl lbStart{*this, "lbStart", TControlKind::Label, "START", {84, 22, 80, 20}};
  TControl lbEnde{*this, "lbEnde", TControlKind::Label, "ENDE", {172, 22, 80, 20}};
  TControl lbPause{*this, "lbPause", TControlKind::Label, "PAUSE [ms]", {260, 22, 92, 20}};
  TControl lbOut1{*this, "lbOut1", TControlKind::Label, "OUT_1", {8, 56, 68, 20}};
  TControl lbOut2{*this, "lbOut2", TControlKind::Label, "OUT_2", {8, 108, 68, 20}};
  TControl lbOut3{*this, "lbOut3", TControlKind::Label, "OUT_3", {8, 160, 68, 20}};
  TControl lbOut4{*this, "lbOut4", TControlKind::Label, "OUT_4", {8, 212, 68, 20}};
  TControl bSTART_O1{*this, "bSTART_O1", TControlKind::Button, "L", {84, 44, 80, 44}};
  TControl bSTART_O2{*this, "bSTART_O2", TControlKind::Button, "L", {84, 96, 80, 44}};
  TControl bSTART_O3{*this, "bSTART_O3", TControlKind::Button, "L", {84, 148, 80, 44}};
  TControl bSTART_O4{*this, "bSTART_O4", TControlKind::Button, "L", {84, 200, 80, 44}};
  TControl bEND_O1{*this, "bEND_O1", TControlKind::Button, "L", {172, 44, 80, 44}};
  TControl bEND_O2{*this, "bEND_O2", TControlKind::Button, "L", {172, 96, 80, 44}};
  TControl bEND_O3{*this, "bEND_O3", TControlKind::Button, "L", {172, 148, 80, 44}};
  TControl bEND_O4{*this, "bEND_O4", TControlKind::Button, "L", {172, 200, 80, 44}};
  TControl bDelay_O1{*this, "bDelay_O1", TControlKind::Button, "0", {260, 44, 92, 44}};
  TControl bDelay_O2{*this, "bDelay_O2", TControlKind::Button, "0", {260, 96, 92, 44}};
  TControl bDelay_O3{*this, "bDelay_O3", TControlKind::Button, "0", {260, 148, 92, 44}};
  TControl bDelay_O4{*this, "bDelay_O4", TControlKind::Button, "0", {260, 200, 92, 44}};

  TControl gEingange{*this, "gEingange", TControlKind::GroupBox, " EINGÄNGE ", {376, 8, 276, 260}};
  TControl lbTyp{*this, "lbTyp", TControlKind::Label, "TYP", {84, 22, 180, 20}};
  TControl lbIn1{*this, "lbIn1", TControlKind::Label, "IN_1", {8, 56, 68, 20}};
  TControl lbIn2{*this, "lbIn2", TControlKind::Label, "IN_2", {8, 108, 68, 20}};
  TControl lbIn3{*this, "lbIn3", TControlKind::Label, "IN_3", {8, 160, 68, 20}};
  TControl lbIn4{*this, "lbIn4", TControlKind::Label, "IN_4", {8, 212, 68, 20}};
  TControl ComboBoxIN1{*this, "ComboBoxIN1", TControlKind::ComboBox, "", {84, 50, 180, 32}};
  TControl ComboBoxIN2{*this, "ComboBoxIN2", TControlKind::ComboBox, "", {84, 102, 180, 32}};
  TControl ComboBoxIN3{*this, "ComboBoxIN3", TControlKind::ComboBox, "", {84, 154, 180, 32}};
  TControl ComboBoxIN4{*this, "ComboBoxIN4", TControlKind::ComboBox, "", {84, 206, 180, 32}};

  TControl bDgOK{*this, "bDgOK", TControlKind::Button, "OK", {8, 280, 120, 48}};
  TControl bDgCancel{*this, "bDgCancel", TControlKind::Button, "Cancel", {136, 280, 120, 48}};

  // Fills the window from the step.
  void Zobraz(const TKrok& krok);
  // The window's settings into the step: inputs 1..4, and for outputs 1..4
  // the two levels (other bits cleared) and the delay. Entries 5 and 6 stay.
  void Uloz(TKrok& krok) const;
  // Shows the window on the step modally; on OK the settings go into it.
  bool Uprav(TKrok& krok);

  void bDgOKClick();
  void bDgCancelClick();
  // Level buttons toggle between "H" (tag 1) and "L" (tag 0).
  void bUrovenClick(TControl& b);
  // A delay from the keypad, up to 60000 ms.
  void bDelayClick(TControl& b);
  void ComboBoxINChange(TControl& c);

  static constexpr int kMaxOneskorenie = 60000;

 private:
  std::array<TControl*, 4> start_;
  std::array<TControl*, 4> koniec_;
  std::array<TControl*, 4> oneskorenie_;
  std::array<TControl*, 4> vstupy_;
  TKontext& k_;
  TVstup& vstup_;
};

}  // namespace kvr
