#include "view/scale.h"

#include <cmath>

#include "model/numeric.h"
#include "model/context.h"

namespace kvr {

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

TMierka Mierka(const TPohlad& v, int sirka, int vyska, int32_t posun) {
  TMierka m;
  m.Lava = v.OknoLava;
  m.Prava = v.OknoPrava;
  m.Sirka = sirka;
  m.Vyska = vyska;
  m.Posun = posun;
  return m;
}

}  // namespace kvr
