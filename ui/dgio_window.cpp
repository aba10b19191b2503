#include "ui/dgio_window.h"

#include <string>

#include "form/ui_services.h"
#include "model/context.h"
#include "model/desktop.h"
#include "model/numeric.h"
#include "model/step.h"
#include "tools/keypad.h"

namespace kvr {

namespace {

constexpr const char* kMimoRozsahu = "WERT AUSSER BEREICH";
constexpr uint8_t kStart = 0x80;  // level H at the step's start
constexpr uint8_t kKoniec = 0x40;  // level H at its end

void Uroven(TControl& b, bool h) {
  b.Tag = h ? 1 : 0;
  b.Caption = h ? "H" : "L";
}

}  // namespace

TfDgIO::TfDgIO(TKontext& k, TVstup& vstup)
    : TForm("fDgIO", " EINGÄNGE / AUSGÄNGE ", {0, 0, 660, 336}),
      start_{&bSTART_O1, &bSTART_O2, &bSTART_O3, &bSTART_O4},
      koniec_{&bEND_O1, &bEND_O2, &bEND_O3, &bEND_O4},
      oneskorenie_{&bDelay_O1, &bDelay_O2, &bDelay_O3, &bDelay_O4},
      vstupy_{&ComboBoxIN1, &ComboBoxIN2, &ComboBoxIN3, &ComboBoxIN4},
      k_(k),
      vstup_(vstup) {
  for (TControl* c : {&lbStart, &lbEnde, &lbPause, &lbOut1, &lbOut2, &lbOut3, &lbOut4}) c->Parent = gAusgange.Name();
  for (TControl* c : {&lbTyp, &lbIn1, &lbIn2, &lbIn3, &lbIn4}) c->Parent = gEingange.Name();
  for (size_t i = 0; i < 4; ++i) {
    for (TControl* c : {start_[i], koniec_[i], oneskorenie_[i]}) c->Parent = gAusgange.Name();
    vstupy_[i]->Parent = gEingange.Name();
    start_[i]->OnClick = [this, c = start_[i]] { bUrovenClick(*c); };
    koniec_[i]->OnClick = [this, c = koniec_[i]] { bUrovenClick(*c); };
    oneskorenie_[i]->OnClick = [this, c = oneskorenie_[i]] { bDelayClick(*c); };
    vstupy_[i]->OnChange = [this, c = vstupy_[i]] { ComboBoxINChange(*c); };
  }
  bDgOK.OnClick = [this] { bDgOKClick(); };
  bDgCancel.OnClick = [this] { bDgCancelClick(); };
}

void TfDgIO::FormCreate() {
  Bounds = UmiestniOkno(k_.Desktop, kSlotDgIO, k_.Ui->ScreenSize(), Bounds);
  for (TControl* c : vstupy_) c->Items = {"Eingang unaktiv", "ZYKLUSBRECHEN", "ZYKLUSSTART", "STARTBLOCKIERUNG"};
}

void TfDgIO::FormShow() {
  Caption = " EINGÄNGE / AUSGÄNGE ";
  gAusgange.Caption = "AUSGÄNGE";
  lbStart.Caption = "START";
  lbEnde.Caption = "ENDE";
  lbPause.Caption = "PAUSE [ms]";
  gEingange.Caption = " EINGÄNGE ";
  lbTyp.Caption = "TYP";
  bDgOK.Caption = "OK";
  bDgCancel.Caption = "Cancel";
}

void TfDgIO::Zobraz(const TKrok& krok) {
  for (int i = 0; i < 4; ++i) {
    const size_t j = static_cast<size_t>(i);
    vstupy_[j]->ItemIndex = krok.Vstup[i];
    vstupy_[j]->Tag = krok.Vstup[i];
    const uint8_t stav = krok.VystupStav(i + 1);
    Uroven(*start_[j], (stav & kStart) != 0);
    Uroven(*koniec_[j], (stav & kKoniec) != 0);
    const uint16_t ms = krok.VystupOneskorenie(i + 1);
    oneskorenie_[j]->Tag = ms;
    oneskorenie_[j]->Caption = std::to_string(ms);
  }
}

void TfDgIO::Uloz(TKrok& krok) const {
  for (int i = 0; i < 4; ++i) {
    const size_t j = static_cast<size_t>(i);
    krok.Vstup[i] = static_cast<uint8_t>(vstupy_[j]->Tag);
    uint8_t stav = 0;
    if (start_[j]->Tag == 1) stav |= kStart;
    if (koniec_[j]->Tag == 1) stav |= kKoniec;
    krok.VystupStav(i + 1) = stav;
    krok.VystupOneskorenie(i + 1) = static_cast<uint16_t>(oneskorenie_[j]->Tag);
  }
}

bool TfDgIO::Uprav(TKrok& krok) {
  Zobraz(krok);
  if (k_.Ui->ShowModal(*this) != TModalResult::Ok) return false;
  Uloz(krok);
  return true;
}

void TfDgIO::bDgOKClick() { Close(TModalResult::Ok); }
void TfDgIO::bDgCancelClick() { Close(TModalResult::Cancel); }

void TfDgIO::bUrovenClick(TControl& b) { Uroven(b, b.Tag != 1); }

void TfDgIO::bDelayClick(TControl& b) {
  vstup_.Caption = "[0 - " + std::to_string(kMaxOneskorenie) + " ]";
  if (k_.Ui->ShowModal(vstup_) != TModalResult::Ok) return;
  const long double v = k_.Dialogy.VstupHodnota;
  if (v > kMaxOneskorenie) {
    k_.Ui->Message(TMsgKind::Error, kMimoRozsahu, TMsgButtons::Ok);
    return;
  }
  // The keypad gives no negative value; a delay is never below 0 ms.
  const int64_t ms = v > 0.0L ? Round(v) : 0;
  b.Tag = static_cast<int>(ms);
  b.Caption = std::to_string(ms);
}

void TfDgIO::ComboBoxINChange(TControl& c) { c.Tag = c.ItemIndex < 0 ? 0 : c.ItemIndex; }

}  // namespace kvr
