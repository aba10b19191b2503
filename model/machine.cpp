#include "model/machine.h"

#include <charconv>
#include <cmath>

#include "model/numeric.h"
#include "model/program.h"
#include "model/context.h"
#include "form/ui_services.h"

namespace kvr {

const std::array<TModelRiadok, kPocetModelov> kModely = {{
    {"UNKNOW", {"0", "0", "0"}, "0", "0", {"0", "0", "0"}, {"0", "0", "0"}},
    {"KVR - 22", {"3000", "6000", "12000"}, "21000", "0", {"32", "64", "128"}, {"128", "64", "32"}},
    {"KVR - 32", {"750", "1500", "6000"}, "30000", "0", {"8", "16", "64"}, {"512", "256", "64"}},
    {"KVR - 32S", {"500", "1000", "4000"}, "30000", "0", {"8", "16", "64"}, {"512", "256", "64"}},
    {"KVR - 42", {"500", "1000", "4000"}, "30000", "0", {"8", "16", "64"}, {"512", "256", "64"}},
    {"KVR - 42S", {"1000", "4000", "0"}, "30000", "0", {"16", "64", "0"}, {"256", "64", "0"}},
    {"KVR - 52", {"500", "1000", "4000"}, "45000", "0", {"8", "16", "64"}, {"512", "256", "64"}},
    {"KVR - 52S", {"1000", "4000", "0"}, "45000", "0", {"16", "64", "0"}, {"256", "64", "0"}},
    {"KVR - 60", {"500", "3000", "0"}, "45000", "1", {"8", "64", "0"}, {"512", "64", "0"}},
    {"KVR - 62", {"500", "2000", "0"}, "45000", "1", {"8", "32", "0"}, {"512", "128", "0"}},
    {"KVR - 100", {"300", "600", "0"}, "120000", "0", {"4", "8", "0"}, {"1024", "512", "0"}},
    {"KVR - 150", {"150", "300", "0"}, "120000", "0", {"2", "4", "0"}, {"2048", "1024", "0"}},
    {"KVR - 200", {"75", "150", "0"}, "120000", "0", {"1", "2", "0"}, {"4096", "2048", "0"}},
    {"KVR - 500", {"75", "150", "0"}, "120000", "0", {"1", "2", "0"}, {"4096", "2048", "0"}},
    {"KVR - 80", {"750", "3000", "0"}, "60000", "0", {"16", "64", "0"}, {"256", "64", "0"}},
}};

int32_t NumberOfCell(std::string_view s) {
  int32_t v = 0;
  std::from_chars(s.data(), s.data() + s.size(), v);
  return v;
}

// ---- Old-format code tables -------------------------------------------------

namespace {

constexpr std::array<TTabulkaOtacok, 11> kOtacky = {{
    {0, 12, 25, 37, 50, 75, 100, 125, 150, 175, 200, 250, 300, 350, 400, 450, 500, 600, 700, 800, 950, 1100, 1250, 1450, 1650, 1850, 2050, 2250, 2500, 2750, 3000},
    {0, 25, 50, 75, 100, 150, 200, 250, 300, 350, 400, 500, 600, 700, 800, 900, 1000, 1200, 1400, 1600, 1900, 2200, 2500, 2900, 3300, 3700, 4100, 4500, 5000, 5500, 6000},
    {0, 50, 100, 150, 200, 300, 400, 500, 600, 700, 800, 1000, 1200, 1400, 1600, 1800, 2000, 2400, 2800, 3200, 3800, 4400, 5000, 5800, 6600, 7400, 8200, 9000, 10000, 11000, 12000},
    {0, 3, 6, 9, 12, 20, 30, 40, 50, 60, 80, 100, 125, 150, 175, 200, 225, 250, 275, 300, 325, 350, 375, 400, 450, 500, 550, 600, 650, 700, 750},
    {0, 6, 12, 18, 24, 40, 60, 80, 100, 120, 160, 200, 250, 300, 350, 400, 450, 500, 550, 600, 650, 700, 750, 800, 900, 1000, 1100, 1200, 1300, 1400, 1500},
    {0, 24, 48, 72, 96, 160, 240, 320, 400, 480, 640, 800, 1000, 1200, 1400, 1600, 1800, 2000, 2200, 2400, 2600, 2800, 3000, 3200, 3600, 4000, 4400, 4800, 5200, 5600, 6000},
    {0, 2, 4, 6, 8, 12, 16, 20, 25, 30, 38, 45, 50, 55, 60, 75, 90, 100, 110, 125, 160, 200, 225, 260, 290, 325, 350, 375, 410, 460, 500},
    {0, 4, 8, 12, 16, 25, 30, 40, 50, 60, 75, 90, 100, 110, 125, 150, 175, 200, 225, 250, 325, 400, 450, 525, 575, 650, 700, 750, 825, 925, 1000},
    {0, 16, 32, 48, 64, 100, 130, 160, 200, 240, 300, 350, 400, 450, 500, 600, 700, 800, 900, 1000, 1300, 1600, 1800, 2100, 2300, 2600, 2800, 3000, 3300, 3700, 4000},
    {0, 1, 2, 3, 4, 5, 7, 10, 12, 15, 20, 25, 30, 35, 40, 50, 60, 70, 80, 90, 100, 120, 145, 160, 180, 200, 220, 240, 260, 280, 300},
    {0, 2, 4, 6, 8, 10, 15, 20, 25, 30, 40, 50, 60, 70, 80, 100, 120, 140, 160, 180, 200, 240, 280, 320, 360, 400, 440, 480, 520, 560, 600},
}};

// The feed tables are machine data. What is known of them exactly are the
// entries of codes 1, 2, 3, 10, 50 and 99; the entries between are supplied
// by geometric interpolation of the divisor and the multiplier between those
// codes (the feeds of a code table form a geometric series), and codes 100 to
// 104 continue the last segment. Divisors and multipliers never rise with the
// code and never fall below 1.
struct TKotva {
  int kod;
  uint8_t d;
  uint16_t c;
};
using TKotvy = std::array<TKotva, 6>;

constexpr std::array<TKotvy, 8> kKotvy = {{
    {{{1, 15, 4095}, {2, 15, 4095}, {3, 15, 3200}, {10, 8, 1164}, {50, 1, 111}, {99, 1, 13}}},
    {{{1, 15, 2560}, {2, 15, 2065}, {3, 15, 1600}, {10, 4, 582}, {50, 1, 55}, {99, 1, 6}}},
    {{{1, 13, 1280}, {2, 12, 1032}, {3, 10, 800}, {10, 2, 291}, {50, 1, 28}, {99, 1, 3}}},
    {{{1, 15, 4095}, {2, 15, 4095}, {3, 15, 4095}, {10, 15, 4095}, {50, 2, 443}, {99, 1, 51}}},
    {{{1, 15, 4095}, {2, 15, 4095}, {3, 15, 4095}, {10, 10, 2327}, {50, 1, 222}, {99, 1, 26}}},
    {{{1, 15, 2560}, {2, 15, 2065}, {3, 15, 1600}, {10, 5, 582}, {50, 1, 55}, {99, 1, 6}}},
    {{{1, 5, 1796}, {2, 5, 1707}, {3, 5, 1620}, {10, 3, 1082}, {50, 1, 114}, {99, 1, 23}}},
    {{{1, 10, 3593}, {2, 10, 3413}, {3, 10, 3241}, {10, 10, 2165}, {50, 1, 228}, {99, 1, 47}}},
}};

long double Geometricky(long double a, long double b, long double t) {
  return a * std::pow(b / a, t);
}

TTabulkaPosuvu ZostavTabulku(const TKotvy& kotvy) {
  TTabulkaPosuvu t{};
  for (int kod = 1; kod <= 104; ++kod) {
    size_t s = 0;  // segment [kotvy[s], kotvy[s+1]] holding kod, the last one extended
    while (s + 2 < kotvy.size() && kod > kotvy[s + 1].kod) ++s;
    const TKotva& a = kotvy[s];
    const TKotva& b = kotvy[s + 1];
    const long double u = static_cast<long double>(kod - a.kod) / static_cast<long double>(b.kod - a.kod);
    long double c = Geometricky(a.c, b.c, u);
    long double d = Geometricky(a.d, b.d, u);
    int64_t ci = Round(c);
    int64_t di = Round(d);
    if (kod > 1) {
      ci = std::min<int64_t>(ci, t[static_cast<size_t>(kod - 1)].c);
      di = std::min<int64_t>(di, t[static_cast<size_t>(kod - 1)].d);
    }
    t[static_cast<size_t>(kod)] = {static_cast<uint8_t>(std::max<int64_t>(di, 1)), static_cast<uint16_t>(std::max<int64_t>(ci, 1))};
  }
  return t;
}

}  // namespace

const TTabulkaPosuvu& TabulkaPosuvu(TTabulkaPosuvuId id) {
  static const std::array<TTabulkaPosuvu, 8> tabulky = [] {
    std::array<TTabulkaPosuvu, 8> t{};
    for (size_t i = 0; i < t.size(); ++i) t[i] = ZostavTabulku(kKotvy[i]);
    return t;
  }();
  return tabulky[static_cast<size_t>(id)];
}

const TTabulkaOtacok& TabulkaOtacok(TTabulkaOtacokId id) { return kOtacky[static_cast<size_t>(id)]; }

// ---- Model selection ---------------------------------------------------------

int IndexModelu(std::string_view nazov) {
  for (int r = 0; r < kPocetModelov; ++r)
    if (kModely[static_cast<size_t>(r)].Nazov == nazov) return r;
  return 0;
}

// Row 0 is the placeholder for an unknown model: choosing it is not a model.
bool ModelZnamy(std::string_view nazov) { return IndexModelu(nazov) != 0; }

int IndexPrevodu(std::string_view nazovPrevodu) {
  if (nazovPrevodu == "PREVODH") return 3;
  if (nazovPrevodu == "PREVODP") return 2;
  return 1;
}

bool PrevodPlatny(int32_t n) { return n >= 1 && n <= 3; }

std::string_view GearName(int32_t prevod) {
  if (prevod == 3) return "PREVODH";
  if (prevod == 2) return "PREVODP";
  return "PREVODD";
}

namespace {

// Old-format tables of a model and gear; both null for models without them.
void VyberTabulky(TStroj& s) {
  using P = TTabulkaPosuvuId;
  using O = TTabulkaOtacokId;
  const int g = s.Prevod;  // 1..3, already checked
  const std::string& m = s.Model;
  const TTabulkaPosuvu* posuv = nullptr;
  const TTabulkaOtacok* otacky = nullptr;
  if (m == "KVR - 22") {
    posuv = &TabulkaPosuvu(g == 1 ? P::Kvr22G1 : g == 2 ? P::Kvr22G2 : P::Kvr22G3);
    otacky = &TabulkaOtacok(g == 1 ? O::Kvr22G1 : g == 2 ? O::Kvr22G2 : O::Kvr22G3);
  } else if (m == "KVR - 32") {
    posuv = &TabulkaPosuvu(g == 1 ? P::Kvr32G1 : g == 2 ? P::Kvr32G2 : P::Kvr32G3);
    otacky = &TabulkaOtacok(g == 1 ? O::Kvr32G1 : g == 2 ? O::Kvr32G2 : O::Kvr32G3);
  } else if (m == "KVR - 32S" || m == "KVR - 42" || m == "KVR - 52") {
    posuv = &TabulkaPosuvu(g == 1 ? P::Kvr32G1 : g == 2 ? P::Kvr32G2 : P::Kvr32G3);
    otacky = &TabulkaOtacok(g == 1 ? O::Kvr32SG1 : g == 2 ? O::Kvr32SG2 : O::Kvr32SG3);
  } else if (m == "KVR - 100" || m == "KVR - 150" || m == "KVR - 200") {
    posuv = &TabulkaPosuvu(g == 2 ? P::Kvr100G2 : P::Kvr100G13);
    otacky = &TabulkaOtacok(g == 2 ? O::Kvr100G2 : O::Kvr100G13);
  }
  // Other models have no old-format tables. Keeping the previous model's tables
  // would decode an old file with another machine's data; null makes the
  // readers refuse such files instead.
  s.TabulkaPosuvu = posuv;
  s.TabulkaOtacok = otacky;
}

}  // namespace

void NastavModel(TKontext& k) {
  for (const std::string& sprava : ApplyModel(k.Stroj)) k.Ui->Error(sprava);
  k.MainWindow().ShowModelAndGear();
}

std::vector<std::string> ApplyModel(TStroj& s) {
  std::vector<std::string> spravy;
  if (!ModelZnamy(s.Model)) {
    spravy.emplace_back("MODEL UNBEKANNT! [einstellen: KVR 22]");
    s.Model = "KVR - 22";
  }
  if (!PrevodPlatny(s.Prevod)) {
    spravy.emplace_back("GETRIEBE UNBEKANNT! [einstellen: 3000]");
    s.Prevod = 1;
  }
  VyberTabulky(s);
  s.ModelIndex = IndexModelu(s.Model);
  const TModelRiadok& r = kModely[static_cast<size_t>(s.ModelIndex)];
  const size_t g = static_cast<size_t>(s.Prevod - 1);
  s.MaxOtacky = static_cast<uint16_t>(NumberOfCell(r.Otacky[g]));
  s.MaxBreite = static_cast<long double>(NumberOfCell(r.Sirka)) / 100.0L;
  s.DelitelPosuvu = static_cast<uint8_t>(NumberOfCell(r.Delitel[g]));
  s.KonstantaPosuvu = static_cast<long double>(NumberOfCell(r.Konstanta[g]));
  s.MeniPrevod = r.MeniPrevod != "0" ? 1 : 0;
  for (size_t i = 0; i < 3; ++i) s.OtackyPrevodu[i] = NumberOfCell(r.Otacky[i]);
  s.ModelText = s.Model + "/";
  return spravy;
}

std::string MaxSpeedText(const TStroj& s) {
  if (!PrevodPlatny(s.Prevod)) return "0";
  const size_t r = static_cast<size_t>(IndexModelu(s.Model));
  return std::string(kModely[r].Otacky[static_cast<size_t>(s.Prevod - 1)]);
}


// ---- Speed and feed limits ---------------------------------------------------

int32_t MaxOtackyKroku(const TStroj& s, uint8_t g) {
  if (s.MeniPrevod == 0) return s.MaxOtacky;
  // A gear step naming no gear of 1..3 (a gear step read back from KVR-G/C has
  // value 0) leaves the selected gear's limit in force.
  if (g >= 1 && g <= 3) return s.OtackyPrevodu[static_cast<size_t>(g - 1)];
  return s.MaxOtacky;
}

int32_t ZaokruhliOtacky(const TStroj& s, uint8_t prevod, int32_t n) {
  if (n == 0) return 0;
  const int32_t m = MaxOtackyKroku(s, prevod);
  // A gear the model does not have runs no speed; the files carry 0 for it.
  if (m == 0) return 0;
  const long double ml = m;
  int64_t kod = Round(1023.0L / ml * static_cast<long double>(n));
  if (kod == 0) kod = 1;
  return static_cast<int32_t>(Round(ml * static_cast<long double>(kod) / 1023.0L));
}

namespace {
// A divisor of 0 (a gear the model does not have) quantises nothing beyond the
// machine unit itself, as a divisor of 1 would.
long double Delitel(uint8_t w) { return w == 0 ? 1.0L : static_cast<long double>(w); }

long double PosuvZN(int64_t n, long double w) {
  return static_cast<long double>(Round(131072.0L / w / static_cast<long double>(n) * 1000.0L)) / 1000.0L;
}
int64_t Tisiciny(long double f) { return Round(f * 1000.0L); }
}  // namespace

long double FeedFromUnits(int64_t p, uint8_t w) {
  const long double wl = Delitel(w);
  int64_t n = Round(static_cast<long double>(p) / wl);
  // Fewer machine units than half a divisor step: the coarsest feed the divisor allows.
  if (n == 0) n = p < 0 ? -1 : 1;
  return PosuvZN(n, wl);
}

long double ZaokruhliPosuv(const TStroj& s, long double f) {
  if (f == 0.0L) return 0.0L;
  return FeedFromUnits(Round(131072.0L / f), s.DelitelPosuvu);
}

// The feeds of the divisor steps N fall as N rises, so "the next feed that
// differs" is found by searching over N, not by stepping machine units one by
// one (millions of steps for small feeds).
long double PosuvVyssi(const TStroj& s, long double f) {
  if (f == 0.0L) return 0.0L;
  const long double w = Delitel(s.DelitelPosuvu);
  const int64_t p = std::llabs(Round(131072.0L / f));
  const int64_t r0 = Tisiciny(f);
  int64_t n1 = std::max<int64_t>(Round(static_cast<long double>(p - 1) / w), 1);
  if (Tisiciny(PosuvZN(n1, w)) != r0) return PosuvZN(n1, w);
  // Largest n < n1 whose feed rounds above f.
  int64_t lo = 1, hi = n1 - 1, best = 0;
  while (lo <= hi) {
    const int64_t mid = lo + (hi - lo) / 2;
    if (Tisiciny(PosuvZN(mid, w)) != r0) {
      best = mid;
      lo = mid + 1;
    } else {
      hi = mid - 1;
    }
  }
  // No coarser step exists: f is already the largest feed of this divisor.
  return best == 0 ? PosuvZN(1, w) : PosuvZN(best, w);
}

long double PosuvNizsi(const TStroj& s, long double f) {
  if (f == 0.0L) return 0.0L;
  const long double w = Delitel(s.DelitelPosuvu);
  const int64_t p = std::llabs(Round(131072.0L / f));
  const int64_t r0 = Tisiciny(f);
  const int64_t n1 = std::max<int64_t>(Round(static_cast<long double>(p + 1) / w), 1);
  if (Tisiciny(PosuvZN(n1, w)) != r0) return PosuvZN(n1, w);
  // Nothing lies below a feed that already shows as 0.000.
  if (r0 <= 0) return 0.0L;
  // Smallest n > n1 whose feed rounds below f: widen, then bisect.
  int64_t lo = n1 + 1, hi = n1 + 1;
  while (Tisiciny(PosuvZN(hi, w)) == r0) {
    lo = hi + 1;
    hi = hi * 2;
  }
  while (lo < hi) {
    const int64_t mid = lo + (hi - lo) / 2;
    if (Tisiciny(PosuvZN(mid, w)) != r0)
      hi = mid;
    else
      lo = mid + 1;
  }
  return PosuvZN(lo, w);
}

}  // namespace kvr
