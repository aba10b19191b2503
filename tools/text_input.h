// The text window: one line of free text, handed over in VstupTWText.
#pragma once
#include "form/form.h"

namespace kvr {

struct TKontext;

class TfVstupTW : public TForm {
 public:
  explicit TfVstupTW(TKontext& k);

  void FormShow() override;

  TControl Edit1{*this, "Edit1", TControlKind::Edit, "", {8, 8, 384, 32}};
  TControl bOK{*this, "bOK", TControlKind::Button, "OK", {8, 48, 120, 44}};
  TControl bCancel{*this, "bCancel", TControlKind::Button, "CANCEL", {140, 48, 120, 44}};
  // Kept for its place in the window; it has no action.
  TControl bHeslo{*this, "bHeslo", TControlKind::Button, "HESLO", {272, 48, 120, 44}};

  void bOKClick();
  void bCancelClick();

 private:
  TKontext& k_;
};

}  // namespace kvr
