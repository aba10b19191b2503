#include "tools/text_input.h"

#include "model/context.h"

namespace kvr {

TfVstupTW::TfVstupTW(TKontext& k) : TForm("fVstupTW", "", {0, 0, 400, 100}), k_(k) {
  // No saved place of its own.
  Position = TPosition::ScreenCenter;
  bOK.OnClick = [this] { bOKClick(); };
  bCancel.OnClick = [this] { bCancelClick(); };
}

void TfVstupTW::FormShow() {
  Edit1.Caption.clear();
  bHeslo.Enabled = false;
}

void TfVstupTW::bOKClick() {
  k_.Dialogy.VstupTWText = Edit1.Caption;
  Close(TModalResult::Ok);
}

void TfVstupTW::bCancelClick() {
  k_.Dialogy.VstupTWText.clear();
  Close(TModalResult::Cancel);
}

}  // namespace kvr
