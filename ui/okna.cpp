#include "ui/okna.h"

#include "ui/kontext.h"
#include "ui/sluzby.h"

namespace kvr {

void UmiestniOkno(TKontext& k, TForm& f, int slot) {
  if (slot < 0 || slot >= kPocetSlotov) return;
  const TScreenSize s = k.Ui->ScreenSize();
  const TMiestoOkna& m = k.Desktop.Okna[slot];
  const int left = m.Left;  // unsigned 16-bit, so a negative place is far off the screen
  const int top = m.Top;
  f.Bounds.Left = left < s.Width - 50 ? left : 100;
  f.Bounds.Top = top < s.Height - 50 ? top : 100;
}

void UlozMiestoOkna(TKontext& k, const TForm& f, int slot) {
  if (slot < 0 || slot >= kPocetSlotov) return;
  TMiestoOkna& m = k.Desktop.Okna[slot];
  m.Left = static_cast<uint16_t>(static_cast<int16_t>(f.Bounds.Left));
  m.Top = static_cast<uint16_t>(static_cast<int16_t>(f.Bounds.Top));
  m.Height = static_cast<uint16_t>(static_cast<int16_t>(f.Bounds.Height));
  m.Width = static_cast<uint16_t>(static_cast<int16_t>(f.Bounds.Width));
}

}  // namespace kvr
