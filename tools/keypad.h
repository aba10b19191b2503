// The on-screen numeric keypad. Callers set DruhParametra (and usually the
// caption as a prompt), open it modally and, on OK, read VstupHodnota and
// VstupText from the context; the range check is theirs.
#pragma once
#include <cstddef>
#include <optional>
#include <string>

#include "form/form.h"

namespace kvr {

struct TKontext;

// Longest entry the keypad examines; the rest of the display is cut off.
inline constexpr std::size_t kMaxVstupText = 20;

// Characters kept after the first point for a parameter code.
int DesatinneMiesta(int druhParametra);
// The display text as the keypad accepts it: at most 20 characters, a trailing
// point dropped, the decimals cut (not rounded) to what the code allows.
std::string TrimEntry(const std::string& text, int druhParametra);
// The whole text as a decimal number: leading blanks, an optional sign,
// digits with an optional point, an optional exponent, and nothing after.
// Nothing for any other text and for a value a 6-byte real cannot hold.
std::optional<long double> ParseNumber(const std::string& text);

class TVstup : public TForm {
 public:
  explicit TVstup(TKontext& k);

  void FormCreate() override;
  void FormShow() override;

  // A character typed on the hardware keyboard: '0'..'9'; '.' and ',' (the
  // German keypad's decimal key) for the point; 'C', Backspace and Delete for
  // "C"; Enter for OK; Escape for ABBRECHEN. A key acts as its button does and
  // not at all while that button is disabled. False for a key the keypad has
  // no button for.
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
  // Fills its whole cell: the point is small, so its key is the largest.
  TControl ButtonBODKA{*this, "ButtonBODKA", TControlKind::Button, ".", {100, 284, 92, 72}};
  TControl ButtonDEL{*this, "ButtonDEL", TControlKind::Button, "C", {196, 288, 84, 64}};
  TControl ButtonOK{*this, "ButtonOK", TControlKind::Button, "OK", {12, 368, 130, 56}};
  TControl bCANCEL{*this, "bCANCEL", TControlKind::Button, "ABBRECHEN", {150, 368, 130, 56}};

  void CisloClick(char cislica);
  void ButtonBODKAClick();
  void ButtonDELClick();
  void ButtonOKClick();
  void bCANCELClick();

 private:
  TKontext& k_;
};

}  // namespace kvr
