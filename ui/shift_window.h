// The shift window: a distance typed on its own keys moves the reversal points
// and shift targets of the selected steps or of the whole program to the left
// or right, with the bobbin or the chambers under the selection.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;
class TfKostricka;

class TfPosun : public TForm {
 public:
  TfPosun(TKontext& k, TfKostricka& kostricka);

  // Opens the window modally; after a shift the main window shows the current
  // step again and redraws the coil.
  void Otvor();

  void FormCreate() override;
  // Empties the display and takes the main window's selection afresh.
  void FormShow() override;

  // A character typed on the hardware keyboard: '0'..'9', '.' or ',' for the
  // point, 'C', Backspace and Delete for "C", Escape for ABBRECHEN. False for
  // a key the window has no button for.
  bool KeyPress(char c);

  TControl Panel1{*this, "Panel1", TControlKind::Panel, "", {8, 8, 276, 52}};
  TControl Button1{*this, "Button1", TControlKind::Button, "1", {12, 72, 84, 64}};
  TControl Button2{*this, "Button2", TControlKind::Button, "2", {104, 72, 84, 64}};
  TControl Button3{*this, "Button3", TControlKind::Button, "3", {196, 72, 84, 64}};
  TControl Button4{*this, "Button4", TControlKind::Button, "4", {12, 144, 84, 64}};
  TControl Button5{*this, "Button5", TControlKind::Button, "5", {104, 144, 84, 64}};
  TControl Button6{*this, "Button6", TControlKind::Button, "6", {196, 144, 84, 64}};
  TControl Button7{*this, "Button7", TControlKind::Button, "7", {12, 216, 84, 64}};
  TControl Button8{*this, "Button8", TControlKind::Button, "8", {104, 216, 84, 64}};
  TControl Button9{*this, "Button9", TControlKind::Button, "9", {196, 216, 84, 64}};
  TControl Button0{*this, "Button0", TControlKind::Button, "0", {12, 288, 84, 64}};
  TControl ButtonBODKA{*this, "ButtonBODKA", TControlKind::Button, ".", {100, 284, 92, 72}};
  TControl ButtonDEL{*this, "ButtonDEL", TControlKind::Button, "C", {196, 288, 84, 64}};
  TControl ButtonLeft{*this, "ButtonLeft", TControlKind::Button, "LINKS", {12, 368, 130, 56}};
  TControl ButtonRight{*this, "ButtonRight", TControlKind::Button, "RECHTS", {150, 368, 130, 56}};

  TControl GroupBox1{*this, "GroupBox1", TControlKind::GroupBox, " SÚRADNICE", {296, 8, 300, 100}};
  TControl chbLaveSuradnice{*this, "chbLaveSuradnice", TControlKind::CheckBox, "shift left reversal points",
                            {12, 28, 280, 28}};
  TControl chbPraveSuradnice{*this, "chbPraveSuradnice", TControlKind::CheckBox, "shift right reversal points",
                             {12, 62, 280, 28}};
  TControl RadioGroup2{*this, "RadioGroup2", TControlKind::GroupBox, "  POSUNIEME  ", {296, 116, 300, 100}};
  TControl rbBlok{*this, "rbBlok", TControlKind::RadioButton, "Selected steps :  ", {12, 28, 280, 28}};
  TControl rbCelyProgram{*this, "rbCelyProgram", TControlKind::RadioButton, "All program", {12, 62, 280, 28}};
  TControl bKostricka{*this, "bKostricka", TControlKind::Button, "Save bobbin", {296, 288, 300, 64}};
  TControl bCANCEL{*this, "bCANCEL", TControlKind::Button, "ABBRECHEN", {296, 368, 300, 56}};

  void CisloClick(char cislica);
  void ButtonBODKAClick();
  void ButtonDELClick();
  // "LINKS" and "RECHTS": the shift, to the left or right as sender says.
  void ButtonLeftClick(const TControl& sender);
  void rbBlokClick();
  void rbCelyProgramClick();
  void bKostrickaClick();
  void bCANCELClick();

 private:
  TKontext& k_;
  TfKostricka& kostricka_;
};

}  // namespace kvr
