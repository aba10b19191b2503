#include "ui/model_window.h"

#include "model/machine.h"
#include "model/context.h"
#include "model/desktop.h"

namespace kvr {

TModel::TModel(TKontext& k) : TForm("Model", "Typ  navíjačky", {100, 100, 300, 170}), k_(k) {
  cbModel.OnChange = [this] { cbModelSelect(); };
  bOK.OnClick = [this] { bOKClick(); };
}

void TModel::FormCreate() {
  Bounds = UmiestniOkno(k_.Desktop, kSlotModel, k_.Ui->ScreenSize(), Bounds);
  cbModel.Items.clear();
  for (const TModelRiadok& r : kModely) cbModel.Items.emplace_back(r.Nazov);
  VypisPrevodov(k_.Stroj.ModelIndex, k_.Stroj.Prevod);
  k_.MainWindow().ShowModelAndGear();
}

void TModel::VypisPrevodov(int r, int g) {
  if (r < 0 || r >= kPocetModelov) r = 0;
  cbModel.ItemIndex = r;
  cbPrevod.Items.clear();
  for (std::string_view o : kModely[static_cast<size_t>(r)].Otacky)
    if (NumberOfCell(o) != 0) cbPrevod.Items.emplace_back(o);
  // A gear the list does not hold (none, or beyond the model's gears) selects nothing.
  cbPrevod.ItemIndex = (g >= 1 && g <= static_cast<int>(cbPrevod.Items.size())) ? g - 1 : -1;
}

void TModel::cbModelSelect() { VypisPrevodov(cbModel.ItemIndex, 1); }

void TModel::FormShow() {
  Caption = " MODEL UND GETRIEBE EINZUSTELLEN ! ";
  k_.MainWindow().ShowModelAndGear();
}

void TModel::bOKClick() {
  k_.Stroj.Model = cbModel.SelectedText();
  k_.Stroj.Prevod = cbPrevod.ItemIndex + 1;
  // NastavModel shows the corrected model and gear on the main window.
  NastavModel(k_);
  // An unknown model or gear was corrected ("UNKNOW" becomes "KVR - 22" gear
  // 1): the lists show what is in force now (NastavModel showed it on the
  // main window).
  VypisPrevodov(k_.Stroj.ModelIndex, k_.Stroj.Prevod);
  Close(TModalResult::Ok);
}

}  // namespace kvr
