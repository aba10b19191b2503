#include "model/step_records.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

#include "model/numeric.h"
#include "model/program.h"
#include "model/machine.h"
#include "model/context.h"

namespace kvr {

namespace {

constexpr uint8_t U8(unsigned v) { return static_cast<uint8_t>(v & 0xFFu); }
constexpr unsigned Hi(uint8_t b) { return b >> 4; }
constexpr unsigned Lo(uint8_t b) { return b & 0x0Fu; }
constexpr uint8_t Bit(bool on, unsigned n) { return on ? U8(1u << n) : uint8_t{0}; }

long double L(const Real48& r) { return r.Get(); }

void Vymaz(TKrok& krok) { std::memset(krok.Bytes(), 0, sizeof(TKrok)); }

// Round(x) kept to its low 32 bits, as an unsigned bit pattern for the byte writers.
uint32_t Low32(long double x) { return static_cast<uint32_t>(Round32(x)); }

int64_t RoundClamp(long double x, int64_t lo, int64_t hi) { return std::clamp(Round(x), lo, hi); }

// Start of record i (numbered from `prvy`) of `size` bytes in a buffer of
// `bufSize` bytes; a record not wholly inside the buffer is refused.
size_t Ofset(size_t bufSize, int i, size_t size, int prvy) {
  if (i < prvy) throw std::out_of_range("record index below the first record");
  const size_t off = static_cast<size_t>(i - prvy) * size;
  if (off > bufSize || bufSize - off < size) throw std::out_of_range("record lies beyond the buffer");
  return off;
}

void SkontrolujBuf(size_t bufSize, size_t offset, size_t size) {
  if (offset > bufSize || bufSize - offset < size) throw std::out_of_range("record lies beyond the buffer");
}

// A level 0 is run as level 1; the record keeps 4 bits of level - 1.
unsigned Uroven(uint8_t u) { return (u == 0 ? 0u : static_cast<unsigned>(u) - 1u) & 0x0Fu; }

// --- KVR-T ---------------------------------------------------------------------

// The KVR-T layout. `online` selects the variant sent to the machine: gear of
// the current step in byte 1, speed and levels for every kind, feed for
// windings only.
// prevod: the gear in force at the step, for the speed code's scale; online,
// prevodAkt goes into the gear bits.
void ZapisT(const TStroj& s, uint8_t prevod, const TKrok& krok, uint8_t* p, bool online, uint8_t prevodAkt) {
  const uint8_t druh = krok.Druh;
  const bool vinutie = druh == kDruhWicklung || druh == kDruhBandagieren;

  p[0] = druh == kDruhBandagieren ? uint8_t{kDruhWicklung} : druh;
  const unsigned bity = online ? (prevodAkt & 3u) : krok.PrevodOtacok;
  p[1] = U8(krok.TypCyklu | (bity << 4));
  p[3] = U8(Bit(krok.VrstvaKoniec != 0, 0) | Bit(krok.VrstvaStop != 0, 1) | Bit(krok.AutKorekcia != 0, 2) |
            Bit(krok.AutManual != 0, 3) | Bit(krok.Kryt == 0, 4) | Bit(krok.Nulovat == 0, 5) |
            Bit(krok.SmerOtac != 0, 6) | Bit(krok.SmerPosuvu != 0, 7));
  PutU32(p + 4, Low32(L(krok.Hodnota) * 100.0L));
  const uint32_t lrev = Low32(L(krok.LRev) * 100.0L);
  p[8] = U8(lrev);
  p[9] = U8(lrev >> 8);
  p[10] = U8(lrev >> 16);
  p[11] = krok.RezervaT;
  PutU32(p + 12, Low32(L(krok.PRev) * 100.0L));

  if (vinutie || online) {
    const int32_t m = MaxOtackyKroku(s, prevod);
    // A gear without a speed limit (the model lacks it) carries speed 0.
    // Ten bits of speed code, as the reader takes them: a speed above the
    // gear's maximum (read from a file of another machine) is written as the
    // maximum, never as a code the reader refuses.
    const int64_t kod =
        m == 0 ? 0 : RoundClamp(1023.0L / static_cast<long double>(m) * static_cast<long double>(krok.Otacky), 0, 1023);
    PutU16(p + 16, static_cast<uint16_t>(kod));
    p[18] = U8(Uroven(krok.Rozbeh) | (Uroven(krok.Dobeh) << 4));
  }
  if (druh == kDruhVerschiebung || druh == kDruhSprung) p[19] = krok.RychPresun;
  const bool posuv = online ? druh == kDruhWicklung : vinutie;
  if (posuv && L(krok.PosuvMM) != 0.0L) PutU32(p + 20, Low32(131072000.0L / (L(krok.PosuvMM) * 1000.0L)));

  std::memcpy(p + 24, krok.Vstup, 6);
  p[30] = krok.Vrstvy;
  for (int n = 1; n <= 6; ++n) {
    uint8_t* q = p + 32 + 4 * (n - 1);
    PutU16(q, krok.VystupOneskorenie(n));
    q[3] = krok.VystupStav(n);
  }
  PutU32(p + 56, Low32(L(krok.AutKorL) * 100.0L));
  PutU32(p + 60, Low32(L(krok.AutKorP) * 100.0L));
  PutU16(p + 64, static_cast<uint16_t>((Low32(L(krok.TrapezL) * 100.0L) & 0xFFFFu) |
                                       (krok.TrapezLZnamienko != 0 ? 0x8000u : 0u)));
  PutU16(p + 66, static_cast<uint16_t>((Low32(L(krok.TrapezP) * 100.0L) & 0xFFFFu) |
                                       (krok.TrapezPZnamienko != 0 ? 0x8000u : 0u)));
}

void CitajT(const TStroj& s, uint8_t prevodPred, const uint8_t* zdroj, TKrok& krok) {
  std::array<uint8_t, kZaznamT> p{};
  std::memcpy(p.data(), zdroj, kZaznamT);
  const uint8_t* b = p.data();

  Vymaz(krok);
  const uint8_t druh = U8(b[0] & 7u);
  // A gear step's own gear is the one in force at it: kind and value go in
  // before the speed.
  krok.Druh = druh;
  krok.Hodnota = static_cast<long double>(static_cast<int32_t>(GetU32(b + 4))) / 100.0L;

  krok.TypCyklu = U8(b[1] & 7u);
  krok.PrevodOtacok = U8((b[1] >> 4) & 3u);
  krok.Kryt = (b[3] & 0x10) == 0 ? 1 : 0;
  krok.Nulovat = (b[3] & 0x20) == 0 ? 1 : 0;
  if (druh == kDruhWicklung) {
    krok.VrstvaKoniec = b[3] & 1u;
    krok.VrstvaStop = U8((b[3] >> 1) & 1u);
    krok.AutKorekcia = U8((b[3] >> 2) & 1u);
    krok.AutManual = U8((b[3] >> 3) & 1u);
    krok.SmerOtac = U8((b[3] >> 6) & 1u);
  }
  if (druh == kDruhWicklung || druh == kDruhSprung) krok.SmerPosuvu = U8(b[3] >> 7);
  krok.LRev = static_cast<long double>(GetU24(b + 8)) / 100.0L;
  krok.RezervaT = b[11];
  krok.PRev = static_cast<long double>(GetU24(b + 12)) / 100.0L;

  const long double m = MaxOtackyKroku(s, GearInForce(s, krok, prevodPred));
  krok.Otacky = Round32(static_cast<long double>(GetU16(b + 16)) * m / 1023.0L);
  krok.Rozbeh = U8((b[18] & 15u) + 1u);
  krok.Dobeh = U8((b[18] >> 4) + 1u);
  if (druh == kDruhVerschiebung) krok.RychPresun = b[19];
  krok.PosuvImp = static_cast<int32_t>(GetU32(b + 20));
  if (druh == kDruhWicklung) {
    if (krok.PosuvImp == 0) {
      krok.PosuvMM = 0.0L;
      krok.Druh = kDruhBandagieren;
    } else {
      krok.PosuvMM = FeedFromUnits(krok.PosuvImp, s.DelitelPosuvu);
    }
  }
  std::memcpy(krok.Vstup, b + 24, 6);
  krok.Vrstvy = b[30];
  for (int n = 1; n <= 6; ++n) {
    const uint8_t* q = b + 32 + 4 * (n - 1);
    krok.VystupOneskorenie(n) = GetU16(q);
    krok.VystupStav(n) = q[3];
  }
  if (druh == kDruhWicklung) {
    krok.AutKorL = static_cast<long double>(GetU24(b + 56)) / 100.0L;
    krok.AutKorP = static_cast<long double>(GetU24(b + 60)) / 100.0L;
    const uint16_t tl = GetU16(b + 64);
    const uint16_t tp = GetU16(b + 66);
    krok.TrapezLZnamienko = U8(tl >> 15);
    krok.TrapezL = static_cast<long double>(tl & 0x7FFFu) / 100.0L;
    krok.TrapezPZnamienko = U8(tp >> 15);
    krok.TrapezP = static_cast<long double>(tp & 0x7FFFu) / 100.0L;
  }
  if (druh == kDruhLeer || druh == kDruhBandagieren || druh == 7) {
    krok.PosuvMM = 0.0L;
    krok.Hodnota = 0.0L;
    krok.LRev = 0.0L;
    krok.PRev = 0.0L;
  }
}

// --- KVR-G/C -------------------------------------------------------------------

void ZapisGC(const TStroj& s, const TKrok& povodny, uint8_t* p) {
  TKrok krok = povodny;
  if (krok.Druh == kDruhBandagieren) krok.Druh = kDruhWicklung;
  const bool vinutie = krok.Druh == kDruhWicklung;

  p[0] = U8(krok.Druh | Bit(krok.AutKorekcia != 0, 6) | Bit(vinutie && krok.VrstvaStop != 0, 7));
  p[1] = U8(krok.TypCyklu | Bit(krok.AutManual != 0, 7));

  // Turns in hundredths: five integer digits and two decimals (0 to 99999.99).
  const int64_t h = RoundClamp(L(krok.Hodnota) * 100.0L, 0, 9999999);
  const int c = static_cast<int>(h / 10);
  p[2] = Bcd(c / 10000);
  p[3] = Bcd((c % 10000) / 100);
  p[4] = Bcd(c % 100);
  p[59] = U8(static_cast<unsigned>(h % 10));

  ZapisBcdSuradnicu(p + 5, L(krok.LRev));
  ZapisBcdSuradnicu(p + 8, L(krok.PRev));
  p[11] = Bit(krok.SmerPosuvu != 0, 7);
  const uint16_t mo = s.MaxOtacky;
  if (vinutie) {
    p[5] = U8(p[5] | (Uroven(krok.Rozbeh) << 4));
    p[8] = U8(p[8] | (Uroven(krok.Dobeh) << 4));
    p[11] = U8(p[11] | Bit(krok.SmerOtac != 0, 0) | Bit(krok.Kryt == 0, 5) | Bit(krok.Nulovat == 0, 6));
    if (krok.Otacky != 0 && mo != 0) {
      // Ten bits of speed code: the gear's limit is the most the record holds.
      const int64_t kod =
          RoundClamp(1023.0L / static_cast<long double>(mo) * static_cast<long double>(krok.Otacky), 0, 1023);
      if (kod == 0) {
        p[11] = U8(p[11] | 4u);
      } else {
        p[12] = U8(static_cast<unsigned>(kod / 4));
        p[11] = U8(p[11] | (static_cast<unsigned>(kod % 4) << 1));
      }
    }
    const long double f = L(krok.PosuvMM);
    if (f > 0.0L) {
      const auto v = static_cast<uint32_t>(RoundClamp(131072.0L / f, 0, 0xFFFFFF));
      p[13] = U8(v >> 16);
      p[14] = U8(v >> 8);
      p[15] = U8(v);
    }
    if (f == 0.0L) {
      p[16] = 0xFF;
    } else {
      const int64_t w = Round(10.0L / f);
      p[16] = w >= 0 && w <= 255 ? U8(static_cast<unsigned>(w)) : uint8_t{0xFF};
    }
  }
  if (krok.Druh == kDruhVerschiebung) {
    const uint8_t r = krok.RychPresun;
    p[15] = r == 10 || r == 25 || r == 50 ? r : uint8_t{100};
  }

  std::memcpy(p + 17, krok.Vstup, 4);
  for (int n = 1; n <= 4; ++n) {
    uint8_t* q = p + 21 + 7 * (n - 1);
    const uint16_t d = krok.VystupOneskorenie(n);
    q[0] = U8(krok.VystupStav(n) | Bit(d != 0, 1));
    q[3] = U8(d >> 8);
    q[4] = U8(d);
  }

  p[49] = U8(static_cast<unsigned>(RoundClamp(static_cast<long double>(krok.GCHodnotaA) / 40.0L, 0, 255)));
  const int32_t x = krok.GCHodnotaB;
  if (x >= 40) {
    p[50] = U8(static_cast<unsigned>(RoundClamp(static_cast<long double>(x) / 40.0L, 0, 127)) | 0x80u);
  } else if (x >= 1) {
    p[50] = U8(static_cast<unsigned>(Round(40.0L / static_cast<long double>(x))));
  }
  p[51] = Bit(krok.GCPriznak != 0, 7);
  ZapisBcdSuradnicu(p + 52, L(krok.AutKorL));
  ZapisBcdSuradnicu(p + 55, L(krok.AutKorP));
  p[58] = krok.Vrstvy;

  if (vinutie) {
    auto trapez = [&](uint8_t* q, long double t, uint8_t znamienko) {
      if (t == 0.0L) return;
      // Three digits of tenths below the sign bit.
      const int ct = static_cast<int>(RoundClamp(t * 10.0L, 0, 7999));
      q[0] = U8(Bcd(ct / 100) | Bit(znamienko != 0, 7));
      q[1] = Bcd(ct % 100);
    };
    trapez(p + 60, L(krok.TrapezL), krok.TrapezLZnamienko);
    trapez(p + 62, L(krok.TrapezP), krok.TrapezPZnamienko);
  }
}

void CitajGC(const TStroj& s, const uint8_t* zdroj, TKrok& krok) {
  std::array<uint8_t, kZaznamGC> p{};
  std::memcpy(p.data(), zdroj, kZaznamGC);
  const uint8_t* b = p.data();

  Vymaz(krok);
  const uint8_t druh = U8(b[0] & 7u);
  const bool vinutie = druh == kDruhWicklung;
  krok.Druh = druh;
  krok.Nulovat = (b[0] & 0x80) == 0 ? 1 : 0;
  krok.TypCyklu = U8(b[1] & 7u);
  if (vinutie) {
    krok.VrstvaStop = U8(b[0] >> 7);
    krok.AutKorekcia = U8((b[0] >> 6) & 1u);
    krok.AutManual = U8(b[1] >> 7);
  }
  const unsigned stotiny = Hi(b[2]) * 1000000u + Lo(b[2]) * 100000u + Hi(b[3]) * 10000u + Lo(b[3]) * 1000u +
                           Hi(b[4]) * 100u + Lo(b[4]) * 10u + Lo(b[59]);
  krok.Hodnota = static_cast<long double>(stotiny) / 100.0L;
  if (vinutie) {
    krok.LRev = CitajBcdSuradnicu(b + 5);
    krok.Rozbeh = U8(((b[5] >> 4) & 7u) + 1u);
    krok.PRev = CitajBcdSuradnicu(b + 8);
    krok.Dobeh = U8(((b[8] >> 4) & 7u) + 1u);
    krok.SmerOtac = b[11] & 1u;
    krok.Kryt = (b[11] & 0x20) == 0 ? 1 : 0;
    krok.Nulovat = (b[11] & 0x40) == 0 ? 1 : 0;
    // The whole 10-bit code the writer stores (byte 12 and bits 1, 2 of byte
    // 11), so that a file read and saved again keeps its speeds.
    const unsigned kod = b[12] * 4u + ((b[11] >> 1) & 3u);
    krok.Otacky = Round32(static_cast<long double>(kod) * static_cast<long double>(s.MaxOtacky) / 1023.0L);
    krok.PosuvImp = static_cast<int32_t>((static_cast<uint32_t>(b[13]) << 16) | (static_cast<uint32_t>(b[14]) << 8) | b[15]);
    if (krok.PosuvImp == 0) {
      krok.PosuvMM = 0.0L;
      krok.Druh = kDruhBandagieren;
    } else {
      krok.PosuvMM = FeedFromUnits(krok.PosuvImp, s.DelitelPosuvu);
    }
    krok.GCHodnotaA = static_cast<int32_t>(b[49]) * 40;
    if ((b[50] & 0x80) != 0)
      krok.GCHodnotaB = static_cast<int32_t>(b[50] & 0x7Fu) * 40;
    else if (b[50] != 0)
      krok.GCHodnotaB = static_cast<int32_t>(Round(40.0L / static_cast<long double>(b[50])));
    krok.GCPriznak = U8(b[51] >> 7);
    krok.AutKorL = CitajBcdSuradnicu(b + 52);
    krok.AutKorP = CitajBcdSuradnicu(b + 55);
  }
  if (vinutie || druh == kDruhSprung) krok.SmerPosuvu = U8(b[11] >> 7);
  if (druh == kDruhVerschiebung) {
    krok.PosuvMM = static_cast<long double>(b[15]);
    krok.RychPresun = b[15];
  }
  std::memcpy(krok.Vstup, b + 17, 4);
  for (int n = 1; n <= 4; ++n) {
    const uint8_t* q = b + 21 + 7 * (n - 1);
    krok.VystupStav(n) = q[0];
    krok.VystupOneskorenie(n) = static_cast<uint16_t>((q[3] << 8) | q[4]);
  }
  krok.Vrstvy = b[58];
  if (druh == kDruhLeer || druh == kDruhGetriebe || druh == kDruhBandagieren || druh == 7) {
    krok.PosuvMM = 0.0L;
    krok.Hodnota = 0.0L;
    krok.LRev = 0.0L;
    krok.PRev = 0.0L;
  }
}

std::string Schritt(int i) { return " Schritt " + std::to_string(i) + ": "; }

}  // namespace

uint8_t Bcd(int a) {
  a = std::clamp(a, 0, 99);
  return U8(static_cast<unsigned>((a / 10) * 16 + a % 10));
}

void ZapisBcdSuradnicu(uint8_t* p, long double x) {
  const int c = static_cast<int>(RoundClamp(x * 10.0L, 0, 99999));
  p[0] = Bcd(c / 10000);
  p[1] = Bcd((c / 100) % 100);
  p[2] = Bcd(c % 100);
}

long double CitajBcdSuradnicu(const uint8_t* p) {
  const unsigned desatiny = Lo(p[0]) * 10000u + Hi(p[1]) * 1000u + Lo(p[1]) * 100u + Hi(p[2]) * 10u + Lo(p[2]);
  return static_cast<long double>(desatiny) / 10.0L;
}

void KrokDoT(const TStroj& s, uint8_t prevod, const TKrok& krok, std::span<uint8_t> buf, int i) {
  const size_t off = Ofset(buf.size(), i, kZaznamT, 0);
  std::fill_n(buf.begin() + static_cast<std::ptrdiff_t>(off), kZaznamT, uint8_t{0});
  ZapisT(s, prevod, krok, buf.data() + off, false, 0);
}

void KrokZT(const TStroj& s, uint8_t prevodPred, std::span<const uint8_t> buf, int i, TKrok& krok) {
  const size_t off = Ofset(buf.size(), i, kZaznamT, 0);
  CitajT(s, prevodPred, buf.data() + off, krok);
}

void KrokDoGC(const TStroj& s, const TKrok& krok, std::span<uint8_t> buf, int i) {
  const size_t off = Ofset(buf.size(), i, kZaznamGC, 0);
  std::fill_n(buf.begin() + static_cast<std::ptrdiff_t>(off), kZaznamGC, uint8_t{0});
  ZapisGC(s, krok, buf.data() + off);
}

void KrokZGC(const TStroj& s, std::span<const uint8_t> buf, int i, TKrok& krok) {
  const size_t off = Ofset(buf.size(), i, kZaznamGC, 0);
  CitajGC(s, buf.data() + off, krok);
}

void KrokDoTBuf(const TStroj& s, uint8_t prevod, uint8_t prevodAkt, const TKrok& krok, std::span<uint8_t> buf,
                size_t offset) {
  SkontrolujBuf(buf.size(), offset, kZaznamT);
  ZapisT(s, prevod, krok, buf.data() + offset, true, prevodAkt);
}

void KrokZTBuf(const TStroj& s, uint8_t prevodPred, std::span<const uint8_t> buf, size_t offset, TKrok& krok) {
  SkontrolujBuf(buf.size(), offset, kZaznamT);
  CitajT(s, prevodPred, buf.data() + offset, krok);
}

std::optional<std::string> CheckKvrTSpeedCode(std::span<const uint8_t> zaznam, int i) {
  if (zaznam.size() < kZaznamT) throw std::out_of_range("record shorter than a KVR-T record");
  const uint16_t kod = GetU16(zaznam.data() + 16);
  if (kod <= 1023) return std::nullopt;
  return Schritt(i) + "Drehzahlcode " + std::to_string(kod) + " größer als 1023 !";
}

std::optional<long double> PosuvZKodu(const TStroj& s, int f, int v) {
  if (f == 0) return 0.0L;
  if (f < 0 || f > 104 || s.TabulkaPosuvu == nullptr) return std::nullopt;
  const TPolozkaPosuvu& e = (*s.TabulkaPosuvu)[static_cast<size_t>(f)];
  const int delitel = static_cast<int>(e.c) - static_cast<int>(e.d) * v;
  if (delitel <= 0) return std::nullopt;
  const long double x = L(s.KonstantaPosuvu) / static_cast<long double>(delitel);
  return static_cast<long double>(Round(x * 1000.0L)) / 1000.0L;
}

std::optional<std::string> KrokZGC11(const TStroj& s, std::span<const uint8_t> buf, int i, TKrok& krok) {
  const size_t off = Ofset(buf.size(), i, kZaznamStary, 1);
  std::array<uint8_t, kZaznamStary> b{};
  std::memcpy(b.data(), buf.data() + off, kZaznamStary);

  Vymaz(krok);
  if (s.TabulkaPosuvu == nullptr || s.TabulkaOtacok == nullptr)
    return Schritt(i) + "alte Programme für Modell " + s.Model + " nicht lesbar !";

  const unsigned zavityD = Hi(b[1]) * 100000u + Lo(b[1]) * 10000u + Hi(b[2]) * 1000u + Lo(b[2]) * 100u +
                           Hi(b[3]) * 10u + Lo(b[3]);
  const uint8_t b4 = U8(b[4] & 0x7Fu);
  const uint8_t b6 = U8(b[6] & 0x7Fu);
  const unsigned prvaD = Hi(b4) * 1000u + Lo(b4) * 100u + Hi(b[5]) * 10u + Lo(b[5]);
  const unsigned druhaD = Hi(b6) * 1000u + Lo(b6) * 100u + Hi(b[7]) * 10u + Lo(b[7]);
  const int korekcia = static_cast<int>(b[8] & 0x0Fu) * ((b[8] & 0x10) != 0 ? -1 : 1);
  const int kodPosuvu = static_cast<int>(Hi(b[9]) * 10u + Lo(b[9]));
  const unsigned kodOtacok = b[10] & 31u;

  uint8_t druh = kDruhLeer;
  if (zavityD != 0)
    druh = kodPosuvu != 0 ? kDruhWicklung : kDruhBandagieren;
  else if (kodPosuvu != 0)
    druh = kDruhVerschiebung;
  else if (druhaD != 0)
    druh = kDruhSprung;
  const bool vinutie = druh == kDruhWicklung || druh == kDruhBandagieren;

  if (kodPosuvu > 104) return Schritt(i) + "unbekannter Vorschubcode " + std::to_string(kodPosuvu) + " !";
  const std::optional<long double> posuv = PosuvZKodu(s, kodPosuvu, korekcia);
  if (!posuv)
    return Schritt(i) + "Vorschubcode " + std::to_string(kodPosuvu) + " mit Korrektur " + std::to_string(korekcia) +
           " nicht definiert !";
  // Only windings run a speed; a code without a table entry elsewhere is unused.
  if (vinutie && kodOtacok == 31) return Schritt(i) + "unbekannter Drehzahlcode 31 !";

  krok.Druh = druh;
  krok.PosuvMM = *posuv;
  // The cycle type decides where the program ends, so every kind keeps it.
  krok.TypCyklu = U8((b[0] >> 4) & 7u);
  const long double druha = static_cast<long double>(druhaD) / 10.0L;
  switch (druh) {
    case kDruhWicklung:
    case kDruhBandagieren:
      krok.Hodnota = static_cast<long double>(zavityD) / 10.0L;
      krok.LRev = static_cast<long double>(prvaD) / 10.0L;
      krok.PRev = druha;
      krok.Otacky = (*s.TabulkaOtacok)[kodOtacok];
      krok.Nulovat = (b[0] & 0x80) == 0 ? 1 : 0;
      krok.Rozbeh = U8((b[0] & 7u) + 1u);
      krok.SmerPosuvu = U8(b[6] >> 7);
      krok.Dobeh = U8((b[8] >> 5) + 1u);
      krok.SmerOtac = (b[10] & 0x20) == 0 ? 1 : 0;
      krok.Kryt = (b[10] & 0x80) == 0 ? 1 : 0;
      break;
    case kDruhVerschiebung:
      krok.Hodnota = druha;
      krok.RychPresun = kodPosuvu < 21 ? 25 : kodPosuvu < 50 ? 50 : kodPosuvu < 70 ? 75 : 100;
      break;
    case kDruhSprung:
      krok.Hodnota = druha;
      krok.RychPresun = 50;
      krok.SmerPosuvu = U8(b[6] >> 7);
      break;
    default:
      break;
  }
  return std::nullopt;
}

}  // namespace kvr
