#include "view/mierka.h"

#include <cmath>

#include "model/numeric.h"
#include "ui/kontext.h"
#include "ui/prog.h"

namespace kvr {

namespace {
constexpr int kSirkaNavrh = 427;  // PaintBox1's design size, should no main window exist
constexpr int kVyskaNavrh = 649;
}  // namespace

int32_t TMierka::X(long double p) const {
  const long double rozpatie = Prava - Lava;
  if (rozpatie == 0.0L) return 15;
  const long double v = (p - Lava) * static_cast<long double>(Sirka - 15) / rozpatie + 15.0L;
  if (std::isnan(v)) return 15;
  if (v >= static_cast<long double>(kMaxPixel)) return kMaxPixel;
  if (v <= -static_cast<long double>(kMaxPixel)) return -kMaxPixel;
  return static_cast<int32_t>(Round(v));
}

int32_t TMierka::BodY(long double vyska) { return Round32(vyska); }

long double TMierka::Poloha(int x) const {
  const int delitel = Sirka - 15 > 0 ? Sirka - 15 : 1;
  const long double p =
      Lava + (Prava - Lava) / static_cast<long double>(delitel) * static_cast<long double>(x - 15);
  return p < 0.0L ? 0.0L : p;
}

int32_t PosunZobrazenia(const TKontext& k) {
  if (k.Prog == nullptr) return 0;
  return k.Prog->ScrollBar1.Max - k.Prog->ScrollBar1.Position;
}

int SirkaBoxu(const TKontext& k) {
  if (k.Kresba.SirkaBoxu > 0) return k.Kresba.SirkaBoxu;
  return k.Prog != nullptr ? k.Prog->PaintBox1.Bounds.Width : kSirkaNavrh;
}

int VyskaBoxu(const TKontext& k) {
  if (k.Kresba.VyskaBoxu > 0) return k.Kresba.VyskaBoxu;
  return k.Prog != nullptr ? k.Prog->PaintBox1.Bounds.Height : kVyskaNavrh;
}

TMierka Mierka(const TKontext& k) {
  TMierka m;
  m.Lava = k.Pohlad.OknoLava;
  m.Prava = k.Pohlad.OknoPrava;
  m.Sirka = SirkaBoxu(k);
  m.Vyska = VyskaBoxu(k);
  m.Posun = PosunZobrazenia(k);
  return m;
}

}  // namespace kvr
