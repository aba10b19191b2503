#include "ui/errors_window.h"

#include <span>

#include "model/io.h"
#include "model/codepage.h"
#include "model/program_files.h"
#include "model/context.h"
#include "model/desktop.h"
#include "ui/main_window.h"
#include "form/ui_services.h"
#include "platform/platform.h"

namespace kvr {

namespace {

bool JeUtf8SVyssimiZnakmi(std::string_view s) {
  bool vyssie = false;
  size_t i = 0;
  uint32_t cp = 0;
  while (i < s.size()) {
    if (!DalsiZnakUtf8(s, i, cp)) return false;
    if (cp >= 0x80) vyssie = true;
  }
  return vyssie;
}

}  // namespace

std::string BesideProgram(const TKontext& k, std::string_view meno) {
  std::string adresar = k.Program.StartAdresar;
  if (adresar.empty()) adresar = k.Platform->StartupFolder();
  if (adresar.empty()) return std::string(meno);
  const char posledny = adresar.back();
  if (posledny != '/' && posledny != '\\') {
    // Keep the folder's own separator style (a Windows folder may use "\" only).
    const bool lenSpatne = adresar.find('\\') != std::string::npos && adresar.find('/') == std::string::npos;
    adresar += lenSpatne ? '\\' : '/';
  }
  return adresar + std::string(meno);
}

std::vector<std::string> RiadkyTextu(std::string_view bajty) {
  static constexpr std::string_view kBom = "\xEF\xBB\xBF";
  std::string text;
  if (bajty.starts_with(kBom))
    text = bajty.substr(kBom.size());
  else if (JeUtf8SVyssimiZnakmi(bajty))
    text = bajty;
  else
    text = Cp1252NaUtf8(bajty);
  std::vector<std::string> riadky;
  size_t zaciatok = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\r' || text[i] == '\n') {
      riadky.push_back(text.substr(zaciatok, i - zaciatok));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      zaciatok = ++i;
    } else {
      ++i;
    }
  }
  if (zaciatok < text.size()) riadky.push_back(text.substr(zaciatok));
  return riadky;
}

std::string TextZRiadkov(const std::vector<std::string>& riadky) {
  std::string text;
  for (const std::string& r : riadky) {
    for (size_t i = 0; i < r.size(); ++i) {
      if (r[i] == '\r' || r[i] == '\n') {
        if (r[i] == '\r' && i + 1 < r.size() && r[i + 1] == '\n') ++i;
        text += "\r\n";
      } else {
        text += r[i];
      }
    }
    text += "\r\n";
  }
  return Utf8NaCp1252(text);
}

TfErrors::TfErrors(TKontext& k) : TForm("fErrors", "Fehlerbeschreibung", {0, 0, 719, 646}), k_(k) {
  BorderStyle = TBorderStyle::Sizeable;
  StayOnTop = true;
  Position = TPosition::MainFormCenter;
}

void TfErrors::FormCreate() { Bounds = UmiestniOkno(k_.Desktop, kSlotErrors, k_.Ui->ScreenSize(), Bounds); }

void TfErrors::FormShow() {
  Caption = "Fehlerbeschreibung";
  Memo1.Items.clear();
  nacitane_.clear();
  neulozene_.reset();
  const std::string cesta = BesideProgram(k_, kSuborChyb);
  try {
    const std::optional<std::vector<uint8_t>> data = ReadWholeFile(cesta);
    if (!data) {
      k_.Ui->ReportError(std::string(kTextNeotvori) + "\"" + cesta + "\"");
      return;
    }
    nacitane_ = RiadkyTextu(std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
  } catch (const TIoError& e) {
    k_.Ui->ReportError(e.what());
    return;
  }
  Memo1.Items = nacitane_;
}

bool TfErrors::FormClose() {
  // Unchanged lines are not written: a file that could not be loaded is not
  // replaced by an empty one.
  if (Memo1.Items == nacitane_) return true;
  if (neulozene_ && *neulozene_ == Memo1.Items) return true;
  const std::string text = TextZRiadkov(Memo1.Items);
  try {
    WriteFileSafely(BesideProgram(k_, kSuborChyb),
                       std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
  } catch (const TIoError& e) {
    neulozene_ = Memo1.Items;
    k_.Ui->ReportError(e.what());
    return false;
  }
  nacitane_ = Memo1.Items;
  neulozene_.reset();
  return true;
}

void TfErrors::Zobraz() { k_.Ui->Show(*this); }

}  // namespace kvr
