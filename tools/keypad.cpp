#include "tools/keypad.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

#include "model/real48.h"
#include "model/context.h"
#include "model/desktop.h"
#include "form/ui_services.h"

namespace kvr {

namespace {

bool JeCislica(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int DesatinneMiesta(int druhParametra) {
  switch (druhParametra) {
    case 2:   // turns
    case 3:   // left reversal point, trapezoid, total correction
    case 4:   // right reversal point
    case 14:  // coordinates in mm
      return 2;
    case 15:  // feed per turn in mm
      return 5;
    default:
      return 1;
  }
}

std::string TrimEntry(const std::string& text, int druhParametra) {
  std::string t = text.substr(0, kMaxVstupText);
  const std::size_t bodka = t.find('.');
  if (bodka == std::string::npos) return t;
  if (bodka + 1 == t.size()) {
    t.pop_back();
  } else {
    t.resize(std::min(t.size(), bodka + 1 + static_cast<std::size_t>(DesatinneMiesta(druhParametra))));
  }
  return t;
}

std::optional<long double> ParseNumber(const std::string& text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool zaporne = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    zaporne = text[i] == '-';
    ++i;
  }
  const std::size_t zaciatok = i;
  std::size_t cislic = 0;
  while (i < n && JeCislica(text[i])) ++i, ++cislic;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && JeCislica(text[i])) ++i, ++cislic;
  }
  if (cislic == 0) return std::nullopt;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponent = 0;
    while (i < n && JeCislica(text[i])) ++i, ++exponent;
    if (exponent == 0) return std::nullopt;
  }
  if (i != n) return std::nullopt;

  // The syntax is checked above; from_chars only converts, and does so
  // whatever the process locale's decimal separator is.
  long double x = 0;
  const char* const koniec = text.data() + n;
  const std::from_chars_result r = std::from_chars(text.data() + zaciatok, koniec, x);
  if (r.ec != std::errc{} || r.ptr != koniec || !std::isfinite(x)) return std::nullopt;
  if (x > Real48::Max()) return std::nullopt;
  return zaporne ? -x : x;
}

TVstup::TVstup(TKontext& k) : TForm("Vstup", " ZADAJ HODNOTU", {0, 0, 292, 432}), k_(k) {
  StayOnTop = true;
  CloseBox = false;
  BorderStyle = TBorderStyle::Dialog;
  ButtonDEL.Color = clRed;
  TControl* const cislice[] = {&Button0, &Button1, &Button2, &Button3, &Button4,
                               &Button5, &Button6, &Button7, &Button8, &Button9};
  for (int i = 0; i < 10; ++i) {
    const char c = static_cast<char>('0' + i);
    cislice[i]->OnClick = [this, c] { CisloClick(c); };
  }
  ButtonBODKA.OnClick = [this] { ButtonBODKAClick(); };
  ButtonDEL.OnClick = [this] { ButtonDELClick(); };
  ButtonOK.OnClick = [this] { ButtonOKClick(); };
  bCANCEL.OnClick = [this] { bCANCELClick(); };
}

void TVstup::FormCreate() { Bounds = UmiestniOkno(k_.Desktop, kSlotVstup, k_.Ui->ScreenSize(), Bounds); }

void TVstup::FormShow() {
  // The caption and the point key's state are the caller's and persist.
  bCANCEL.Caption = "ABBRECHEN";
  k_.Dialogy.VstupText.clear();
  Panel1.Caption.clear();
}

bool TVstup::KeyPress(char c) {
  TControl* tlacidlo = nullptr;
  switch (c) {
    case '0': tlacidlo = &Button0; break;
    case '1': tlacidlo = &Button1; break;
    case '2': tlacidlo = &Button2; break;
    case '3': tlacidlo = &Button3; break;
    case '4': tlacidlo = &Button4; break;
    case '5': tlacidlo = &Button5; break;
    case '6': tlacidlo = &Button6; break;
    case '7': tlacidlo = &Button7; break;
    case '8': tlacidlo = &Button8; break;
    case '9': tlacidlo = &Button9; break;
    case '.':
    case ',':
      tlacidlo = &ButtonBODKA;
      break;
    case 'C':
    case 'c':
    case '\b':
    case '\x7f':
      tlacidlo = &ButtonDEL;
      break;
    case '\r':
    case '\n':
      tlacidlo = &ButtonOK;
      break;
    case '\x1b':
      tlacidlo = &bCANCEL;
      break;
    default:
      return false;
  }
  // A disabled key stays shut on the keyboard too: the caller asked for an integer.
  if (tlacidlo->Enabled && tlacidlo->Visible) tlacidlo->Click();
  return true;
}

void TVstup::CisloClick(char cislica) { Panel1.Caption.push_back(cislica); }

void TVstup::ButtonBODKAClick() { Panel1.Caption.push_back('.'); }

void TVstup::ButtonDELClick() { Panel1.Caption.clear(); }

void TVstup::ButtonOKClick() {
  TDialogy& d = k_.Dialogy;
  d.VstupText = TrimEntry(Panel1.Caption, d.DruhParametra);
  const std::optional<long double> x = ParseNumber(d.VstupText);
  // Stored either way, so a caller never reads the previous entry's value.
  d.VstupHodnota = x.value_or(0.0L);
  if (!x) {
    k_.Ui->Error("DATEN UNKORREKT");
    d.VstupText.clear();
    Panel1.Caption.clear();
    return;
  }
  ButtonBODKA.Enabled = true;
  k_.Program.Zmeneny = 1;
  Close(TModalResult::Ok);
}

void TVstup::bCANCELClick() {
  ButtonBODKA.Enabled = true;
  Close(TModalResult::Cancel);
}

}  // namespace kvr
