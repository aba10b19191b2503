#include "tools/up_down.h"

#include <cmath>

#include "model/numeric.h"
#include "model/context.h"
#include "model/desktop.h"
#include "form/ui_services.h"

namespace kvr {

namespace {

// The value with one decimal in a field of at least four characters.
std::string Hodnota(long double x) {
  std::string s = FormatFixed(x, 1);
  if (s.size() < 4) s.insert(0, 4 - s.size(), ' ');
  return s;
}

// Tenths do not add up exactly in binary: without this, 0.1 - 0.1 leaves a
// trace above 0 (one more step down would go to -0.1) and 299.9 + 0.1 stays
// below 300 (one more step up would pass the bound by a whole tenth).
// A micrometre is far below the machine's resolution and far above the noise.
long double NaMikrometre(long double x) { return std::nearbyintl(x * 1.0e6L) / 1.0e6L; }

}  // namespace

TfUpDown::TfUpDown(TKontext& k) : TForm("fUpDown", "", {0, 0, 320, 176}), k_(k) {
  bUpDownPrev.Parent = bUpDown.Name();
  bUpDownNext.Parent = bUpDown.Name();
  bUpDown.Min = 0;
  bUpDown.Max = 200;
  bUpDown.Position = 100;
  bUpDownPrev.OnClick = [this] { bUpDownClick(TUDBtnType::btPrev); };
  bUpDownNext.OnClick = [this] { bUpDownClick(TUDBtnType::btNext); };
  bCancel.OnClick = [this] { bCancelClick(); };
  bOK.OnClick = [this] { bOKClick(); };
}

void TfUpDown::FormCreate() { Bounds = UmiestniOkno(k_.Desktop, kSlotUpDown, k_.Ui->ScreenSize(), Bounds); }

void TfUpDown::bUpDownClick(TUDBtnType button) {
  if (button == TUDBtnType::btNext) {
    if (bUpDown.Position >= bUpDown.Max) return;
    ++bUpDown.Position;
  } else {
    if (bUpDown.Position <= bUpDown.Min) return;
    --bUpDown.Position;
  }
  TDialogy& d = k_.Dialogy;
  if (d.UpDownDruh != kUpDownSuradnica) return;
  const long double v = d.UpDownHodnota;
  if (button == TUDBtnType::btNext) {
    if (v < static_cast<long double>(k_.Stroj.MaxBreite)) d.UpDownHodnota = NaMikrometre(v + 0.1L);
  } else {
    if (v > 0.0L) d.UpDownHodnota = NaMikrometre(v - 0.1L);
  }
  const std::string text = Hodnota(d.UpDownHodnota);
  pPanel.Caption = " KOORDINATE: " + text;
  k_.MainWindow().ShowProgramLine(" VERSCHIEBUNG: Endkoordinate = " + text + " [mm]");
}

void TfUpDown::bCancelClick() { Close(TModalResult::Cancel); }

void TfUpDown::bOKClick() { Close(TModalResult::Ok); }

std::optional<long double> AdjustCoordinate(TKontext& k, TfUpDown& okno, long double suradnica) {
  TDialogy& d = k.Dialogy;
  d.UpDownDruh = kUpDownSuradnica;
  d.UpDownHodnota = suradnica;
  okno.pPanel.Caption = " KOORDINATE: " + FormatFixed(d.UpDownHodnota, 2);
  if (k.Ui->ShowModal(okno) != TModalResult::Ok) return std::nullopt;
  return static_cast<long double>(d.UpDownHodnota);
}

}  // namespace kvr
