#include "bobbin/bobbin_design.h"

#include <optional>

#include "model/numeric.h"
#include "tools/keypad.h"

namespace kvr {

std::string TextSuradnice(long double x) {
  std::string t = FormatFixed(x, 1);
  if (t.size() < 3) t.insert(0, 3 - t.size(), ' ');
  return t;
}

long double HodnotaTextu(const std::string& text) {
  // The longest beginning that is a number: "12.5x" is 12.5, "x" is 0.
  for (std::size_t n = text.size(); n > 0; --n)
    if (const std::optional<long double> x = ParseNumber(text.substr(0, n))) return *x;
  return 0.0L;
}

TStranaKomor ZobrazStranu(const TKostricka& kostricka, int o) {
  TStranaKomor s;
  for (int j = 0; j < kKomorNaStranu; ++j) {
    const TKomora& c = kostricka.Komory[o + j];
    s.Lave[static_cast<std::size_t>(j)] = TextSuradnice(c.KomoraL);
    s.Prave[static_cast<std::size_t>(j)] = TextSuradnice(c.KomoraP);
  }
  return s;
}

void UlozStranu(TKostricka& kostricka, const TStranaKomor& strana, int o) {
  for (int j = 0; j < kKomorNaStranu; ++j) {
    TKomora& c = kostricka.Komory[o + j];
    const auto i = static_cast<std::size_t>(j);
    c.KomoraL = (o == 0 && j == 0) ? 0.0L : HodnotaTextu(strana.Lave[i]);
    c.KomoraP = HodnotaTextu(strana.Prave[i]);
  }
}

TKostricka NovaKostricka() {
  TKostricka k{};
  k.Abstand = 10.0L;
  return k;
}

TKontrolaHrany SkontrolujHranu(long double hodnota, long double maxBreite, bool lavaStranaKostricky) {
  if (hodnota > maxBreite) return TKontrolaHrany::MimoRozsah;
  if (lavaStranaKostricky) return TKontrolaHrany::LavaStranaNula;
  return TKontrolaHrany::Ok;
}

}  // namespace kvr
