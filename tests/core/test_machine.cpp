#include <gtest/gtest.h>

#include "model/machine.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "model/context.h"

namespace kvr {
namespace {

// A speed rounded under the gear in force at the current step.
int32_t OtackyAkt(const TKontext& k, int32_t n) {
  return ZaokruhliOtacky(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, k.Program.AktKrok), n);
}

struct StrojTest : ::testing::Test {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  void Nastav(const char* model, int prevod) {
    k.Stroj.Model = model;
    k.Stroj.Prevod = prevod;
    NastavModel(k);
  }
};

TEST_F(StrojTest, AppliesModelAndGearLimits) {
  const struct {
    const char* model;
    int prevod;
    uint16_t maxOtacky;
    long double breite;
    uint8_t w;
    long double kon;
    uint8_t meni;
  } cases[] = {
      {"KVR - 22", 1, 3000, 210.0L, 32, 128, 0}, {"KVR - 100", 2, 600, 1200.0L, 8, 512, 0},
      {"KVR - 60", 2, 3000, 450.0L, 64, 64, 1},  {"KVR - 80", 1, 750, 600.0L, 16, 256, 0},
      {"KVR - 42S", 3, 0, 300.0L, 0, 0, 0},  // a gear the model does not have
  };
  for (const auto& c : cases) {
    Nastav(c.model, c.prevod);
    EXPECT_EQ(k.Stroj.MaxOtacky, c.maxOtacky) << c.model;
    EXPECT_EQ(static_cast<long double>(k.Stroj.MaxBreite), static_cast<long double>(Real48(c.breite))) << c.model;
    EXPECT_EQ(k.Stroj.DelitelPosuvu, c.w) << c.model;
    EXPECT_EQ(static_cast<long double>(k.Stroj.KonstantaPosuvu), c.kon) << c.model;
    EXPECT_EQ(k.Stroj.MeniPrevod, c.meni) << c.model;
    EXPECT_EQ(k.Stroj.ModelText, std::string(c.model) + "/");
  }
}

TEST_F(StrojTest, UnknownModelAndGearAreReportedAndCorrected) {
  ui.ExpectError("MODEL UNBEKANNT! [einstellen: KVR 22]").ExpectError("GETRIEBE UNBEKANNT! [einstellen: 3000]");
  Nastav("KVR - 999", 4);
  EXPECT_EQ(k.Stroj.Model, "KVR - 22");
  EXPECT_EQ(k.Stroj.Prevod, 1);
  EXPECT_EQ(k.Stroj.MaxOtacky, 3000);
  // The list's placeholder entry is not a model either.
  ui.ExpectError("MODEL UNBEKANNT! [einstellen: KVR 22]");
  Nastav("UNKNOW", 2);
  EXPECT_EQ(k.Stroj.Model, "KVR - 22");
  EXPECT_EQ(k.Stroj.MaxOtacky, 6000);
}

TEST_F(StrojTest, NamesAndIndexes) {
  EXPECT_EQ(IndexModelu("KVR - 80"), 14);
  EXPECT_EQ(IndexModelu("kvr - 80"), 0);
  EXPECT_FALSE(ModelZnamy("KVR-22"));
  EXPECT_EQ(IndexPrevodu("PREVODH"), 3);
  EXPECT_EQ(IndexPrevodu("PREVODP"), 2);
  EXPECT_EQ(IndexPrevodu("PREVODD"), 1);
  EXPECT_EQ(IndexPrevodu("xyz"), 1);
  EXPECT_TRUE(PrevodPlatny(3));
  EXPECT_FALSE(PrevodPlatny(0));
  EXPECT_EQ(GearName(2), "PREVODP");
}

TEST_F(StrojTest, OldFormatTablesFollowModelFamily) {
  Nastav("KVR - 22", 1);
  ASSERT_NE(k.Stroj.TabulkaPosuvu, nullptr);
  EXPECT_EQ((*k.Stroj.TabulkaOtacok)[30], 3000);
  Nastav("KVR - 52", 3);
  EXPECT_EQ((*k.Stroj.TabulkaOtacok)[30], 4000);
  EXPECT_EQ(k.Stroj.TabulkaPosuvu, &TabulkaPosuvu(TTabulkaPosuvuId::Kvr32G3));
  Nastav("KVR - 150", 3);
  EXPECT_EQ(k.Stroj.TabulkaPosuvu, &TabulkaPosuvu(TTabulkaPosuvuId::Kvr100G13));
  // Models without tables drop the previous model's: old files are then refused.
  Nastav("KVR - 60", 1);
  EXPECT_EQ(k.Stroj.TabulkaPosuvu, nullptr);
  EXPECT_EQ(k.Stroj.TabulkaOtacok, nullptr);
}

TEST(FeedTables, HoldTheKnownRowsAndFall) {
  const struct {
    TTabulkaPosuvuId id;
    std::array<std::pair<uint8_t, uint16_t>, 6> rows;  // codes 1, 2, 3, 10, 50, 99
  } cases[] = {
      {TTabulkaPosuvuId::Kvr22G1, {{{15, 4095}, {15, 4095}, {15, 3200}, {8, 1164}, {1, 111}, {1, 13}}}},
      {TTabulkaPosuvuId::Kvr22G2, {{{15, 2560}, {15, 2065}, {15, 1600}, {4, 582}, {1, 55}, {1, 6}}}},
      {TTabulkaPosuvuId::Kvr22G3, {{{13, 1280}, {12, 1032}, {10, 800}, {2, 291}, {1, 28}, {1, 3}}}},
      {TTabulkaPosuvuId::Kvr32G1, {{{15, 4095}, {15, 4095}, {15, 4095}, {15, 4095}, {2, 443}, {1, 51}}}},
      {TTabulkaPosuvuId::Kvr32G2, {{{15, 4095}, {15, 4095}, {15, 4095}, {10, 2327}, {1, 222}, {1, 26}}}},
      {TTabulkaPosuvuId::Kvr32G3, {{{15, 2560}, {15, 2065}, {15, 1600}, {5, 582}, {1, 55}, {1, 6}}}},
      {TTabulkaPosuvuId::Kvr100G2, {{{5, 1796}, {5, 1707}, {5, 1620}, {3, 1082}, {1, 114}, {1, 23}}}},
      {TTabulkaPosuvuId::Kvr100G13, {{{10, 3593}, {10, 3413}, {10, 3241}, {10, 2165}, {1, 228}, {1, 47}}}},
  };
  const int codes[] = {1, 2, 3, 10, 50, 99};
  for (const auto& c : cases) {
    const TTabulkaPosuvu& t = TabulkaPosuvu(c.id);
    for (size_t j = 0; j < 6; ++j) {
      EXPECT_EQ(t[static_cast<size_t>(codes[j])].d, c.rows[j].first) << static_cast<int>(c.id) << " code " << codes[j];
      EXPECT_EQ(t[static_cast<size_t>(codes[j])].c, c.rows[j].second) << static_cast<int>(c.id) << " code " << codes[j];
    }
    for (size_t f = 2; f <= 104; ++f) {
      EXPECT_LE(t[f].c, t[f - 1].c) << "divisor rises at code " << f;
      EXPECT_LE(t[f].d, t[f - 1].d) << "multiplier rises at code " << f;
      EXPECT_GE(t[f].c, 1);
    }
  }
}

TEST_F(StrojTest, FeedRounding) {
  Nastav("KVR - 22", 1);  // W = 32
  EXPECT_EQ(ZaokruhliPosuv(k.Stroj, 1.0L), 1.0L);
  EXPECT_EQ(PosuvVyssi(k.Stroj, 1.0L), 1.001L);
  EXPECT_EQ(PosuvNizsi(k.Stroj, 1.0L), 0.999L);  // N = 4100: 4096 / 4100 = 0.99902
  EXPECT_EQ(ZaokruhliPosuv(k.Stroj, 0.0L), 0.0L);
  EXPECT_EQ(PosuvVyssi(k.Stroj, 0.0L), 0.0L);
  // 0.3 mm: P = 436907, N = 13653, 131072 / 32 / 13653 = 0.30000...
  EXPECT_EQ(ZaokruhliPosuv(k.Stroj, 0.3L), 0.3L);
  // Every result is a feed the machine can run: 131072 / (W N), three decimals.
  for (long double f : {0.05L, 0.123L, 0.777L, 2.5L}) {
    const long double g = ZaokruhliPosuv(k.Stroj, f);
    EXPECT_EQ(ZaokruhliPosuv(k.Stroj, g), g) << static_cast<double>(f);
    EXPECT_GT(PosuvVyssi(k.Stroj, g), g);
    EXPECT_LT(PosuvNizsi(k.Stroj, g), g);
  }
  // The largest feed has nothing above it; a tiny one nothing below, and both return at once.
  EXPECT_EQ(PosuvVyssi(k.Stroj, 4096.0L), 4096.0L);
  EXPECT_EQ(PosuvNizsi(k.Stroj, 0.0004L), 0.0L);
  EXPECT_EQ(PosuvVyssi(k.Stroj, 0.001L), 0.002L);
}

TEST_F(StrojTest, MissingGearNeverDividesByZero) {
  Nastav("KVR - 42S", 3);  // no third gear: MaxOtacky and DelitelPosuvu are 0
  EXPECT_EQ(OtackyAkt(k, 1500), 0);
  // A divisor of 0 quantises to single machine units.
  EXPECT_EQ(ZaokruhliPosuv(k.Stroj, 1.0L), 1.0L);
  EXPECT_EQ(PosuvVyssi(k.Stroj, 1.0L), 1.001L);  // P = 130941: 1.0010
  EXPECT_EQ(PosuvNizsi(k.Stroj, 1.0L), 0.999L);
  EXPECT_EQ(FeedFromUnits(0, 0), 131072.0L);
}

TEST_F(StrojTest, SpeedRounding) {
  Nastav("KVR - 22", 1);  // M = 3000, steps of 3000 / 1023
  EXPECT_EQ(OtackyAkt(k, 0), 0);
  EXPECT_EQ(OtackyAkt(k, 1), 3);  // never 0 for a non-zero speed
  EXPECT_EQ(OtackyAkt(k, 1000), 1000);  // s = 341: 3000 * 341 / 1023 = 1000
  EXPECT_EQ(OtackyAkt(k, 1001), 1000);
  EXPECT_EQ(OtackyAkt(k, 3000), 3000);
}

TEST_F(StrojTest, MaxSpeedFollowsGearStepsOnGearChangingModels) {
  Nastav("KVR - 60", 1);  // gears 500 / 3000
  TKrok g;
  g.Druh = kDruhGetriebe;
  g.Hodnota = 0.02L;
  k.Program.Kroky[3] = g;
  EXPECT_EQ(MaxOtackyKroku(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, 1)), 500);
  EXPECT_EQ(MaxOtackyKroku(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, 3)), 3000);
  EXPECT_EQ(MaxOtackyKroku(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, 7)), 3000);
  // A gear step naming no gear (as read back from KVR-G/C) keeps the selected gear's limit.
  k.Program.Kroky[5].Druh = kDruhGetriebe;
  EXPECT_EQ(MaxOtackyKroku(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, 6)), 500);
  Nastav("KVR - 22", 2);
  EXPECT_EQ(MaxOtackyKroku(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, 3)), 6000);
}

}  // namespace
}  // namespace kvr
