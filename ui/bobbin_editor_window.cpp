#include "ui/bobbin_editor_window.h"

#include <optional>
#include <string>

#include "bobbin/bobbin_design.h"
#include "form/ui_services.h"
#include "model/bobbin_files.h"
#include "model/codepage.h"
#include "model/context.h"
#include "model/desktop.h"
#include "platform/platform.h"
#include "tools/keypad.h"
#include "ui/file_menu.h"

namespace kvr {

namespace {

constexpr const char* kTitulok = "Spulenkörpervorschlag: ";
constexpr const char* kVyzvaKoordinata = "KOORDINATE[mm]";
constexpr const char* kFilterVsetko = "Alle Dateien (*.*)|*.*";
constexpr std::size_t kMaxPopis = 255;

}  // namespace

TfKostricka::TfKostricka(TKontext& k, TVstup& vstup)
    : TForm("fKostricka", kTitulok, {0, 0, 532, 564}), k_(k), vstup_(vstup) {
  BorderStyle = TBorderStyle::Single;
  StayOnTop = true;
  Position = TPosition::MainFormCenter;
  bOK.Enabled = false;
  rb1_10.Checked = true;
  for (TControl* c : LavePanely()) c->OnClick = [this, c] { pLPClick(*c); };
  for (TControl* c : PravePanely()) c->OnClick = [this, c] { pLPClick(*c); };
  pPosunValue.OnClick = [this] { pPosunValueClick(); };
  rb1_10.OnClick = [this] { rb1_10Click(); };
  rb11_20.OnClick = [this] { rb11_20Click(); };
  mnNew.OnClick = [this] { mnNewClick(); };
  mnOPEN.OnClick = [this] { mnOPENClick(); };
  mnSAVE.OnClick = [this] { mnSAVEClick(); };
  bVykresli.OnClick = [this] { bVykresliClick(); };
  bCANCEL.OnClick = [this] { bCANCELClick(); };
}

std::array<TControl*, 10> TfKostricka::LavePanely() {
  return {&pL1, &pL2, &pL3, &pL4, &pL5, &pL6, &pL7, &pL8, &pL9, &pL10};
}

std::array<TControl*, 10> TfKostricka::PravePanely() {
  return {&pP1, &pP2, &pP3, &pP4, &pP5, &pP6, &pP7, &pP8, &pP9, &pP10};
}

void TfKostricka::Navrhni() {
  // The description is typed: the operator needs the on-screen keyboard
  // while the editor is open, and it goes with the editor however it closes.
  TModalResult r = TModalResult::Cancel;
  try {
    r = k_.Ui->ShowModal(*this);
  } catch (...) {
    k_.Platform->CloseOnScreenKeyboard();
    throw;
  }
  k_.Platform->CloseOnScreenKeyboard();
  if (r == TModalResult::Ok) {
    k_.Kostricka = k_.KostrickaNavrh;
    k_.MainWindow().RepaintLater();
  }
  k_.MainWindow().VypisProgCaption();
}

void TfKostricka::FormCreate() { Bounds = UmiestniOkno(k_.Desktop, kSlotKostricka, k_.Ui->ScreenSize(), Bounds); }

void TfKostricka::FormShow() {
  VyberStranu(0);
  pPopis.Caption = "Beschreibung";
  pKomorka.Caption = "Kammer";
  pLavaSur.Caption = "L.Wendepunkt";
  pPravaSur.Caption = "R.Wendepunkt";
  pPosun.Caption = "Abstand";
  rb1_10.Caption = "1 - 10";
  rb11_20.Caption = "11 - 20";
  bVykresli.Caption = "DRAW";
  bCANCEL.Caption = "ABBRECHEN";
  bOK.Caption = "Speichern";
  bOK.Enabled = false;
  mnNew.Caption = "Neu";
  mnOPEN.Caption = "Öffnen";
  mnSAVE.Caption = "Speichern";
  k_.KostrickaNavrh = k_.Kostricka;
  ZobrazParametre(k_.KostrickaNavrh);
  k_.Platform->StartOnScreenKeyboard();
}

void TfKostricka::VyberStranu(int o) {
  strana_ = o;
  rb1_10.Checked = o == 0;
  rb11_20.Checked = o != 0;
}

void TfKostricka::ZobrazParametre(const TKostricka& kostricka) {
  const int o = strana_;
  Caption = kTitulok + k_.Program.MenoKostricky;
  ePopis.Caption = ReadShortString(kostricka.Popis, kMaxPopis);
  // Chamber 1's left edge is the bobbin's left side and cannot be entered.
  pL1.Color = o == 0 ? clGray : clBtnFace;
  TControl* const cisla[] = {&pKom1, &pKom2, &pKom3, &pKom4, &pKom5,
                             &pKom6, &pKom7, &pKom8, &pKom9, &pKom10};
  const TStranaKomor s = ZobrazStranu(kostricka, o);
  const std::array<TControl*, 10> lave = LavePanely();
  const std::array<TControl*, 10> prave = PravePanely();
  for (std::size_t j = 0; j < 10; ++j) {
    cisla[j]->Caption = std::to_string(o + static_cast<int>(j) + 1);
    lave[j]->Caption = s.Lave[j];
    prave[j]->Caption = s.Prave[j];
  }
  pPosunValue.Caption = TextSuradnice(kostricka.Abstand);
}

void TfKostricka::UlozParametre(TKostricka& kostricka, int o) {
  WriteShortString(kostricka.Popis, ePopis.Caption, kMaxPopis);
  TStranaKomor s;
  const std::array<TControl*, 10> lave = LavePanely();
  const std::array<TControl*, 10> prave = PravePanely();
  for (std::size_t j = 0; j < 10; ++j) {
    s.Lave[j] = lave[j]->Caption;
    s.Prave[j] = prave[j]->Caption;
  }
  UlozStranu(kostricka, s, o);
  kostricka.Abstand = HodnotaTextu(pPosunValue.Caption);
}

void TfKostricka::pLPClick(TControl& panel) {
  TDialogy& d = k_.Dialogy;
  d.DruhParametra = kDruhKoordinataKostricky;
  vstup_.Caption = kVyzvaKoordinata;
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return;
  switch (SkontrolujHranu(d.VstupHodnota, k_.Stroj.MaxBreite, &panel == &pL1 && strana_ == 0)) {
    case TKontrolaHrany::MimoRozsah:
      k_.Ui->Error(kTextMimoRozsah);
      return;
    case TKontrolaHrany::LavaStranaNula:
      k_.Ui->Info(kTextLavaStranaNula);
      return;
    case TKontrolaHrany::Ok:
      panel.Caption = d.VstupText;
      return;
  }
}

void TfKostricka::pPosunValueClick() {
  // The keypad keeps whatever prompt it showed last.
  TDialogy& d = k_.Dialogy;
  d.DruhParametra = kDruhKoordinataKostricky;
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return;
  if (static_cast<long double>(d.VstupHodnota) > static_cast<long double>(k_.Stroj.MaxBreite)) {
    k_.Ui->Error(kTextMimoRozsah);
    return;
  }
  pPosunValue.Caption = d.VstupText;
}

void TfKostricka::rb1_10Click() {
  if (strana_ == 0) {
    VyberStranu(0);
    return;
  }
  UlozParametre(k_.KostrickaNavrh, 10);
  VyberStranu(0);
  ZobrazParametre(k_.KostrickaNavrh);
}

void TfKostricka::rb11_20Click() {
  if (strana_ == 10) {
    VyberStranu(10);
    return;
  }
  UlozParametre(k_.KostrickaNavrh, 0);
  VyberStranu(10);
  ZobrazParametre(k_.KostrickaNavrh);
}

void TfKostricka::mnNewClick() {
  k_.KostrickaNavrh = NovaKostricka();
  k_.Program.MenoKostricky.clear();
  VyberStranu(0);
  ZobrazParametre(k_.KostrickaNavrh);
}

void TfKostricka::mnOPENClick() {
  TFileDialog d;
  d.Title = "Öffnen";
  d.InitialDir = InStartFolder(k_, "Korper");
  d.Filter = kFilterVsetko;
  const std::string meno = k_.Ui->OpenDialog(d).value_or(std::string{});
  if (meno.empty()) {
    k_.Program.MenoKostricky.clear();
    return;
  }
  // A file that cannot be opened throws before the name or the record changed.
  NacitajKostricku(k_, meno, k_.KostrickaNavrh);
  k_.Program.MenoKostricky = meno;
  ZobrazParametre(k_.KostrickaNavrh);
}

void TfKostricka::mnSAVEClick() {
  const TFileDialog d = FileDialogFor(k_, k_.Program.MenoKostricky, kAdresarKostriciek, "Speichern");
  const std::optional<std::string> meno = k_.Ui->SaveDialog(d);
  if (!meno || meno->empty()) return;
  UlozParametre(k_.KostrickaNavrh, strana_);
  // Written beside and renamed over the target: a failed save keeps the
  // previous file and the previous name.
  UlozKostricku(*meno, k_.KostrickaNavrh);
  k_.Program.MenoKostricky = *meno;
  Caption = kTitulok + k_.Program.MenoKostricky;
}

void TfKostricka::bVykresliClick() {
  UlozParametre(k_.KostrickaNavrh, strana_);
  k_.Kostricka = k_.KostrickaNavrh;
  k_.AktKomora = 1;
  Close(TModalResult::Ok);
}

void TfKostricka::bCANCELClick() { Close(TModalResult::Cancel); }

}  // namespace kvr
