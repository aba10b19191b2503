#include "ui/file_menu.h"

#include <optional>

#include "model/context.h"
#include "model/program.h"
#include "model/program_files.h"
#include "platform/platform.h"

namespace kvr {

namespace {
constexpr const char* kFilterVsetko = "Alle Dateien (*.*)|*.*";
}  // namespace

FileMenu::FileMenu(TForm& okno, TKontext& k)
    : mnSubor{okno, "mnSubor", TControlKind::MenuItem, "DATEI"},
      mnSuborNovy{okno, "mnSuborNovy", TControlKind::MenuItem, "Neu"},
      mnSuborOtvor{okno, "mnSuborOtvor", TControlKind::MenuItem, "Öffnen"},
      mnUlozGX{okno, "mnUlozGX", TControlKind::MenuItem, "Speichern format KVR-G,KVR-C"},
      mnUlozT{okno, "mnUlozT", TControlKind::MenuItem, "Speichern format  KVR-T"},
      mnUlozT_W{okno, "mnUlozT_W", TControlKind::MenuItem, "Speichern wie KVR-T + Achtungen"},
      mnSuborExit{okno, "mnSuborExit", TControlKind::MenuItem, "Ende"},
      okno_(okno),
      k_(k) {
  for (TControl* c : {&mnSuborNovy, &mnSuborOtvor, &mnUlozGX, &mnUlozT, &mnUlozT_W, &mnSuborExit})
    c->Parent = mnSubor.Name();
  mnUlozGX.Tag = 0;
  mnUlozT.Tag = 1;
  mnSuborNovy.OnClick = [this] { mnSuborNovyClick(); };
  mnSuborOtvor.OnClick = [this] { mnSuborOtvorClick(); };
  mnUlozGX.OnClick = [this] { mnUlozGXClick(); };
  mnUlozT.OnClick = [this] { mnUlozTClick(); };
  mnUlozT_W.OnClick = [this] { mnUlozT_WClick(); };
  mnSuborExit.OnClick = [this] { mnSuborExitClick(); };
}

void FileMenu::mnSuborNovyClick() {
  NovyProgram(k_);
  k_.MainWindow().SetOffLine();
}
void FileMenu::mnSuborOtvorClick() { OtvorSubor(); }
void FileMenu::mnUlozGXClick() { UlozMenu(0); }
void FileMenu::mnUlozTClick() { UlozMenu(1); }
void FileMenu::mnUlozT_WClick() { UlozMenu(2); }

void FileMenu::mnSuborExitClick() {
  if (okno_.FormClose()) okno_.Close(TModalResult::None);
}

void FileMenu::OtvorSubor() {
  TFileDialog d;
  d.Title = std::string(kTitulOtvor);
  d.InitialDir = DialogStartFolder(k_);
  std::optional<std::string> meno = k_.Ui->OpenDialog(d);
  if (!meno) {
    k_.MainWindow().VypisProgCaption();
    return;
  }
  OpenProgramFile(k_, *meno);
  // An opened program is the PC's own: online mode has ended.
  k_.MainWindow().SetOffLine();
}

void FileMenu::SaveWithDialog(int format, bool sWarningami) {
  TProgram& p = k_.Program;
  k_.Subory.Ulozene = 0;
  TFileDialog d;
  d.Title = std::string(format == 1 ? kTitulUlozT : kTitulUlozGC);
  d.InitialDir = DialogStartFolder(k_);
  d.FileName = p.MenoSuboru;
  std::optional<std::string> meno = k_.Ui->SaveDialog(d);
  if (!meno || meno->empty()) return;
  // Throws on failure: the names, Zmeneny and Ulozene stay as they were.
  WriteProgramFile(k_, *meno, format, sWarningami);
  p.MenoSuboru = *meno;
  p.Zmeneny = 0;
  p.AktAdresar = FolderOf(*meno);
  p.PoslednySubor = *meno;
  k_.MainWindow().VypisProgCaption();
  k_.Subory.Ulozene = 1;
}

void FileMenu::UlozSubor(int format) { SaveWithDialog(format, false); }

void FileMenu::UlozMenu(int polozka) {
  k_.Platform->StartOnScreenKeyboard();
  try {
    SaveWithDialog(polozka == 0 ? 0 : 1, polozka == 2);
  } catch (...) {
    k_.Platform->CloseOnScreenKeyboard();
    throw;
  }
  k_.Platform->CloseOnScreenKeyboard();
}

TFileDialog FileDialogFor(const TKontext& k, const std::string& aktualny, std::string_view predvolenyAdresar,
                         const char* titul) {
  TFileDialog d;
  d.Title = titul;
  d.Filter = kFilterVsetko;
  if (!aktualny.empty() && FileExists(aktualny)) {
    d.InitialDir = FolderOf(aktualny);
    d.FileName = aktualny;
  } else {
    d.InitialDir = k.Platform->MapSystemPath(predvolenyAdresar);
  }
  return d;
}

}  // namespace kvr
