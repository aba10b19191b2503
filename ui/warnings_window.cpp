#include "ui/warnings_window.h"

#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

TfWarnings::TfWarnings(TKontext& k) : TForm("fWarnings", "", {0, 0, 579, 107}), k_(k) {
  BorderStyle = TBorderStyle::None;
  CloseBox = false;
  Color = clNavy;
  Position = TPosition::MainFormCenter;
  pWarning.Color = clYellow;
  pWarning.OnClick = [this] { pWarningClick(); };
}

TModalResult TfWarnings::Zobraz(const std::string& text) {
  pWarning.Caption = text;
  return k_.Ui->ShowModal(*this);
}

void TfWarnings::Zavri() {
  if (Visible) Close(TModalResult::Ok);
}

void TfWarnings::pWarningClick() { Close(TModalResult::Ok); }

}  // namespace kvr
