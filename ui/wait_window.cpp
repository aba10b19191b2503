#include "ui/wait_window.h"

#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

TfWait::TfWait(TKontext& k) : TForm("fWait", "", {0, 0, 535, 126}), k_(k) {
  BorderStyle = TBorderStyle::None;
  CloseBox = false;
  Color = clYellow;
  Position = TPosition::MainFormCenter;
  pWait.Color = clYellow;
  bX.Parent = pWait.Name();
  bX.OnClick = [this] { bXClick(); };
}

TModalResult TfWait::Cakaj() { return k_.Ui->ShowModal(*this); }

void TfWait::Skonci() {
  if (Visible) Close(TModalResult::Ok);
}

void TfWait::bXClick() { Close(TModalResult::Ok); }

}  // namespace kvr
