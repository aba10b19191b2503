#include "ui/options_menu.h"

#include "form/ui_services.h"
#include "model/context.h"
#include "ui/model_window.h"
#include "ui/preview_window.h"
#include "view/listing.h"
#include "view/program_check.h"

namespace kvr {

OptionsMenu::OptionsMenu(TForm& okno, TKontext& k, TModel& model, TfPreview& preview)
    : mnOPTIONS{okno, "mnOPTIONS", TControlKind::MenuItem, "MÖGLICHKEITEN"},
      mnKontrol{okno, "mnKontrol", TControlKind::MenuItem, "Kontrolle"},
      mnOptionsModel{okno, "mnOptionsModel", TControlKind::MenuItem, "Model"},
      mnOptionsPosun{okno, "mnOptionsPosun", TControlKind::MenuItem, "Vorschub"},
      mnParametre{okno, "mnParametre", TControlKind::MenuItem, "Parametre"},
      mnZoomPlus{okno, "mnZoomPlus", TControlKind::MenuItem, "Zoom +"},
      mnZoomMinus{okno, "mnZoomMinus", TControlKind::MenuItem, "Zoom -"},
      okno_(okno),
      k_(k),
      model_(model),
      preview_(preview) {
  for (TControl* c : {&mnKontrol, &mnOptionsModel, &mnOptionsPosun, &mnParametre, &mnZoomPlus, &mnZoomMinus})
    c->Parent = mnOPTIONS.Name();
  mnKontrol.OnClick = [this] { mnKontrolClick(); };
  mnOptionsModel.OnClick = [this] { mnOptionsModelClick(); };
  mnZoomPlus.OnClick = [this] { mnZoomPlusClick(); };
  mnZoomMinus.OnClick = [this] { mnZoomMinusClick(); };
}

void OptionsMenu::mnKontrolClick() {
  preview_.Clear();
  const ProgramCheckResult r = CheckProgram(k_.Program, k_.Stroj);
  for (const std::string& m : r.Messages) k_.Ui->Error(m);
  for (size_t i = 1; i < r.Errors.size(); ++i) preview_.Cell(kListingErrorColumn, static_cast<int>(i)) = r.Errors[i];
  if (r.ErrorFound) {
    preview_.ListingGrid.Position = 0;
    k_.Ui->ShowModal(preview_);
  } else {
    k_.Ui->Info(kKontrolaBezChyby);
  }
}

void OptionsMenu::mnOptionsModelClick() {
  k_.Ui->ShowModal(model_);
  k_.MainWindow().ZobrazParametre(k_.Program.AktKrok);
  k_.MainWindow().RepaintLater();
}

void OptionsMenu::Zoom(int z) {
  k_.Desktop.Zoom = z;
  okno_.Zoom = static_cast<double>(z) / 100.0;
  k_.Kresba.VyskaPisma = 9;
}

void OptionsMenu::mnZoomPlusClick() {
  int32_t z = k_.Desktop.Zoom;
  if (z < 100 || z > 300) z = 100;
  if (z < 300) Zoom(z + 10);
}

void OptionsMenu::mnZoomMinusClick() {
  const int32_t z = k_.Desktop.Zoom;
  if (z > 100) Zoom(z - 10);
}

}  // namespace kvr
