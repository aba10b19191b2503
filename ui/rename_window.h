// The conversion window: renames KVR-G/C program files after the coil name
// they carry, the chosen file or every file of its folder, and shows how many
// renames succeeded and failed. Its texts are Slovak. The main window opens it
// modally (mnNazovToSuborClick).
#pragma once
#include <string>

#include "form/form.h"

namespace kvr {

class IUi;

inline constexpr const char* kTitulKonverzie = " Konverzia:   Názov cievky  ==>  Názov súboru ";
inline constexpr const char* kTextVyberSubor = "Vyber požadovaný súbor";
inline constexpr const char* kTextVyberAdresar = "Vyber ľubovolný súbor z požadovaného adresára";

class TfKonvertNazovToSubor : public TForm {
 public:
  explicit TfKonvertNazovToSubor(IUi& ui);

  TControl Label1{*this, "Label1", TControlKind::Label, "", {8, 8, 584, 24}};
  TControl Panel1{*this, "Panel1", TControlKind::Panel, "", {8, 40, 584, 40}};
  TControl bKonvSubor{*this, "bKonvSubor", TControlKind::Button, "", {8, 92, 288, 50}};
  TControl bKonvAdresar{*this, "bKonvAdresar", TControlKind::Button, "", {304, 92, 288, 50}};
  TControl chbPripona{*this, "chbPripona", TControlKind::CheckBox, "", {8, 154, 584, 24}};
  TControl chbChybaStoj{*this, "chbChybaStoj", TControlKind::CheckBox, "", {8, 182, 584, 24}};
  TControl Label2{*this, "Label2", TControlKind::Label, "", {8, 216, 584, 48}};

  // The chosen file (full path); emptied at every showing.
  std::string SuborKonv;

  // Empties the chosen file and sets the texts; the result label is empty.
  void FormShow() override;
  // Asks for the file; its folder is the one the window works in.
  void Panel1Click();
  void bKonvSuborClick();
  void bKonvAdresarClick();
  // Converts one file: a name without folder is taken in the chosen file's
  // folder. Reports refusals, counts the rename and, after a failed one with
  // chbChybaStoj on, asks whether to go on.
  void KonvertujNazov(const std::string& meno);

  int RenamedCount() const { return renamed_; }
  int FailedCount() const { return failed_; }

 private:
  void ShowCounts();

  IUi& ui_;
  // Stands in for the current folder of the window's commands: the station
  // never changes the process's current folder.
  std::string folder_;
  int renamed_ = 0;
  int failed_ = 0;
  bool continue_ = true;
};

}  // namespace kvr
