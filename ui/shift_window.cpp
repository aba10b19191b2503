#include "ui/shift_window.h"

#include <string>

#include "bobbin/shift.h"
#include "form/ui_services.h"
#include "model/context.h"
#include "model/desktop.h"
#include "ui/bobbin_editor_window.h"

namespace kvr {

namespace {

constexpr const char* kVybraneKroky = "Selected steps :  ";

}  // namespace

TfPosun::TfPosun(TKontext& k, TfKostricka& kostricka)
    : TForm("fPosun", "VORSCHLAGABSTAND", {0, 0, 604, 432}), k_(k), kostricka_(kostricka) {
  BorderStyle = TBorderStyle::Dialog;
  StayOnTop = true;
  ButtonDEL.Color = clRed;
  for (TControl* c : {&chbLaveSuradnice, &chbPraveSuradnice}) c->Parent = GroupBox1.Name();
  for (TControl* c : {&rbBlok, &rbCelyProgram}) c->Parent = RadioGroup2.Name();
  // Both kinds of reversal points move until the operator says otherwise;
  // the choice then stays for the whole run.
  chbLaveSuradnice.Checked = true;
  chbPraveSuradnice.Checked = true;
  rbCelyProgram.Checked = true;
  TControl* const cislice[] = {&Button0, &Button1, &Button2, &Button3, &Button4,
                               &Button5, &Button6, &Button7, &Button8, &Button9};
  for (int i = 0; i < 10; ++i) {
    const char c = static_cast<char>('0' + i);
    cislice[i]->OnClick = [this, c] { CisloClick(c); };
  }
  ButtonBODKA.OnClick = [this] { ButtonBODKAClick(); };
  ButtonDEL.OnClick = [this] { ButtonDELClick(); };
  ButtonLeft.OnClick = [this] { ButtonLeftClick(ButtonLeft); };
  ButtonRight.OnClick = [this] { ButtonLeftClick(ButtonRight); };
  rbBlok.OnClick = [this] { rbBlokClick(); };
  rbCelyProgram.OnClick = [this] { rbCelyProgramClick(); };
  bKostricka.OnClick = [this] { bKostrickaClick(); };
  bCANCEL.OnClick = [this] { bCANCELClick(); };
}

void TfPosun::Otvor() {
  if (k_.Ui->ShowModal(*this) != TModalResult::Ok) return;
  k_.MainWindow().ZobrazParametre(k_.Program.AktKrok);
  k_.MainWindow().RepaintLater();
}

void TfPosun::FormCreate() { Bounds = UmiestniOkno(k_.Desktop, kSlotPosun, k_.Ui->ScreenSize(), Bounds); }

void TfPosun::FormShow() {
  k_.Dialogy.VstupText.clear();
  Panel1.Caption.clear();
  const TVyber& v = k_.Vyber;
  const bool blok = v.BlokOd != 0 && v.BlokDo != 0;
  rbBlok.Caption = kVybraneKroky;
  if (blok) rbBlok.Caption += std::to_string(v.BlokOd) + " - " + std::to_string(v.BlokDo);
  rbBlok.Checked = blok;
  rbCelyProgram.Checked = !blok;
}

bool TfPosun::KeyPress(char c) {
  TControl* tlacidlo = nullptr;
  if (c >= '0' && c <= '9') {
    TControl* const cislice[] = {&Button0, &Button1, &Button2, &Button3, &Button4,
                                 &Button5, &Button6, &Button7, &Button8, &Button9};
    tlacidlo = cislice[c - '0'];
  } else if (c == '.' || c == ',') {
    tlacidlo = &ButtonBODKA;
  } else if (c == 'C' || c == 'c' || c == '\b' || c == '\x7f') {
    tlacidlo = &ButtonDEL;
  } else if (c == '\x1b') {
    tlacidlo = &bCANCEL;
  } else {
    return false;
  }
  if (tlacidlo->Enabled && tlacidlo->Visible) tlacidlo->Click();
  return true;
}

void TfPosun::CisloClick(char cislica) { Panel1.Caption.push_back(cislica); }

void TfPosun::ButtonBODKAClick() { Panel1.Caption.push_back('.'); }

void TfPosun::ButtonDELClick() { Panel1.Caption.clear(); }

void TfPosun::ButtonLeftClick(const TControl& sender) {
  const TSuradnicePosunu s{chbLaveSuradnice.Checked, chbPraveSuradnice.Checked};
  switch (PosunReverzov(k_, Panel1.Caption, &sender == &ButtonRight, rbCelyProgram.Checked, s)) {
    case TVysledokPosunu::Posunute:
      Close(TModalResult::Ok);
      return;
    case TVysledokPosunu::Odmietnute:
      k_.Dialogy.VstupText.clear();
      Panel1.Caption.clear();
      return;
    case TVysledokPosunu::BezZmeny:
      return;
  }
}

void TfPosun::rbBlokClick() {
  rbBlok.Checked = true;
  rbCelyProgram.Checked = false;
}

void TfPosun::rbCelyProgramClick() {
  rbCelyProgram.Checked = true;
  rbBlok.Checked = false;
}

void TfPosun::bKostrickaClick() { kostricka_.Navrhni(); }

void TfPosun::bCANCELClick() {
  k_.Dialogy.VstupText.clear();
  Close(TModalResult::Cancel);
}

}  // namespace kvr
