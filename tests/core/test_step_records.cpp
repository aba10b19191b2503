#include "model/step_records.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <functional>
#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "model/numeric.h"
#include "model/program.h"
#include "model/machine.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "model/context.h"

namespace kvr {
namespace {

// The encoders and decoders as the program files use them: record i of the
// context's image buffer, under the gear in force at step i of its program
// (decoding: before it).
void KrokDoT(TKontext& k, const TKrok& krok, int i) {
  kvr::KrokDoT(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, i), krok, k.Subory.SuborBuf, i);
}
void KrokZT(TKontext& k, TKrok& krok, int i) {
  kvr::KrokZT(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, std::clamp(i - 1, 0, kMaxKrokov)), k.Subory.SuborBuf, i,
              krok);
}
void KrokDoGC(TKontext& k, const TKrok& krok, int i) { kvr::KrokDoGC(k.Stroj, krok, k.Subory.SuborBuf, i); }
void KrokZGC(TKontext& k, TKrok& krok, int i) { kvr::KrokZGC(k.Stroj, k.Subory.SuborBuf, i, krok); }
std::optional<std::string> KrokZGC11(TKontext& k, TKrok& krok, int i) {
  return kvr::KrokZGC11(k.Stroj, k.Subory.SuborBuf, i, krok);
}
// Online: the gear bits carry the current step's gear.
void KrokDoTBuf(const TKontext& k, const TKrok& krok, std::span<uint8_t> buf, size_t offset, int i) {
  kvr::KrokDoTBuf(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, i), PrevodKroku(k.Stroj, k.Program.Kroky, k.Program.AktKrok),
                  krok, buf, offset);
}
void KrokZTBuf(const TKontext& k, std::span<const uint8_t> buf, size_t offset, TKrok& krok, int i) {
  kvr::KrokZTBuf(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, std::clamp(i - 1, 0, kMaxKrokov)), buf, offset, krok);
}

using Bajty = std::vector<std::pair<size_t, unsigned>>;  // the non-zero bytes of a record

std::vector<uint8_t> Zaznam(size_t n, const Bajty& nenulove) {
  std::vector<uint8_t> z(n);
  for (const auto& [o, v] : nenulove) z.at(o) = static_cast<uint8_t>(v);
  return z;
}

std::string Hex(const std::vector<uint8_t>& z) {
  std::ostringstream s;
  for (size_t i = 0; i < z.size(); ++i) {
    if (z[i] != 0) s << i << ":" << std::hex << static_cast<unsigned>(z[i]) << std::dec << " ";
  }
  return s.str();
}

// Byte-wise equality of two steps, naming the offsets that differ.
::testing::AssertionResult RovnakyKrok(const TKrok& a, const TKrok& b) {
  if (a == b) return ::testing::AssertionSuccess();
  auto r = ::testing::AssertionFailure() << "differing bytes at offsets:";
  for (size_t i = 0; i < sizeof(TKrok); ++i)
    if (a.Bytes()[i] != b.Bytes()[i]) r << " " << i;
  return r;
}

long double R(long double x) { return Real48(x).Get(); }

// A winding step using every field the KVR-T record carries.
TKrok Winding() {
  TKrok s;
  s.Druh = kDruhWicklung;
  s.TypCyklu = kCyklusAutLangsam;
  s.PrevodOtacok = 1;
  s.Hodnota = 123.45L;
  s.LRev = 10.5L;
  s.PRev = 60.25L;
  s.Otacky = 1200;
  s.SmerOtac = 1;
  s.Rozbeh = 3;
  s.Dobeh = 5;
  s.SmerPosuvu = 1;
  s.Kryt = 0;
  s.Vrstvy = 4;
  s.VrstvaStop = 1;
  s.AutKorekcia = 1;
  s.Nulovat = 1;
  s.Vstup[0] = 1;
  s.Vstup[1] = 2;
  s.Vstup[2] = 3;
  s.Vstup[5] = 1;
  s.VystupStav(1) = 0x80;
  s.VystupOneskorenie(1) = 300;
  s.VystupStav(6) = 0x40;
  s.VystupOneskorenie(6) = 0x1234;
  s.PosuvMM = 0.5L;
  s.AutKorL = 0.25L;
  s.AutKorP = 1.5L;
  s.TrapezL = 2.5L;
  s.TrapezLZnamienko = 1;
  s.TrapezP = 0.75L;
  s.RezervaT = 0x5A;
  s.GCHodnotaA = 400;
  s.GCHodnotaB = 120;
  s.GCPriznak = 1;
  return s;
}

TKrok Krok(uint8_t druh, long double hodnota, const std::function<void(TKrok&)>& dalsie = {}) {
  TKrok s;
  s.Druh = druh;
  s.TypCyklu = kCyklusStop;
  s.Hodnota = hodnota;
  s.Kryt = 1;
  s.Nulovat = 1;
  if (dalsie) dalsie(s);
  return s;
}

TKrok Posun() {
  return Krok(kDruhVerschiebung, 150.0L, [](TKrok& s) {
    s.RychPresun = 50;
    s.PosuvMM = 50.0L;
  });
}
TKrok Jump() {
  return Krok(kDruhSprung, 12.5L, [](TKrok& s) {
    s.RychPresun = 25;
    s.PosuvMM = 25.0L;
    s.SmerPosuvu = 1;
    s.Nulovat = 0;
  });
}
TKrok Pauza() { return Krok(kDruhPause, 2500.0L); }
TKrok Prevod2() { return Krok(kDruhGetriebe, 0.02L); }
TKrok Bandaz() {
  return Krok(kDruhBandagieren, 40.0L, [](TKrok& s) {
    s.LRev = 20.0L;
    s.PRev = 20.0L;
    s.Otacky = 600;
    s.Rozbeh = 0;
    s.Dobeh = 16;
    s.Vrstvy = 1;
  });
}

struct ZaznamyTest : ::testing::Test {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  std::vector<uint8_t>& buf = k.Subory.SuborBuf;

  // "KVR - 22" gear 1: speed limit 3000, feed divisor 32, feed constant 128.
  void SetUp() override { Nastav("KVR - 22", 1); }
  void Nastav(const char* model, int prevod) {
    k.Stroj.Model = model;
    k.Stroj.Prevod = prevod;
    NastavModel(k);
  }
  std::vector<uint8_t> Vyrez(size_t od, size_t n) const {
    return {buf.begin() + static_cast<std::ptrdiff_t>(od), buf.begin() + static_cast<std::ptrdiff_t>(od + n)};
  }
};

// ---- BCD --------------------------------------------------------------------

TEST_F(ZaznamyTest, BcdCoordinateDigitsAndClamping) {
  const struct {
    long double x;
    std::vector<uint8_t> bajty;
    long double spat;
  } cases[] = {
      {0.0L, {0x00, 0x00, 0x00}, 0.0L},
      {1234.5L, {0x01, 0x23, 0x45}, 1234.5L},
      {60.25L, {0x00, 0x06, 0x02}, 60.2L},  // 602.5 tenths: ties to even
      {60.75L, {0x00, 0x06, 0x08}, 60.8L},
      {9999.9L, {0x09, 0x99, 0x99}, 9999.9L},
      {12000.0L, {0x09, 0x99, 0x99}, 9999.9L},  // beyond the format: its largest value
      {-3.0L, {0x00, 0x00, 0x00}, 0.0L},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> z(3);
    ZapisBcdSuradnicu(z.data(), c.x);
    EXPECT_EQ(z, c.bajty) << static_cast<double>(c.x);
    EXPECT_EQ(CitajBcdSuradnicu(z.data()), c.spat) << static_cast<double>(c.x);
  }
  // The high digit of the first byte belongs to other fields.
  const uint8_t s[] = {0x71, 0x23, 0x45};
  EXPECT_EQ(CitajBcdSuradnicu(s), 1234.5L);
  EXPECT_EQ(Bcd(47), 0x47);
  EXPECT_EQ(Bcd(120), 0x99);
  EXPECT_EQ(Bcd(-1), 0x00);
}

// ---- KVR-T ------------------------------------------------------------------

TEST_F(ZaznamyTest, KvrTRecordBytes) {
  const struct {
    const char* nazov;
    TKrok krok;
    Bajty bajty;
  } cases[] = {
      {"winding", Winding(),
       {{0, 0x01}, {1, 0x12}, {3, 0xD6}, {4, 0x39}, {5, 0x30},  // 12345
        {8, 0x1A}, {9, 0x04}, {11, 0x5A}, {12, 0x89}, {13, 0x17},  // 1050, 6025
        {16, 0x99}, {17, 0x01}, {18, 0x42},                         // s = 409; levels 3 and 5
        {22, 0x04},                                                 // 262144 units
        {24, 1}, {25, 2}, {26, 3}, {29, 1}, {30, 4},
        {32, 0x2C}, {33, 0x01}, {35, 0x80}, {52, 0x34}, {53, 0x12}, {55, 0x40},
        {56, 25}, {60, 150}, {64, 0xFA}, {65, 0x80}, {66, 75}}},
      {"shift", Posun(), {{0, 2}, {1, 1}, {4, 0x98}, {5, 0x3A}, {19, 50}}},
      {"jump", Jump(), {{0, 3}, {1, 1}, {3, 0xA0}, {4, 0xE2}, {5, 0x04}, {19, 25}}},
      {"pause", Pauza(), {{0, 4}, {1, 1}, {4, 0x90}, {5, 0xD0}, {6, 0x03}}},
      {"gear", Prevod2(), {{0, 5}, {1, 1}, {4, 2}}},
      {"taping", Bandaz(),
       {{0, 1}, {1, 1}, {4, 0xA0}, {5, 0x0F}, {8, 0xD0}, {9, 0x07}, {12, 0xD0}, {13, 0x07},
        {16, 205}, {18, 0xF0}, {30, 1}}},
  };
  for (const auto& c : cases) {
    std::fill(buf.begin(), buf.end(), uint8_t{0xEE});  // the encoder clears its record
    KrokDoT(k, c.krok, 2);
    EXPECT_EQ(Hex(Vyrez(2 * kZaznamT, kZaznamT)), Hex(Zaznam(kZaznamT, c.bajty))) << c.nazov;
    EXPECT_EQ(buf[2 * kZaznamT - 1], 0xEE) << c.nazov;
    EXPECT_EQ(buf[3 * kZaznamT], 0xEE) << c.nazov;
  }
}

TEST_F(ZaznamyTest, KvrTOutOfRangeValuesKeepTheirLowBits) {
  TKrok s = Krok(kDruhVerschiebung, -1.5L, [](TKrok& x) {
    x.LRev = 200000.0L;      // 20000000 = 0x1312D00: 24 bits kept
    x.TrapezL = 400.0L;      // 40000 = 0x9C40: 16 bits, bit 15 already set
  });
  KrokDoT(k, s, 1);
  const auto z = Vyrez(kZaznamT, kZaznamT);
  EXPECT_EQ(GetU32(&z[4]), 0xFFFFFF6Au);
  EXPECT_EQ(GetU24(&z[8]), 0x312D00u);
  EXPECT_EQ(GetU16(&z[64]), 0x9C40u);
  KrokZT(k, k.Program.Kroky[1], 1);
  EXPECT_EQ(static_cast<long double>(k.Program.Kroky[1].Hodnota), R(-1.5L));  // a signed 32-bit value

  TKrok v = Winding();
  v.Hodnota = 3.0e7L;  // 3e9 hundredths: beyond 2^31
  v.Rozbeh = 20;       // 19 = 0x13: its low 4 bits
  v.Otacky = -3;
  v.PosuvMM = -0.5L;
  KrokDoT(k, v, 1);
  const auto w = Vyrez(kZaznamT, kZaznamT);
  EXPECT_EQ(GetU32(&w[4]), 3000000000u);
  EXPECT_EQ(w[18] & 0x0F, 0x03);
  // The speed code is the one field held to what the reader takes: 0..1023.
  EXPECT_EQ(GetU16(&w[16]), 0u);
  EXPECT_EQ(GetU32(&w[20]), static_cast<uint32_t>(-262144));
}

TEST_F(ZaznamyTest, KvrTSpeedAboveTheGearsLimitIsWrittenAsTheLimit) {
  // A speed read from another machine's file: the saved file must open again.
  TKrok v = Winding();
  v.Otacky = 12000;  // the gear runs 3000
  KrokDoT(k, v, 1);
  EXPECT_EQ(GetU16(&buf[kZaznamT + 16]), 1023u);
  EXPECT_EQ(CheckKvrTSpeedCode(std::span<const uint8_t>(&buf[kZaznamT], kZaznamT), 1), std::nullopt);
  KrokZT(k, k.Program.Kroky[1], 1);
  EXPECT_EQ(k.Program.Kroky[1].Otacky, 3000);
}

TEST_F(ZaznamyTest, KvrTSpeedIsZeroForAGearWithoutLimit) {
  Nastav("KVR - 42S", 3);  // the model has no third gear
  KrokDoT(k, Winding(), 1);
  EXPECT_EQ(GetU16(&buf[kZaznamT + 16]), 0u);
  KrokZT(k, k.Program.Kroky[1], 1);
  EXPECT_EQ(k.Program.Kroky[1].Otacky, 0);
}

TEST_F(ZaznamyTest, KvrTRoundTrip) {
  const struct {
    const char* nazov;
    TKrok krok;
    std::function<void(TKrok&)> zmeny;  // what the record changes
  } cases[] = {
      {"winding",
       [] {
         TKrok s = Winding();
         s.Otacky = 1199;      // a speed the machine runs (409 / 1023 of 3000)
         s.PosuvMM = 0.3004L;  // not a feed the machine runs
         return s;
       }(),
       [](TKrok& s) {
         s.PosuvImp = 436325;
         s.PosuvMM = 0.3L;
         s.GCHodnotaA = 0;  // carried by KVR-G/C only
         s.GCHodnotaB = 0;
         s.GCPriznak = 0;
       }},
      {"taping", Bandaz(), [](TKrok& s) {
         s.Otacky = 601;  // 205 / 1023 of 3000
         s.Rozbeh = 1;
       }},
      {"winding without feed", Krok(kDruhWicklung, 5.0L, [](TKrok& s) { s.Rozbeh = s.Dobeh = 1; }),
       [](TKrok& s) { s.Druh = kDruhBandagieren; }},
      {"shift", Posun(), [](TKrok& s) {
         s.PosuvMM = 0.0L;
         s.Rozbeh = s.Dobeh = 1;
       }},
      {"jump", Jump(), [](TKrok& s) {
         s.PosuvMM = 0.0L;
         s.RychPresun = 0;
         s.Rozbeh = s.Dobeh = 1;
       }},
      {"pause", Pauza(), [](TKrok& s) { s.Rozbeh = s.Dobeh = 1; }},
      {"gear", Prevod2(), [](TKrok& s) { s.Rozbeh = s.Dobeh = 1; }},
      {"empty with leftovers", Krok(kDruhLeer, 7.0L, [](TKrok& s) { s.LRev = 3.0L; }), [](TKrok& s) {
         s.Hodnota = 0.0L;
         s.LRev = 0.0L;
         s.Rozbeh = s.Dobeh = 1;
       }},
  };
  for (const auto& c : cases) {
    KrokDoT(k, c.krok, 5);
    TKrok spat = Winding();  // the decoder clears the step first
    KrokZT(k, spat, 5);
    TKrok ocakavany = c.krok;
    c.zmeny(ocakavany);
    EXPECT_TRUE(RovnakyKrok(spat, ocakavany)) << c.nazov;
  }
}

TEST_F(ZaznamyTest, KvrTReaderDerivesFeedWithTheCurrentDivisor) {
  // 131072 / 0.5 units; "KVR - 100" gear 2 has divisor 8: N = 32768, feed 0.5.
  TKrok v = Winding();
  KrokDoT(k, v, 1);
  Nastav("KVR - 100", 2);
  KrokZT(k, k.Program.Kroky[1], 1);
  EXPECT_EQ(k.Program.Kroky[1].PosuvImp, 262144);
  EXPECT_EQ(static_cast<long double>(k.Program.Kroky[1].PosuvMM), R(0.5L));
  // 1000 units with divisor 32: N = 31, 131072 / 32 / 31 = 132.129...
  buf[kZaznamT + 20] = 0xE8;
  buf[kZaznamT + 21] = 0x03;
  buf[kZaznamT + 22] = 0;
  Nastav("KVR - 22", 1);
  KrokZT(k, k.Program.Kroky[1], 1);
  EXPECT_EQ(static_cast<long double>(k.Program.Kroky[1].PosuvMM), R(132.129L));
}

// On models that change gears the speed scale of a step is the gear in force
// there, read from the program store; the reader fills the store in order.
TEST_F(ZaznamyTest, KvrTSpeedFollowsTheGearInForce) {
  Nastav("KVR - 60", 1);  // gear 1: 500 rpm, gear 2: 3000 rpm
  TKrok v1 = Winding();
  v1.Otacky = 200;  // gear 1: s = 409
  TKrok v3 = Winding();
  v3.Otacky = 1199;  // gear 2: s = 409 as well
  const TKrok kroky[] = {v1, Prevod2(), v3};
  for (int i = 1; i <= 3; ++i) {
    k.Program.Kroky[i] = kroky[i - 1];
    KrokDoT(k, kroky[i - 1], i);
  }
  EXPECT_EQ(GetU16(&buf[1 * kZaznamT + 16]), 409u);
  EXPECT_EQ(GetU16(&buf[3 * kZaznamT + 16]), 409u);
  k.Program.Kroky.Vymaz();
  for (int i = 1; i <= 3; ++i) KrokZT(k, k.Program.Kroky[i], i);
  EXPECT_EQ(k.Program.Kroky[1].Otacky, 200);
  EXPECT_EQ(k.Program.Kroky[3].Otacky, 1199);

  // A gear step carries a speed online; decoded into its own place it takes
  // its own gear, whatever the place held before.
  TKrok g = Prevod2();
  g.Otacky = 1199;
  std::vector<uint8_t> b(kZaznamT);
  k.Program.Kroky[1] = g;
  KrokDoTBuf(k, g, b, 0, 1);
  k.Program.Kroky[1] = Krok(kDruhGetriebe, 0.01L);
  KrokZTBuf(k, b, 0, k.Program.Kroky[1], 1);
  EXPECT_EQ(k.Program.Kroky[1].Otacky, 1199);
}

TEST_F(ZaznamyTest, KvrTBufferVariantDiffersInThreePoints) {
  Nastav("KVR - 60", 1);
  k.Program.Kroky[1] = Prevod2();
  k.Program.AktKrok = 3;  // gear 2 in force at the current step
  const struct {
    const char* nazov;
    TKrok krok;
    Bajty rozdiel;  // bytes of the buffer variant that differ from the file record
  } cases[] = {
      {"winding: gear of the current step", Winding(), {{1, 0x22}}},
      {"shift: speed and levels", Krok(kDruhVerschiebung, 10.0L, [](TKrok& s) {
         s.Otacky = 1000;  // s = 341 at 3000 rpm
         s.Rozbeh = 2;
       }),
       {{1, 0x21}, {16, 0x55}, {17, 0x01}, {18, 0x01}}},
      {"taping with feed: none sent", Krok(kDruhBandagieren, 10.0L, [](TKrok& s) { s.PosuvMM = 0.5L; }),
       {{1, 0x21}, {22, 0x00}}},
  };
  for (const auto& c : cases) {
    KrokDoT(k, c.krok, 3);
    std::vector<uint8_t> ocakavany = Vyrez(3 * kZaznamT, kZaznamT);
    for (const auto& [o, v] : c.rozdiel) {
      EXPECT_NE(ocakavany[o], v) << c.nazov << " byte " << o;
      ocakavany[o] = static_cast<uint8_t>(v);
    }
    std::vector<uint8_t> b(kZaznamT + 10);
    KrokDoTBuf(k, c.krok, b, 10, 3);
    EXPECT_EQ(Hex(std::vector<uint8_t>(b.begin() + 10, b.end())), Hex(ocakavany)) << c.nazov;

    TKrok zSuboru, zBuf;
    std::copy(b.begin() + 10, b.end(), buf.begin() + 4 * kZaznamT);
    KrokZT(k, zSuboru, 4);
    KrokZTBuf(k, b, 10, zBuf, 4);
    EXPECT_TRUE(RovnakyKrok(zBuf, zSuboru)) << c.nazov;
  }
}

// ---- KVR-G/C ----------------------------------------------------------------

TEST_F(ZaznamyTest, KvrGCRecordBytes) {
  const struct {
    const char* nazov;
    TKrok krok;
    Bajty bajty;
  } cases[] = {
      {"winding", Winding(),
       {{0, 0xC1}, {1, 0x02}, {3, 0x12}, {4, 0x34}, {59, 5},  // 123.45 turns
        {5, 0x20}, {6, 0x01}, {7, 0x05},                     // run-up 3, 10.5 mm
        {8, 0x40}, {9, 0x06}, {10, 0x02},                    // run-down 5, 60.2 mm
        {11, 0xA3}, {12, 102},                               // s = 409 = 102 x 4 + 1
        {13, 0x04}, {16, 20},                                // 262144 units, 10 / 0.5
        {17, 1}, {18, 2}, {19, 3}, {21, 0x82}, {24, 0x01}, {25, 0x2C},
        {49, 10}, {50, 0x83}, {51, 0x80}, {54, 0x02}, {57, 0x15}, {58, 4},
        {60, 0x80}, {61, 0x25}, {63, 0x08}}},
      {"shift", Posun(), {{0, 2}, {1, 1}, {3, 0x15}, {15, 50}}},
      {"jump", Jump(), {{0, 3}, {1, 1}, {3, 0x01}, {4, 0x25}, {11, 0x80}}},
      {"pause", Pauza(), {{0, 4}, {1, 1}, {2, 0x02}, {3, 0x50}}},
      {"gear", Prevod2(), {{0, 5}, {1, 1}, {59, 2}}},
      {"taping", Bandaz(),
       {{0, 1}, {1, 1}, {3, 0x04}, {6, 0x02}, {8, 0xF0}, {9, 0x02}, {11, 0x02}, {12, 51}, {16, 0xFF}, {58, 1}}},
  };
  for (const auto& c : cases) {
    std::fill(buf.begin(), buf.end(), uint8_t{0xEE});
    KrokDoGC(k, c.krok, 2);
    EXPECT_EQ(Hex(Vyrez(2 * kZaznamGC, kZaznamGC)), Hex(Zaznam(kZaznamGC, c.bajty))) << c.nazov;
    EXPECT_EQ(buf[2 * kZaznamGC - 1], 0xEE) << c.nazov;
    EXPECT_EQ(buf[3 * kZaznamGC], 0xEE) << c.nazov;
  }
}

TEST_F(ZaznamyTest, KvrGCFieldEdges) {
  const struct {
    const char* nazov;
    std::function<void(TKrok&)> nastav;
    Bajty bajty;  // expected values of the named bytes
  } cases[] = {
      {"99999.99 turns", [](TKrok& s) { s.Hodnota = 99999.99L; }, {{2, 0x99}, {3, 0x99}, {4, 0x99}, {59, 9}}},
      {"turns beyond the format", [](TKrok& s) { s.Hodnota = 123456.0L; }, {{2, 0x99}, {3, 0x99}, {4, 0x99}, {59, 9}}},
      {"negative turns", [](TKrok& s) { s.Hodnota = -5.0L; }, {{2, 0}, {3, 0}, {4, 0}, {59, 0}}},
      {"reversal points above 1000 mm", [](TKrok& s) {
         s.LRev = 1234.5L;
         s.PRev = 2345.6L;
       },
       {{5, 0x21}, {6, 0x23}, {7, 0x45}, {8, 0x42}, {9, 0x34}, {10, 0x56}}},
      {"run-up level 0 runs as 1", [](TKrok& s) { s.Rozbeh = 0; }, {{5, 0x00}}},
      {"speed too small for a code", [](TKrok& s) { s.Otacky = 1; }, {{11, 0xA5}, {12, 0}}},
      {"speed above the gear's limit", [](TKrok& s) { s.Otacky = 5000; }, {{11, 0xA7}, {12, 255}}},
      {"fine feed", [](TKrok& s) { s.PosuvMM = 0.01L; }, {{13, 0xC8}, {14, 0}, {15, 0}, {16, 0xFF}}},
      {"feed below the 24-bit range", [](TKrok& s) { s.PosuvMM = 0.005L; },
       {{13, 0xFF}, {14, 0xFF}, {15, 0xFF}, {16, 0xFF}}},
      {"negative feed", [](TKrok& s) { s.PosuvMM = -0.5L; }, {{13, 0}, {14, 0}, {15, 0}, {16, 0xFF}}},
      {"value B of 1", [](TKrok& s) { s.GCHodnotaB = 1; }, {{50, 40}}},
      {"value B of 39", [](TKrok& s) { s.GCHodnotaB = 39; }, {{50, 1}}},
      {"value B of 40", [](TKrok& s) { s.GCHodnotaB = 40; }, {{50, 0x81}}},
      {"value B of 100", [](TKrok& s) { s.GCHodnotaB = 100; }, {{50, 0x82}}},  // 2.5: ties to even
      {"value B too large", [](TKrok& s) { s.GCHodnotaB = 10000; }, {{50, 0xFF}}},
      {"value B negative", [](TKrok& s) { s.GCHodnotaB = -5; }, {{50, 0}}},
      {"value A too large", [](TKrok& s) { s.GCHodnotaA = 20000; }, {{49, 255}}},
      {"value A negative", [](TKrok& s) { s.GCHodnotaA = -400; }, {{49, 0}}},
      {"trapezoid beyond the format", [](TKrok& s) {
         s.TrapezL = 900.0L;
         s.TrapezLZnamienko = 0;
       },
       {{60, 0x79}, {61, 0x99}}},
  };
  for (const auto& c : cases) {
    TKrok s = Winding();
    c.nastav(s);
    KrokDoGC(k, s, 1);
    for (const auto& [o, v] : c.bajty) EXPECT_EQ(buf[kZaznamGC + o], v) << c.nazov << " byte " << o;
  }
  // Shift speeds other than 10, 25 and 50 travel as 100.
  const std::pair<int, int> rychlosti[] = {{10, 10}, {25, 25}, {50, 50}, {100, 100}, {75, 100}, {0, 100}};
  for (const auto& [r, zapis] : rychlosti) {
    TKrok s = Posun();
    s.RychPresun = static_cast<uint8_t>(r);
    KrokDoGC(k, s, 1);
    EXPECT_EQ(buf[kZaznamGC + 15], zapis) << r;
  }
}

TEST_F(ZaznamyTest, KvrGCRoundTrip) {
  const auto kolo = [](TKrok& s) {  // what a winding loses in KVR-G/C
    // 1200 rpm is no machine speed on a 3000 rpm gear: it travels as code 409.
    s.Otacky = 1199;
    s.VrstvaKoniec = 0;
    s.Vstup[4] = s.Vstup[5] = 0;
    s.VystupStav(5) = s.VystupStav(6) = 0;
    s.VystupOneskorenie(5) = s.VystupOneskorenie(6) = 0;
    s.TrapezL = s.TrapezP = 0.0L;
    s.TrapezLZnamienko = s.TrapezPZnamienko = 0;
    s.RezervaT = 0;
    s.PrevodOtacok = 0;
    s.PosuvImp = 262144;
    if (s.VystupOneskorenie(1) != 0) s.VystupStav(1) = static_cast<uint8_t>(s.VystupStav(1) | 2);
  };
  const struct {
    const char* nazov;
    TKrok krok;
    std::function<void(TKrok&)> zmeny;
  } cases[] = {
      {"winding", Winding(), [&](TKrok& s) {
         kolo(s);
         s.PRev = 60.2L;  // tenths
         s.AutKorL = 0.2L;
       }},
      {"99999.99 turns", [] {
         TKrok s = Winding();
         s.Hodnota = 99999.99L;
         s.LRev = 1000.0L;
         s.PRev = 1234.5L;
         s.AutKorL = 0.5L;
         s.Vstup[0] = 3;
         return s;
       }(),
       kolo},
      {"taping", Bandaz(), [](TKrok& s) {
         s.Otacky = 601;  // code 205
         s.Rozbeh = 1;
         s.Dobeh = 8;  // three bits in this format
       }},
      {"shift", Posun(), [](TKrok& s) { s.Kryt = 0; }},  // the shield only of windings
      {"shift at 75 mm/s", [] {
         TKrok s = Posun();
         s.RychPresun = 75;
         return s;
       }(),
       [](TKrok& s) {
         s.RychPresun = 100;
         s.PosuvMM = 100.0L;
         s.Kryt = 0;
       }},
      {"jump", Jump(), [](TKrok& s) {
         s.RychPresun = 0;
         s.PosuvMM = 0.0L;
         s.Nulovat = 1;
         s.Kryt = 0;
       }},
      {"pause", Pauza(), [](TKrok& s) { s.Kryt = 0; }},
      {"gear", Prevod2(), [](TKrok& s) {
         s.Hodnota = 0.0L;
         s.Kryt = 0;
       }},
  };
  for (const auto& c : cases) {
    KrokDoGC(k, c.krok, 7);
    TKrok spat = Winding();
    KrokZGC(k, spat, 7);
    TKrok ocakavany = c.krok;
    c.zmeny(ocakavany);
    EXPECT_TRUE(RovnakyKrok(spat, ocakavany)) << c.nazov;
  }
}

TEST_F(ZaznamyTest, KvrGCReaderDecodesFieldsItWasNotGiven) {
  // Written by the machine's own software: byte 12 200 without low bits in
  // byte 11 (speed code 800 of 1023), value B as a divisor of 40, a delay of
  // 0x0102 big-endian.
  std::vector<uint8_t> z = Zaznam(kZaznamGC, {{0, 0x81}, {3, 0x01}, {11, 0x40}, {12, 200}, {13, 0x01},
                                              {24, 0x01}, {25, 0x02}, {50, 3}, {52, 0x01}, {53, 0x23}, {54, 0x45}});
  std::copy(z.begin(), z.end(), buf.begin() + kZaznamGC);
  TKrok s;
  KrokZGC(k, s, 1);
  EXPECT_EQ(s.Druh, kDruhWicklung);
  EXPECT_EQ(s.VrstvaStop, 1);
  EXPECT_EQ(s.Nulovat, 0);  // bit 6 of byte 11
  EXPECT_EQ(static_cast<long double>(s.Hodnota), R(10.0L));
  EXPECT_EQ(s.Otacky, 2346);  // 800 x 3000 / 1023 = 2346.04
  EXPECT_EQ(s.PosuvImp, 65536);
  EXPECT_EQ(static_cast<long double>(s.PosuvMM), R(2.0L));
  EXPECT_EQ(s.VystupOneskorenie(1), 0x0102);
  EXPECT_EQ(s.GCHodnotaB, 13);  // Round(40 / 3)
  EXPECT_EQ(static_cast<long double>(s.AutKorL), R(1234.5L));
  EXPECT_EQ(s.Rozbeh, 1);
  EXPECT_EQ(s.Dobeh, 1);
}

// ---- Old 11-byte records ----------------------------------------------------

TEST_F(ZaznamyTest, OldRecordsDecodeByKind) {
  const auto stary = [](std::initializer_list<unsigned> b) {
    std::vector<uint8_t> z;
    for (unsigned x : b) z.push_back(static_cast<uint8_t>(x));
    return z;
  };
  const struct {
    const char* nazov;
    std::vector<uint8_t> bajty;
    TKrok krok;
  } cases[] = {
      {"winding",
       // cycle 2, run-up 3; 1234.5 turns; 12.5 and 45.0 mm leftwards; correction -2,
       // run-down 4; feed code 10; speed code 20, left, shield not tilted
       stary({0x22, 0x01, 0x23, 0x45, 0x01, 0x25, 0x84, 0x50, 0x72, 0x10, 0x94}), [] {
         TKrok s;
         s.Druh = kDruhWicklung;
         s.TypCyklu = 2;
         s.Nulovat = 1;
         s.Rozbeh = 3;
         s.Hodnota = 1234.5L;
         s.LRev = 12.5L;
         s.PRev = 45.0L;
         s.SmerPosuvu = 1;
         s.Dobeh = 4;
         s.PosuvMM = 0.108L;  // 128 / (1164 + 8 x 2) = 0.10847
         s.Otacky = 950;
         s.SmerOtac = 1;
         s.Kryt = 0;
         return s;
       }()},
      {"taping", stary({0x80, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0x00, 0xA5}), [] {
         TKrok s;
         s.Druh = kDruhBandagieren;
         s.Hodnota = 10.0L;
         s.Rozbeh = 1;
         s.Dobeh = 1;
         s.Otacky = 75;
         s.Kryt = 0;
         return s;
       }()},
      {"shift", stary({0x10, 0, 0, 0, 0x05, 0x00, 0x10, 0x00, 0, 0x50, 0x1F}), [] {
         TKrok s;
         s.Druh = kDruhVerschiebung;
         s.TypCyklu = 1;
         s.Hodnota = 100.0L;
         s.PosuvMM = 1.153L;  // 128 / 111
         s.RychPresun = 75;
         return s;
       }()},
      {"jump", stary({0x30, 0, 0, 0, 0, 0, 0x80, 0x75, 0, 0, 0}), [] {
         TKrok s;
         s.Druh = kDruhSprung;
         s.TypCyklu = 3;
         s.Hodnota = 7.5L;
         s.RychPresun = 50;
         s.SmerPosuvu = 1;
         return s;
       }()},
      {"empty", stary({0, 0, 0, 0, 0x12, 0x34, 0, 0, 0, 0, 0}), TKrok{}},
  };
  for (const auto& c : cases) {
    std::copy(c.bajty.begin(), c.bajty.end(), buf.begin() + 2 * kZaznamStary);  // record 3
    TKrok s = Winding();
    EXPECT_EQ(KrokZGC11(k, s, 3), std::nullopt) << c.nazov;
    EXPECT_TRUE(RovnakyKrok(s, c.krok)) << c.nazov;
  }
}

TEST_F(ZaznamyTest, OldShiftSpeedFollowsTheFeedCode) {
  const std::pair<int, int> pripady[] = {{1, 25}, {20, 25}, {21, 50}, {49, 50}, {50, 75}, {69, 75}, {70, 100}, {99, 100}};
  for (const auto& [kod, rychlost] : pripady) {
    buf[0] = 0;
    buf[1] = buf[2] = buf[3] = 0;
    buf[6] = 0x01;  // 10 mm
    buf[7] = 0;
    buf[8] = 0;
    buf[9] = Bcd(kod);
    TKrok s;
    ASSERT_EQ(KrokZGC11(k, s, 1), std::nullopt) << kod;
    EXPECT_EQ(s.Druh, kDruhVerschiebung);
    EXPECT_EQ(s.RychPresun, rychlost) << kod;
  }
}

TEST_F(ZaznamyTest, FeedOfAnOldCode) {
  const TTabulkaPosuvu& t = *k.Stroj.TabulkaPosuvu;
  const auto posuv = [&](int f, int v) {
    return static_cast<long double>(Round(128.0L / static_cast<long double>(t[f].c - t[f].d * v) * 1000.0L)) / 1000.0L;
  };
  EXPECT_EQ(PosuvZKodu(k.Stroj, 0, 5), 0.0L);
  EXPECT_EQ(PosuvZKodu(k.Stroj, 10, 0), 110.0L / 1000.0L);  // 128 / 1164 = 0.10997
  EXPECT_EQ(PosuvZKodu(k.Stroj, 1, 15), posuv(1, 15));
  EXPECT_EQ(PosuvZKodu(k.Stroj, 104, 0), posuv(104, 0));
  EXPECT_EQ(PosuvZKodu(k.Stroj, 99, 12), 128.0L);  // 13 - 12: the coarsest entry
  EXPECT_EQ(PosuvZKodu(k.Stroj, 99, 13), std::nullopt);  // divisor 0
  EXPECT_EQ(PosuvZKodu(k.Stroj, 99, 15), std::nullopt);  // negative divisor
  EXPECT_EQ(PosuvZKodu(k.Stroj, 105, 0), std::nullopt);
  EXPECT_EQ(PosuvZKodu(k.Stroj, -1, 0), std::nullopt);
  Nastav("KVR - 60", 1);  // no old-format tables
  EXPECT_EQ(PosuvZKodu(k.Stroj, 10, 0), std::nullopt);
  EXPECT_EQ(PosuvZKodu(k.Stroj, 0, 0), 0.0L);
}

TEST_F(ZaznamyTest, OldRecordsWithoutADecodingAreRefused) {
  const struct {
    const char* nazov;
    const char* model;
    std::vector<uint8_t> bajty;
    std::optional<std::string> sprava;
  } cases[] = {
      {"speed code 31 in a winding", "KVR - 22", {0, 0x00, 0x01, 0x00, 0, 0, 0x01, 0, 0, 0x10, 0x1F},
       " Schritt 5: unbekannter Drehzahlcode 31 !"},
      {"speed code 31 unused by a jump", "KVR - 22", {0, 0, 0, 0, 0, 0, 0x01, 0, 0, 0, 0x1F}, std::nullopt},
      {"feed code not BCD", "KVR - 22", {0, 0x00, 0x01, 0x00, 0, 0, 0x01, 0, 0, 0xA5, 0},
       " Schritt 5: unbekannter Vorschubcode 105 !"},
      {"feed code 104", "KVR - 22", {0, 0x00, 0x01, 0x00, 0, 0, 0x01, 0, 0, 0xA4, 0}, std::nullopt},
      {"zero divisor", "KVR - 22", {0, 0x00, 0x01, 0x00, 0, 0, 0x01, 0, 0x0D, 0x99, 0},
       " Schritt 5: Vorschubcode 99 mit Korrektur 13 nicht definiert !"},
      {"negative divisor in a shift", "KVR - 22", {0, 0, 0, 0, 0, 0, 0x01, 0, 0x0F, 0x99, 0},
       " Schritt 5: Vorschubcode 99 mit Korrektur 15 nicht definiert !"},
      {"model without tables", "KVR - 60", {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
       " Schritt 5: alte Programme für Modell KVR - 60 nicht lesbar !"},
  };
  for (const auto& c : cases) {
    Nastav(c.model, 1);
    std::copy(c.bajty.begin(), c.bajty.end(), buf.begin() + 4 * kZaznamStary);
    TKrok s = Winding();
    EXPECT_EQ(KrokZGC11(k, s, 5), c.sprava) << c.nazov;
    if (c.sprava) {
      EXPECT_TRUE(RovnakyKrok(s, TKrok{})) << c.nazov;
    }
  }
}

// ---- Record placement ---------------------------------------------------------

TEST_F(ZaznamyTest, RecordsBeyondTheBufferAreRefused) {
  TKrok s = Winding();
  // 32768 bytes hold KVR-T records 0..480, KVR-G/C 0..511, old records 1..2978.
  EXPECT_NO_THROW(KrokDoT(k, s, 480));
  EXPECT_NO_THROW(KrokZT(k, s, 480));
  EXPECT_THROW(KrokDoT(k, s, 481), std::out_of_range);
  EXPECT_THROW(KrokZT(k, s, 481), std::out_of_range);
  EXPECT_THROW(KrokDoT(k, s, -1), std::out_of_range);
  EXPECT_NO_THROW(KrokDoGC(k, s, 511));
  EXPECT_THROW(KrokDoGC(k, s, 512), std::out_of_range);
  EXPECT_THROW(KrokZGC(k, s, 512), std::out_of_range);
  EXPECT_THROW(KrokZGC(k, s, -1), std::out_of_range);
  std::fill(buf.begin(), buf.end(), uint8_t{0});
  EXPECT_EQ(KrokZGC11(k, s, 2978), std::nullopt);
  EXPECT_THROW((void)KrokZGC11(k, s, 2979), std::out_of_range);
  EXPECT_THROW((void)KrokZGC11(k, s, 0), std::out_of_range);

  std::vector<uint8_t> b(kZaznamT + 9);
  EXPECT_NO_THROW(KrokDoTBuf(k, s, b, 9, 1));
  EXPECT_NO_THROW(KrokZTBuf(k, b, 9, s, 1));
  EXPECT_THROW(KrokDoTBuf(k, s, b, 10, 1), std::out_of_range);
  EXPECT_THROW(KrokZTBuf(k, b, 10, s, 1), std::out_of_range);
  EXPECT_THROW(KrokZTBuf(k, b, SIZE_MAX - 3, s, 1), std::out_of_range);
}

}  // namespace
}  // namespace kvr
