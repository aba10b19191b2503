#include "ui/rename_window.h"

#include <optional>
#include <vector>

#include "model/program_files.h"
#include "tools/rename_files.h"
#include "form/ui_services.h"

namespace kvr {

namespace {

constexpr const char* kTextNadpis = "          K O N V E R Z I A    N Á Z V O V ";
constexpr const char* kTextKonvSubor = "Konverzia vybraného súboru";
constexpr const char* kTextKonvAdresar = "Konverzia celého adresára";
constexpr const char* kTextPripona = " pri konverzii názvu zachovať príponu súboru ";
constexpr const char* kTextChybaStoj = " hlásenie pri neúspešnej konverzii";
constexpr const char* kTextUspesne = "počet úspešne konvertovaných súborov:       ";
constexpr const char* kTextNeuspesne = "počet neúspešne konvertovaných súborov:  ";
constexpr const char* kTextNepodarilo = "Nepodarilo sa premenovať SuborKonv: ";
constexpr const char* kTextNa = "  na: ";
constexpr const char* kTextPokracovat = "Pokračovať ?";

std::string InQuotes(const std::string& s) { return "\"" + s + "\""; }

}  // namespace

TfKonvertNazovToSubor::TfKonvertNazovToSubor(IUi& ui)
    : TForm("fKonvertNazovToSubor", kTitulKonverzie, {0, 0, 600, 272}), ui_(ui) {
  BorderStyle = TBorderStyle::Single;
  Position = TPosition::MainFormCenter;
  chbPripona.Checked = false;
  chbChybaStoj.Checked = true;
  Panel1.OnClick = [this] { Panel1Click(); };
  bKonvSubor.OnClick = [this] { bKonvSuborClick(); };
  bKonvAdresar.OnClick = [this] { bKonvAdresarClick(); };
}

void TfKonvertNazovToSubor::FormShow() {
  SuborKonv.clear();
  Caption = kTitulKonverzie;
  Panel1.Caption = std::string(kTextSuborKonv);
  Label1.Caption = kTextNadpis;
  bKonvSubor.Caption = kTextKonvSubor;
  bKonvAdresar.Caption = kTextKonvAdresar;
  chbPripona.Caption = kTextPripona;
  chbChybaStoj.Caption = kTextChybaStoj;
  Label2.Caption.clear();
}

void TfKonvertNazovToSubor::Panel1Click() {
  Label2.Caption.clear();
  TFileDialog d;
  d.InitialDir = folder_;
  const std::optional<std::string> meno = ui_.OpenDialog(d);
  if (!meno || meno->empty()) return;
  SuborKonv = *meno;
  Panel1.Caption = std::string(kTextSuborKonv) + SuborKonv;
  folder_ = FolderOf(SuborKonv);
}

void TfKonvertNazovToSubor::bKonvSuborClick() {
  if (SuborKonv.empty()) {
    ui_.Error(kTextVyberSubor);
    return;
  }
  renamed_ = 0;
  failed_ = 0;
  Label2.Caption.clear();
  KonvertujNazov(SuborKonv);
  ShowCounts();
}

void TfKonvertNazovToSubor::bKonvAdresarClick() {
  if (SuborKonv.empty()) {
    ui_.Error(kTextVyberAdresar);
    return;
  }
  renamed_ = 0;
  failed_ = 0;
  continue_ = true;
  Label2.Caption.clear();
  folder_ = FolderOf(SuborKonv);
  const std::optional<std::vector<std::string>> subory = OrdinaryFilesOf(folder_);
  if (!subory) {
    ui_.Error(std::string(kTextNemozemOtvorit) + folder_);
  } else {
    for (const std::string& meno : *subory) {
      if (!continue_) break;
      KonvertujNazov(meno);
    }
  }
  ShowCounts();
}

void TfKonvertNazovToSubor::KonvertujNazov(const std::string& meno) {
  const bool bezAdresara = meno.find_first_of("\\/") == std::string::npos;
  const std::string cesta = bezAdresara ? folder_ + meno : meno;
  const TRenameOutcome o = RenameAfterCoilName(cesta, chbPripona.Checked);
  switch (o.Why) {
    case TRenameWhy::CannotOpen:
      ui_.Error(std::string(kTextNemozemOtvorit) + meno);
      return;
    case TRenameWhy::NotAProgram:
      ui_.Error(std::string(kTextSuborKonv) + meno + std::string(kTextNieJePredpis));
      return;
    default:
      break;
  }
  if (o.Result == TRenameResult::Renamed) {
    ++renamed_;
  } else if (o.Result == TRenameResult::Failed) {
    ++failed_;
    if (chbChybaStoj.Checked) {
      const std::string otazka = std::string(kTextNepodarilo) + "\n\n" + InQuotes(meno) + "\n\n" + kTextNa + "\n\n" +
                                 InQuotes(o.NewName) + "\n\n" + kTextPokracovat;
      if (ui_.Message(TMsgKind::Confirmation, otazka, TMsgButtons::YesNo) == TMsgAnswer::No) continue_ = false;
    }
  }
}

void TfKonvertNazovToSubor::ShowCounts() {
  Label2.Caption = std::string(kTextUspesne) + std::to_string(renamed_) + "\n" + kTextNeuspesne + std::to_string(failed_);
}

}  // namespace kvr
