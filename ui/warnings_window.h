// The warning window of online winding: the warning of the step the machine
// reached, on a yellow panel, until the operator taps it or the machine moves
// on.
#pragma once
#include <string>

#include "form/form.h"

namespace kvr {

struct TKontext;

class TfWarnings : public TForm {
 public:
  explicit TfWarnings(TKontext& k);

  TControl pWarning{*this, "pWarning", TControlKind::Panel, "", {0, 0, 579, 107}};

  // Shows the text modally; Ok when the operator tapped the panel or the
  // caller closed it with Zavri.
  TModalResult Zobraz(const std::string& text);
  // Closes the showing window with Ok (the machine moved on); nothing when it
  // is not shown.
  void Zavri();

  void pWarningClick();

 private:
  TKontext& k_;
};

}  // namespace kvr
