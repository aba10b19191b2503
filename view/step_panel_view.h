// What the main window's step panel shows and accepts, computed from the
// store without a window: captions, colours, which parameter buttons are
// enabled, the two summary labels, and how each keypad button asks for,
// checks and stores its value.
#pragma once
#include <optional>
#include <string>

#include "form/form.h"
#include "model/step.h"

namespace kvr {

struct TKontext;

// Captions, the gear warning colour and the feed spinner's visibility for
// step n (1..350) of the store.
struct TStepPanelTexts {
  std::string gParam;
  std::string bVrstva;
  std::string BZavity;
  std::string bPosuvMM;
  std::string bLRev;
  std::string bPRev;
  std::string bRoDo;
  std::string bOtacky;
  std::string bTypCyklu;
  std::string bNulovat;
  std::string bSOtac;
  std::string bSNav;
  std::string bKryt;
  bool SpinButtonPosuvVisible = false;
  TColor pOtackyWarning = clBtnFace;
};
TStepPanelTexts StepPanelTexts(const TKontext& k, int n);

// A keypad speed as a whole number: truncated and held within the record's
// range (only the upper bound is checked, so a large negative entry must
// still convert).
int32_t CeleOtacky(long double v);

// The cycle type's text as the step dialog's radio group lists it; empty for
// a value the group has no item for.
std::string TextTypuCyklu(uint8_t typCyklu);

// Which of the panel's controls are enabled for a step of displayed kind
// `druh` (DruhKroku) on machine `model`.
struct TStepPanelEnabled {
  bool bNulovat = false;
  bool BZavity = false;
  bool bOtacky = false;
  bool bRoDo = false;
  bool bKryt = false;
  bool bPosuvMM = false;
  bool bLRev = false;
  bool bPRev = false;
  bool bTypCyklu = false;
  bool bSNav = false;
  bool bSOtac = false;
  bool lbSF = false;
  bool bVrstva = true;
  bool lbInOut = true;
  friend bool operator==(const TStepPanelEnabled&, const TStepPanelEnabled&) = default;
};
TStepPanelEnabled StepPanelEnabled(int druh, const std::string& model);

// The special functions label: its lines separated by carriage returns and
// centred in the label's seven lines.
std::string TextSF(const TKrok& k);
// The inputs/outputs label, centred the same way.
std::string TextIO(const TKrok& k);

// The buttons whose value comes from the keypad.
enum class TKeypadButton { BKrok, BZavity, bLRev, bPRev, bPosuvMM, bOtacky };

// The keypad's decimal point key: left as the previous caller left it, or set.
enum class TBodka { AsLeft, On, Off };

// How a button prepares the keypad and which values it accepts. Empty
// DruhParametra or Prompt keep what the keypad holds.
struct TKeypadRequest {
  std::optional<int> DruhParametra;
  std::optional<std::string> Prompt;
  TBodka Bodka = TBodka::AsLeft;
  std::optional<long double> Min;  // only the step number has a lower bound
  long double Max = 0.0L;
  bool Accepts(long double v) const { return v <= Max && (!Min || v >= *Min); }
};
// The request of button b for the current step, or nothing when that button
// does not use the keypad for it (a gear step's BZavity, a shift step's
// speed).
std::optional<TKeypadRequest> KeypadRequest(const TKontext& k, TKeypadButton b);

// Stores an accepted value v of button b into step i, as that button stores
// it; turns are recomputed for a layer-end windings step where the button
// moves its end.
void StoreKeypadValue(const TKontext& k, TKeypadButton b, int i, TKrok& krok, long double v);

}  // namespace kvr
