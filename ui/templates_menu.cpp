#include "ui/templates_menu.h"

#include <optional>

#include "form/ui_services.h"
#include "model/bobbin_files.h"
#include "model/context.h"
#include "ui/file_menu.h"

namespace kvr {

TemplatesMenu::TemplatesMenu(TForm& okno, TKontext& k)
    : mnKONSTANTY{okno, "mnKONSTANTY", TControlKind::MenuItem, "KONSTANTEN"},
      mkOtvor{okno, "mkOtvor", TControlKind::MenuItem, "Öffnen"},
      mkUloz{okno, "mkUloz", TControlKind::MenuItem, "Speichern"},
      mkDEFZAV{okno, "mkDEFZAV", TControlKind::MenuItem, "WINDUNGEN 1"},
      mkDefZav2{okno, "mkDefZav2", TControlKind::MenuItem, "WINDUNGEN 2"},
      mkVrstvaZavity{okno, "mkVrstvaZavity", TControlKind::MenuItem, "LAGE WIND.AUT."},
      mkVrstvaPosuv{okno, "mkVrstvaPosuv", TControlKind::MenuItem, "LAGE VORSCH.AUT."},
      mkVrstvaStop{okno, "mkVrstvaStop", TControlKind::MenuItem, "LAGE STOP"},
      mkOLEP{okno, "mkOLEP", TControlKind::MenuItem, "BANDAGIEREN"},
      mkPRESUN{okno, "mkPRESUN", TControlKind::MenuItem, "VERSCHIEBUNG"},
      mkSKOK{okno, "mkSKOK", TControlKind::MenuItem, "SPRUNG"},
      mkDelay{okno, "mkDelay", TControlKind::MenuItem, "PAUSE"},
      k_(k) {
  for (TControl* c : {&mkOtvor, &mkUloz, &mkDEFZAV, &mkDefZav2, &mkVrstvaZavity, &mkVrstvaPosuv, &mkVrstvaStop, &mkOLEP,
                      &mkPRESUN, &mkSKOK, &mkDelay})
    c->Parent = mnKONSTANTY.Name();
  mkOtvor.OnClick = [this] { Open_Konstanty(); };
  mkUloz.OnClick = [this] { mkUlozClick(); };
}

void TemplatesMenu::Open_Konstanty() {
  const TFileDialog d = FileDialogFor(k_, k_.Program.MenoKonstant, kAdresarKonstant, "Öffnen");
  const std::string meno = k_.Ui->OpenDialog(d).value_or(d.FileName);
  if (meno.empty()) k_.Program.MenoKonstant.clear();
  if (!meno.empty()) {
    // A file that cannot be read throws before anything changed.
    NacitajKonstanty(k_, meno);
    k_.Program.MenoKonstant = meno;
    k_.MainWindow().VypisProgCaption();
    k_.Program.Zmeneny = 1;
  }
}

void TemplatesMenu::mkUlozClick() {
  const TFileDialog d = FileDialogFor(k_, k_.Program.MenoKonstant, kAdresarKonstant, "Speichern");
  const std::optional<std::string> meno = k_.Ui->SaveDialog(d);
  if (!meno) return;
  k_.Program.MenoKonstant = *meno;
  UlozKonstanty(k_, k_.Program.MenoKonstant);
  k_.MainWindow().VypisProgCaption();
}

}  // namespace kvr
