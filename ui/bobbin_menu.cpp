#include "ui/bobbin_menu.h"

#include "bobbin/shift.h"
#include "form/ui_services.h"
#include "model/bobbin_files.h"
#include "model/context.h"
#include "ui/bobbin_editor_window.h"
#include "ui/file_menu.h"

namespace kvr {

BobbinMenu::BobbinMenu(TForm& okno, TKontext& k, TfKostricka& editor)
    : mnKOSTRICKA{okno, "mnKOSTRICKA", TControlKind::MenuItem, "SPULENKÖRPER"},
      mnKostrickaVyber{okno, "mnKostrickaVyber", TControlKind::MenuItem, "Auswahl"},
      mnKostrickaZrus{okno, "mnKostrickaZrus", TControlKind::MenuItem, "Lösche"},
      mnKostrickaNavrh{okno, "mnKostrickaNavrh", TControlKind::MenuItem, "Vorschlag"},
      mnKostrickaZarovnaj{okno, "mnKostrickaZarovnaj", TControlKind::MenuItem, "Richten"},
      k_(k),
      editor_(editor) {
  for (TControl* c : {&mnKostrickaVyber, &mnKostrickaZrus, &mnKostrickaNavrh, &mnKostrickaZarovnaj})
    c->Parent = mnKOSTRICKA.Name();
  mnKostrickaVyber.OnClick = [this] { Open_Kostricka(); };
  mnKostrickaNavrh.OnClick = [this] { mnKostrickaNavrhClick(); };
  mnKostrickaZrus.OnClick = [this] { mnKostrickaZrusClick(); };
  mnKostrickaZarovnaj.OnClick = [this] { mnKostrickaZarovnajClick(); };
}

void BobbinMenu::Open_Kostricka() {
  const TFileDialog d = FileDialogFor(k_, k_.Program.MenoKostricky, kAdresarKostriciek, "Öffnen");
  // A cancelled dialog keeps its proposed name, so the current file is read again.
  const std::string meno = k_.Ui->OpenDialog(d).value_or(d.FileName);
  if (meno.empty()) k_.Program.MenoKostricky.clear();
  if (!meno.empty()) {
    // A file that cannot be read throws before anything changed.
    NacitajKostricku(k_, meno, k_.Kostricka);
    k_.Program.MenoKostricky = meno;
    k_.KostrickaNavrh = k_.Kostricka;
    k_.AktKomora = FirstChamber(k_.Kostricka);
    k_.Program.Zmeneny = 1;
    k_.MainWindow().RepaintLater();
  }
  k_.MainWindow().VypisProgCaption();
}

void BobbinMenu::mnKostrickaNavrhClick() { editor_.Navrhni(); }

void BobbinMenu::mnKostrickaZrusClick() {
  k_.Kostricka = TKostricka{};
  k_.Program.MenoKostricky.clear();
  k_.AktKomora = 0;
  k_.MainWindow().VypisProgCaption();
  k_.Program.Zmeneny = 1;
  k_.MainWindow().RepaintLater();
}

void BobbinMenu::mnKostrickaZarovnajClick() { ZarovnajKostricku(k_); }

}  // namespace kvr
