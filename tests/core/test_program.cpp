#include <gtest/gtest.h>

#include "model/program.h"
#include "model/machine.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "model/context.h"
#include "support/recording_main_window.h"

namespace kvr {
namespace {

TKrok Krok(uint8_t druh, long double hodnota = 0, uint8_t cyklus = kCyklusStop) {
  TKrok k;
  k.Druh = druh;
  k.TypCyklu = cyklus;
  k.Hodnota = hodnota;
  k.PosuvMM = 0.1L;
  return k;
}

struct ProgramTest : ::testing::Test {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TProgram& p = k.Program;
  void SetUp() override {
    // A program in which no step is "Ende" unless a test says so.
    for (int i = 1; i <= kMaxKrokov; ++i) p.Kroky[i].TypCyklu = kCyklusStop;
  }
};

TEST_F(ProgramTest, CountsUpToTheLastNonEmptyStep) {
  p.Kroky[7] = Krok(kDruhPause, 100);
  PrepocitajKroky(p);
  EXPECT_EQ(p.PocetKrokov, 7);
  EXPECT_EQ(p.KrokEnde, 0);
  p.Kroky[3].TypCyklu = kCyklusEnde;
  p.Kroky[9].TypCyklu = kCyklusEnde;
  p.Kroky[350] = Krok(kDruhBandagieren, 5);
  p.Kroky[200].Druh = 7;  // not a step kind
  PrepocitajKroky(p);
  EXPECT_EQ(p.PocetKrokov, 350);
  EXPECT_EQ(p.KrokEnde, 3);
}

TEST_F(ProgramTest, StepIndexOutsideTheStoreIsRefused) {
  EXPECT_THROW(p.Kroky[0], std::out_of_range);
  EXPECT_THROW(p.Kroky[351], std::out_of_range);
  EXPECT_NO_THROW(p.Kroky[350]);
}

TEST(DruhKroku, ClassifiesAndNames) {
  TKrok k = Krok(kDruhWicklung, 10);
  EXPECT_EQ(DruhKroku(k), kDruhWicklung);
  k.PosuvMM = 0.0L;
  EXPECT_EQ(DruhKroku(k), kDruhBandagieren);  // shown as taping, still kind 1 in memory
  EXPECT_EQ(k.Druh, kDruhWicklung);
  k.Druh = 0x13;  // high bits are not part of the kind
  EXPECT_EQ(DruhKroku(k), kDruhSprung);
  const std::pair<int, const char*> names[] = {{0, "SCHRITT LEER"}, {1, "WICKLUNG"}, {2, "VERSCHIEBUNG"},
                                               {3, "SPRUNG"},       {4, "PAUSE"},    {5, "GETRIEBE"},
                                               {6, "BANDAGIEREN"},  {7, ""},         {8, "SCHRITT LEER"}};
  for (auto [d, n] : names) EXPECT_EQ(NazovDruhu(d), n) << d;
}

TEST_F(ProgramTest, GearInForce) {
  k.Stroj.Model = "KVR - 22";
  k.Stroj.Prevod = 3;
  NastavModel(k);
  p.Kroky[2] = Krok(kDruhGetriebe, 0.02L);
  EXPECT_EQ(PrevodKroku(k.Stroj, k.Program.Kroky, 5), 3);  // the model does not change gears: the global gear
  k.Stroj.Model = "KVR - 62";
  k.Stroj.Prevod = 1;
  NastavModel(k);
  EXPECT_EQ(PrevodKroku(k.Stroj, k.Program.Kroky, 0), 1);
  EXPECT_EQ(PrevodKroku(k.Stroj, k.Program.Kroky, 1), 1);  // no gear step before step 1
  EXPECT_EQ(PrevodKroku(k.Stroj, k.Program.Kroky, 2), 2);
  EXPECT_EQ(PrevodKroku(k.Stroj, k.Program.Kroky, 9), 2);
  p.Kroky[4] = Krok(kDruhGetriebe, 0.03L);
  EXPECT_EQ(PrevodKroku(k.Stroj, k.Program.Kroky, 4), 3);
  p.Kroky[6] = Krok(kDruhGetriebe, 2.58L);
  EXPECT_EQ(PrevodKroku(k.Stroj, k.Program.Kroky, 6), 2);  // 258 modulo 256
}

TEST_F(ProgramTest, LastTurnsAndComputedTurns) {
  p.Kroky[1] = Krok(kDruhWicklung, 100);
  p.Kroky[2] = Krok(kDruhBandagieren, 40);
  p.Kroky[3] = Krok(kDruhWicklung, 0);
  p.Kroky[4] = Krok(kDruhPause, 500);
  EXPECT_EQ(PosledneZavity(p, 0), 0);
  EXPECT_EQ(PosledneZavity(p, 1), 100);
  EXPECT_EQ(PosledneZavity(p, 4), 40);

  // From 20 mm after step 4, towards the right reversal point at 50 mm with 0.5 mm a turn.
  k.BodyKrokov[4].Poloha = 20.0L;
  TKrok n = Krok(kDruhWicklung);
  n.LRev = 10.0L;
  n.PRev = 50.0L;
  n.PosuvMM = 0.5L;
  n.SmerPosuvu = 0;
  n.Nulovat = 1;
  DopocitajZavity(k, n, 4);
  EXPECT_EQ(static_cast<long double>(n.Hodnota), 60.0L);
  n.SmerPosuvu = 1;  // to the left, continuing the counter of the last winding
  n.Nulovat = 0;
  DopocitajZavity(k, n, 4);
  EXPECT_EQ(static_cast<long double>(n.Hodnota), 20.0L + 40.0L);
  DopocitajZavity(k, n, 0);  // before the first step the guide stands at 0
  EXPECT_EQ(static_cast<long double>(n.Hodnota), -20.0L);
  n.PosuvMM = 0.0L;  // no traverse: nothing to compute, the turns stay
  DopocitajZavity(k, n, 4);
  EXPECT_EQ(static_cast<long double>(n.Hodnota), -20.0L);
}

TEST(Zaokruhli, PositionsAndText) {
  EXPECT_EQ(Zaokruhli01(1.25L), 1.2L);
  EXPECT_EQ(Zaokruhli01(1.35L), 1.4L);
  EXPECT_EQ(Zaokruhli01(Real48(12.34L)), Zaokruhli01(12.3L));
  EXPECT_EQ(RealNaText(12.5L), "12.50");
  EXPECT_EQ(RealNaText(0.125L), "0.13");
  EXPECT_EQ(RealNaText(-3.0L), "-3.00");
}

struct NovyProgramTest : ::testing::Test {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  test::RecordingMainWindow okno;
  void SetUp() override { k.AttachMainWindow(&okno); }
};

TEST_F(NovyProgramTest, ClearsTheProgramButKeepsTheBobbinChambers) {
  k.Program.Kroky[5] = Krok(kDruhWicklung, 12);
  k.Program.PocetKrokov = 5;
  k.Program.AktKrok = 5;
  k.Program.MenoSuboru = "/x/a.kvr";
  k.Program.PoslednyOtvor = "/x/a.kvr";
  k.Program.PoslednySubor = "/x/b.kvr";
  k.BodyKrokov[5].Poloha = 3.0L;
  k.Kostricka.Popis[0] = 3;
  k.Kostricka.Popis[1] = 'A';
  k.Kostricka.Komory[0].KomoraP = 20.0L;
  k.Kostricka.Abstand = 5.0L;
  k.Pohlad.PevnaLava = 10.0L;
  k.Vyber.BlokOd = 2;
  k.Vyber.VybraneKroky[3] = 1;
  k.AktKomora = 2;

  NovyProgram(k);

  EXPECT_EQ(k.Program.PocetKrokov, 0);
  EXPECT_EQ(k.Program.AktKrok, 0);
  EXPECT_EQ(k.Program.Kroky, TKrokyPole{});
  EXPECT_EQ(k.Program.KrokyZaloha, TKrokyPole{});
  EXPECT_EQ(k.Program.PocetZaloha, 0);
  EXPECT_EQ(static_cast<long double>(k.BodyKrokov[5].Poloha), 0.0L);
  EXPECT_TRUE(k.Program.MenoSuboru.empty());
  EXPECT_TRUE(k.Program.PoslednyOtvor.empty());
  EXPECT_TRUE(k.Program.PoslednySubor.empty());
  EXPECT_EQ(k.Kostricka.Popis[0], 0);
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Komory[0].KomoraP), 20.0L);
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Abstand), 5.0L);
  EXPECT_EQ(static_cast<long double>(k.Pohlad.PevnaLava), 0.0L);
  EXPECT_EQ(k.Vyber.BlokOd, 0);
  EXPECT_EQ(k.Vyber.VybraneKroky[3], 0);
  EXPECT_EQ(k.AktKomora, 0);
  // The main window shows the empty program: captions, no step, a repaint.
  EXPECT_EQ(okno.calls, (std::vector<std::string>{"VypisProgCaption", "ZobrazParametre 0", "RepaintLater"}));
}

TEST_F(NovyProgramTest, ProgInicTakesTheUndoCopy) {
  k.Program.Kroky[2] = Krok(kDruhSprung, 4);
  k.Program.PocetKrokov = 2;
  ProgInic(k);
  EXPECT_EQ(k.Program.KrokyZaloha[2], k.Program.Kroky[2]);
  EXPECT_EQ(k.Program.PocetZaloha, 2);
  k.Program.Kroky[2].Hodnota = 9.0L;  // the copy is a copy
  EXPECT_EQ(static_cast<long double>(k.Program.KrokyZaloha[2].Hodnota), 4.0L);
}

// Marks of the previous program would otherwise apply the next group edit to
// steps of the program just opened.
TEST_F(NovyProgramTest, ProgInicDropsTheMarksWithTheBlock) {
  k.Program.Kroky[3] = Krok(kDruhSprung, 4);
  k.Program.PocetKrokov = 3;
  k.Program.AktKrok = 3;
  k.Vyber.BlokOd = 1;
  k.Vyber.BlokDo = 3;
  for (const int i : {1, 3, 350}) k.Vyber.VybraneKroky[static_cast<size_t>(i)] = 1;
  ProgInic(k);
  EXPECT_EQ(k.Vyber.BlokOd, 0);
  EXPECT_EQ(k.Vyber.BlokDo, 0);
  for (size_t i = 0; i < k.Vyber.VybraneKroky.size(); ++i) EXPECT_EQ(k.Vyber.VybraneKroky[i], 0) << i;
}

}  // namespace
}  // namespace kvr
