// The main window's menu "DATEI": new, open and the three saves with their
// dialogs and the on-screen keyboard, and "Ende".
#pragma once
#include <string>
#include <string_view>

#include "form/form.h"
#include "form/ui_services.h"

namespace kvr {

struct TKontext;

class FileMenu {
 public:
  FileMenu(TForm& okno, TKontext& k);
  FileMenu(const FileMenu&) = delete;
  FileMenu& operator=(const FileMenu&) = delete;

  TControl mnSubor;
  TControl mnSuborNovy;
  TControl mnSuborOtvor;
  TControl mnUlozGX;
  TControl mnUlozT;
  TControl mnUlozT_W;
  TControl mnSuborExit;

  void mnSuborNovyClick();
  void mnSuborOtvorClick();
  void mnUlozGXClick();
  void mnUlozTClick();
  void mnUlozT_WClick();
  void mnSuborExitClick();

  // Menu "Öffnen": the open dialog, then the chosen file.
  void OtvorSubor();
  // The save command: 1 = KVR-T, 0 = KVR-G/C. Ulozene tells whether it wrote.
  void UlozSubor(int format);
  // The three save entries (0 "Speichern format KVR-G,KVR-C", 1 "Speichern
  // format  KVR-T", 2 "Speichern wie KVR-T + Achtungen"), with the on-screen
  // keyboard around the dialog; the keyboard is closed also when saving fails.
  void UlozMenu(int polozka);

 private:
  void SaveWithDialog(int format, bool sWarningami);

  TForm& okno_;
  TKontext& k_;
};

// The open or save dialog of a bobbin or constants file: the current file's
// folder and name when it exists, else the default folder with no name.
TFileDialog FileDialogFor(const TKontext& k, const std::string& aktualny, std::string_view predvolenyAdresar,
                         const char* titul);

}  // namespace kvr
