// The layer computation: Vrstvuj, the walk over the program and
// the exact run of passes that keeps huge pass counts fast.
#include <gtest/gtest.h>

#include <limits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "model/numeric.h"
#include "model/program.h"
#include "model/machine.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/steps.h"
#include "support/station.h"
#include "support/recording_canvas.h"
#include "ui/main_window.h"
#include "view/colours.h"
#include "view/coil_drawing.h"
#include "view/scale.h"
#include "view/layers.h"

namespace kvr {
namespace {

using test::RecordingCanvas;
using test::Still;
using test::Shift;
using test::Jump;
using test::Winding;

long double R48(long double x) { return Real48(x).Get(); }

// A context with the model "KVR - 22" and a program of the given steps,
// the last one "Ende"; the view spans 0..100 mm unless told otherwise.
struct Stanica : test::ContextWithProgram {
  // One walk as Vykresli runs it, silent or drawing.
  void Prejdi(ICanvas& c, bool kresli = false, long double lava = 0.0L, long double prava = 100.0L) {
    k.Pohlad.OknoLava = lava;
    k.Pohlad.OknoPrava = prava;
    k.Kresba.KresliZapnute = kresli;
    Vykresli(k, c, Mierka());
  }
  void Prejdi() {
    RecordingCanvas c;
    Prejdi(c);
  }
};

// --- Vrstvuj ------------------------------------------------------------------

struct PripadVrstvuj {
  const char* nazov;
  TKrok krok;
  long double predZavity;
  long double start;
  int32_t pocetVrstiev;
  long double poloha;
  uint8_t smer;
};

TEST(Vrstvuj, TheExamplesOfTheLayerComputation) {
  const PripadVrstvuj pripady[] = {
      {"10 turns at 1 mm between 0 and 20 from 0", Winding(10, 1, 0, 20), 0, 0, 1, 10, 0},
      {"reversal points 10 and 20, from 0: the travel counts from the start", Winding(10, 1, 10, 20), 0, 0, 1, 10, 0},
      {"0.5 mm x 100 turns between 0 and 10: five passes, the last ends at the point", Winding(100, 0.5L, 0, 10), 0, 0, 5,
       10, 0},
      {"from 5 between 0 and 10 to the left, 12 turns", Winding(12, 1, 0, 10, 1), 0, 5, 2, 7, 0},
      {"counter kept, same turns as before: no travel", Winding(30, 1, 0, 10, 0, 0), 30, 4, 0, 4, 0},
      {"counter kept, 5 turns more than before", Winding(35, 1, 0, 10, 0, 0), 30, 8, 2, 7, 1},
      {"counter cleared ignores the turns before", Winding(5, 1, 0, 10, 0, 1), 30, 8, 2, 7, 1},
      {"no turns", Winding(0, 1, 0, 10), 0, 3, 0, 3, 0},
      {"no feed", Winding(10, 0, 0, 10), 0, 3, 0, 3, 0},
      {"narrow step from the left", Winding(5, 1, 10, 10), 0, 0, 1, 5, 0},
      {"narrow step from the left, reaching it", Winding(15, 1, 10, 10), 0, 0, 1, 10, 0},
      {"narrow step from the right", Winding(5, 1, 10, 10, 1), 0, 30, 1, 25, 1},
      {"narrow step at its point", Winding(5, 1, 10, 10), 0, 10, 1, 10, 0},
      {"crossed reversal points: no layers, the step stays", Winding(5, 1, 12, 10, 1), 0, 3, 0, 3, 1},
      {"a start right of both points goes left first", Winding(25, 1, 0, 10), 0, 15, 2, 10, 0},
  };
  for (const PripadVrstvuj& p : pripady) {
    SCOPED_TRACE(p.nazov);
    Stanica s;
    s.k.Vrstvenie.PredZavity = p.predZavity;
    Vrstvuj(s.k, p.krok, p.start);
    EXPECT_EQ(s.k.Vrstvenie.PocetVrstiev, p.pocetVrstiev);
    EXPECT_NEAR(static_cast<double>(s.k.Vrstvenie.VrstvujPoloha), static_cast<double>(p.poloha), 1e-9);
    EXPECT_EQ(s.k.Vrstvenie.VrstvujSmer, p.smer);
  }
}

TEST(Vrstvuj, ARemainderBelowTheRoundingStillCountsAsALayer) {
  Stanica s;
  // 0.03125 mm are left at the right reversal point after three full passes.
  Vrstvuj(s.k, Winding(29.9375L, 1, 0, 9.96875L), 0.0L);
  EXPECT_EQ(s.k.Vrstvenie.PocetVrstiev, 4);
  EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.VrstvujPoloha), 9.9375L);
  EXPECT_EQ(s.k.Vrstvenie.VrstvujSmer, 1);
}

TEST(Vrstvuj, UsesThePreviousTurnsEvenForStepOneAndTheValueTheLastWalkLeft) {
  Stanica s;
  s.Program({Winding(10, 1, 0, 20), Shift(5), Winding(14, 1, 0, 20, 0, 0), Still(kDruhPause, 100)});
  s.Prejdi();
  // The walk set PredZavity for step 3 (the turns of step 1) and left it.
  EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.PredZavity), 10.0L);
  Vrstvuj(s.k, Winding(14, 1, 0, 20, 0, 0), 0.0L);
  EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.VrstvujPoloha), 4.0L);
  EXPECT_EQ(static_cast<long double>(PredZavity(s.k, 3)), 10.0L);
  EXPECT_EQ(static_cast<long double>(PredZavity(s.k, 1)), 0.0L);
  // Taping stored as kind 6 does not count; a windings step without feed does.
  s.Program({Winding(7, 0, 0, 20), Still(kDruhBandagieren, 9), Winding(20, 1, 0, 20, 0, 0)});
  EXPECT_EQ(static_cast<long double>(PredZavity(s.k, 3)), 7.0L);
}

// --- The walk -----------------------------------------------------------------

struct PripadChodu {
  const char* nazov;
  std::vector<TKrok> kroky;
  long double poloha;  // of the last step's end point
  uint8_t smer;
  int32_t pocetVrstiev;
  long double vyska;  // the layer line it ends on
};

TEST(Chod, TheLayerExamplesEndWhereTheyShould) {
  const PripadChodu pripady[] = {
      {"one pass from 0 to 10", {Winding(10, 1, 0, 20)}, 10, 0, 1, 20},
      {"reversal points 10 and 20 from 0", {Winding(10, 1, 10, 20)}, 10, 0, 1, 20},
      // Pass 1 continues the line, pass 2 gets its own, 3 and 4 a band, 5 a new line.
      {"five passes drawn compressed", {Winding(100, 0.5L, 0, 10)}, 10, 0, 5, 20 + 22 + 1 + 1 + 22},
      {"from 5 to the left, then right to 7", {Shift(5), Winding(12, 1, 0, 10, 1)}, 7, 0, 2, 20 + 22 + 22},
      {"the counter runs on: no travel, no layer", {Winding(10, 1, 0, 20), Winding(10, 1, 0, 20, 0, 0)}, 10, 0, 0, 20},
      {"the counter runs on: 5 turns more", {Winding(10, 1, 0, 20), Winding(15, 1, 0, 20, 0, 0)}, 15, 0, 1, 20},
      {"three layers, the second and third on lines of their own", {Winding(25, 1, 0, 10)}, 5, 0, 3, 20 + 22 + 22},
      {"narrow step", {Winding(5, 1, 10, 10)}, 5, 0, 1, 20},
      // A narrow step with nothing to wind still makes its one move: at its
      // point it starts a layer and takes its own direction...
      {"narrow step with no length, at its point", {Winding(10, 1, 0, 20), Winding(10, 1, 10, 10, 1, 0)}, 10, 1, 1, 42},
      // ...right of it, moving right, it turns left on a new layer and stays.
      {"narrow step with no length, from the right", {Winding(90, 1, 0, 100), Winding(90, 1, 85, 85, 0, 0)}, 90, 1, 1, 42},
      {"the same through crossed points", {Winding(90, 1, 0, 100), Winding(90, 1, 95, 85, 0, 0)}, 90, 1, 0, 42},
      {"and the steps after it follow", {Winding(90, 1, 0, 100), Winding(90, 1, 85, 85, 0, 0), Shift(95)}, 95, 0, 0, 64},
      {"narrow step with no length, from the left after moving left", {Shift(100), Shift(80), Winding(0, 1, 85, 85, 1)}, 80, 0, 0, 64},
      // Fewer turns than the step before, counting on: the move goes nowhere
      // rather than backwards.
      {"narrow step with a negative length", {Winding(90, 1, 0, 100), Winding(80, 1, 85, 85, 0, 0)}, 90, 1, 1, 42},
      {"crossed points walk as narrow at PRev", {Winding(5, 1, 12, 10)}, 5, 0, 0, 20},
      {"a shift keeping the direction stays on the line", {Shift(10), Shift(30)}, 30, 0, 0, 20},
      {"a shift reversing it starts a new line", {Shift(30), Shift(10)}, 10, 1, 0, 42},
      {"a jump to the left after a shift to the right", {Shift(30), Jump(5, 1)}, 25, 1, 0, 42},
      {"a jump on in the same direction", {Shift(30), Jump(5, 0)}, 35, 0, 0, 20},
      {"a shift after a pause starts a new line", {Shift(30), Still(kDruhPause, 10), Shift(40)}, 40, 0, 0, 64},
      {"taping keeps the position, one line", {Shift(30), Still(kDruhBandagieren, 10)}, 30, 0, 0, 42},
      {"a winding without feed is taping", {Shift(30), Winding(10, 0, 0, 40)}, 30, 0, 0, 42},
      {"gear change", {Shift(30), Still(kDruhGetriebe, 0.02L)}, 30, 0, 0, 42},
      {"an empty step and a pause: a line each", {Shift(30), Still(kDruhLeer), Still(kDruhPause, 1)}, 30, 0, 0, 64},
  };
  for (const PripadChodu& p : pripady) {
    SCOPED_TRACE(p.nazov);
    Stanica s;
    s.Program(p.kroky);
    s.Prejdi();
    const TBodKroku& b = s.Bod(static_cast<int>(p.kroky.size()));
    EXPECT_NEAR(static_cast<double>(b.Poloha), static_cast<double>(p.poloha), 1e-9);
    EXPECT_EQ(b.Smer, p.smer);
    EXPECT_EQ(static_cast<int32_t>(b.PocetVrstiev), p.pocetVrstiev);
    EXPECT_EQ(static_cast<long double>(b.Vyska), p.vyska);
    EXPECT_EQ(static_cast<int32_t>(b.BodY), static_cast<int32_t>(p.vyska));
  }
}

TEST(Chod, RecordsKindsAndScaledPoints) {
  Stanica s;
  s.Program({Shift(50), Still(0x17), Still(kDruhPause, 10), Winding(10, 0, 0, 10)});
  s.k.BodyKrokov[2].Poloha = 99.0L;  // an unknown kind records its kind only
  s.Prejdi();
  EXPECT_EQ(s.Bod(1).Druh, kDruhVerschiebung);
  EXPECT_EQ(s.Bod(2).Druh, 7);
  EXPECT_EQ(static_cast<long double>(s.Bod(2).Poloha), 99.0L);
  EXPECT_EQ(s.Bod(3).Druh, kDruhPause);
  EXPECT_EQ(s.Bod(4).Druh, kDruhBandagieren);
  // 50 mm of 0..100 on 427 pixels: round(50 x 412 / 100 + 15) = 221.
  EXPECT_EQ(static_cast<int32_t>(s.Bod(1).BodX), 221);
  EXPECT_EQ(static_cast<int32_t>(s.Bod(3).BodY), 42);
  EXPECT_EQ(static_cast<int32_t>(s.Bod(4).BodY), 64);
}

TEST(Chod, TheRoundingRemainderAddsNoDrawnPass) {
  Stanica s;
  s.Program({Winding(29.9375L, 1, 0, 9.96875L)});
  s.Prejdi();
  // Three drawn passes: the third covers the remainder's 0.03125 mm because
  // its rounded distance (10.0) reaches the rest; Vrstvuj counts four.
  EXPECT_EQ(static_cast<int32_t>(s.Bod(1).PocetVrstiev), 4);
  EXPECT_EQ(static_cast<long double>(s.Bod(1).Poloha), 10.0L);
  EXPECT_EQ(s.Bod(1).Smer, 0);
  EXPECT_EQ(static_cast<long double>(s.Bod(1).Vyska), 20.0L + 22 + 1);  // pass 2 a new line, pass 3 the band
}

TEST(Chod, ThePlainCaseDrawsItsPassesAndBand) {
  Stanica s;
  s.Program({Winding(100, 0.5L, 0, 10)});
  RecordingCanvas c;
  s.Prejdi(c, true);
  const TMierka m = s.Mierka();
  const int x0 = m.X(0), x10 = m.X(10);
  const int y20 = m.Y(20), y42 = m.Y(42), y43 = m.Y(43), y44 = m.Y(44), y66 = m.Y(66);
  const std::vector<RecordingCanvas::Segment> ciary = c.LinesIn(clRed);
  const std::vector<std::pair<TPoint, TPoint>> cakane = {
      {{x0, y20}, {x10, y20}},  // pass 1 on the start line
      {{x10, y20}, {x10, y42}}, {{x10, y42}, {x0, y42}},   // pass 2 on a line of its own
      {{x0, y42}, {x0, y43}},   {{x0, y43}, {x10, y43}},   // pass 3: the band
      {{x10, y43}, {x10, y44}}, {{x10, y44}, {x0, y44}},   // pass 4
      {{x0, y44}, {x0, y66}},   {{x0, y66}, {x10, y66}},   // pass 5 on a new line
  };
  ASSERT_EQ(ciary.size(), cakane.size());
  for (size_t i = 0; i < ciary.size(); ++i) {
    EXPECT_EQ(ciary[i].from, cakane[i].first) << i;
    EXPECT_EQ(ciary[i].to, cakane[i].second) << i;
  }
}

TEST(Chod, TheTrapezoidCaseMovesTheOppositePointAfterEachFullPass) {
  Stanica s;
  TKrok krok = Winding(25, 1, 0, 10);
  krok.TrapezL = 1.0L;
  krok.TrapezP = 1.0L;
  krok.TrapezPZnamienko = 1;
  s.Program({krok});
  RecordingCanvas c;
  s.Prejdi(c, true);
  // Pass 1 0 -> 10 (left point to 1), pass 2 10 -> 1 on a new line (right
  // point to 9), pass 3 1 -> 7 partial on a new line.
  const TBodKroku& b = s.Bod(1);
  EXPECT_EQ(static_cast<long double>(b.Poloha), 7.0L);
  EXPECT_EQ(b.Smer, 0);
  EXPECT_EQ(static_cast<long double>(b.Vyska), 64.0L);
  EXPECT_EQ(static_cast<int32_t>(b.PocetVrstiev), 3);  // Vrstvuj knows no trapezoid
  EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.AktLRev), 1.0L);
  EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.AktPRev), 9.0L);
  const TMierka m = s.Mierka();
  EXPECT_TRUE(c.HasLine({m.X(0), m.Y(20)}, {m.X(10), m.Y(20)}));
  EXPECT_TRUE(c.HasLine({m.X(10), m.Y(42)}, {m.X(1), m.Y(42)}));
  EXPECT_TRUE(c.HasLine({m.X(1), m.Y(64)}, {m.X(7), m.Y(64)}));
}

TEST(Chod, CrossingTrapezoidPointsStopTheStepWithTheMessage) {
  Stanica s;
  TKrok krok = Winding(25, 1, 0, 10);
  krok.TrapezL = 6.0L;
  krok.TrapezP = 6.0L;
  krok.TrapezPZnamienko = 1;
  s.Program({Shift(0), krok, Shift(50)});
  s.k.BodyKrokov[2].Poloha = 77.0L;
  s.k.BodyKrokov[2].BodX = 5;
  // After two passes the left point is at 6 and the right one at 4.
  s.ui.ExpectError("SCHRITT: 2 : L.Wendepunkt > R.Wendepunkt ");
  s.Prejdi();
  EXPECT_EQ(static_cast<long double>(s.Bod(2).Poloha), 77.0L);  // not recorded
  EXPECT_EQ(static_cast<int32_t>(s.Bod(2).BodX), 5);
  EXPECT_EQ(s.Bod(2).Druh, kDruhWicklung);
  // The walk goes on from where the step stopped.
  EXPECT_EQ(static_cast<long double>(s.Bod(3).Poloha), 50.0L);
  s.ui.Verify();
}

TEST(Chod, ATrapezoidWhosePointsMeetAndStayEnds) {
  Stanica s;
  TKrok krok = Winding(25, 1, 0, 10);
  krok.TrapezL = 10.0L;  // the left point moves onto the right one; the right one stays
  s.Program({krok});
  s.Prejdi();
  const TBodKroku& b = s.Bod(1);
  EXPECT_EQ(static_cast<long double>(b.Poloha), 10.0L);
  EXPECT_EQ(static_cast<long double>(b.Vyska), 64.0L);
}

TEST(Chod, ATrapezoidWhosePointsDriftForEverStopsAtTheCap) {
  Stanica s;
  TKrok krok = Winding(100, 1, 0, 1e-20L);
  krok.TrapezL = 1e-30L;  // both points creep right by amounts the rest never feels
  krok.TrapezP = 1e-30L;
  s.Program({krok});
  s.Prejdi();
  EXPECT_EQ(s.k.Vrstvenie.Prechod, kMaxPrechodovLichobeznika);
  // Every pass after the first on a line of its own.
  EXPECT_EQ(static_cast<long double>(s.Bod(1).Vyska), 20.0L + 22.0L * (kMaxPrechodovLichobeznika - 1));
}

TEST(Chod, APlainStepThatCannotShrinkItsRestEnds) {
  Stanica s;
  // The reversal points lie closer together than the rest's precision.
  s.Program({Winding(100, 1, 0, 1e-20L)});
  s.Prejdi();
  EXPECT_GT(static_cast<int32_t>(s.Bod(1).PocetVrstiev), 1);
  EXPECT_GT(static_cast<long double>(s.k.Vrstvenie.Zvysok), 99.0L);
}

TEST(Chod, SilentWalkOnlyMovesThePen) {
  Stanica s;
  s.Program({Winding(100, 0.5L, 0, 10), Still(kDruhPause, 5)});
  RecordingCanvas c;
  s.Prejdi(c, false);
  EXPECT_EQ(c.Count(RecordingCanvas::Op::LineTo), 0u);
  EXPECT_EQ(c.Count(RecordingCanvas::Op::Polygon) + c.Count(RecordingCanvas::Op::Ellipse) +
                c.Count(RecordingCanvas::Op::TextOut),
            0u);
  EXPECT_GT(c.Count(RecordingCanvas::Op::MoveTo), 5u);
}

TEST(Chod, NonMovingKindsDrawTheirTick) {
  Stanica s;
  s.Program({Shift(50), Still(kDruhBandagieren, 5)});
  RecordingCanvas c;
  s.Prejdi(c, true);
  const TMierka m = s.Mierka();
  const int x = m.X(50), y = m.Y(42);
  EXPECT_TRUE(c.HasLine({x - 25, y}, {x + 25, y}));
  EXPECT_EQ(c.PenPos(), (TPoint{x, y}));
  EXPECT_EQ(c.LinesIn(clFuchsia).size(), 2u);  // the rise and the tick
}

TEST(Chod, PointsAtOrBelowTheScrollOffsetAreNotConnected) {
  Stanica s;
  s.Program({Shift(10), Shift(40), Shift(20)});  // heights 20, 20, 42
  s.posun = 20;
  RecordingCanvas c;
  s.Prejdi(c, true);
  const TMierka m = s.Mierka();
  EXPECT_EQ(m.Posun, 20);
  // Steps 1 and 2 end on BodY 20 = the offset: moves only. Step 3 rises above it.
  EXPECT_FALSE(c.HasLine({m.X(10), m.Y(20)}, {m.X(40), m.Y(20)}));
  EXPECT_TRUE(c.HasLine({m.X(40), m.Y(20)}, {m.X(40), m.Y(42)}));
  EXPECT_TRUE(c.HasLine({m.X(40), m.Y(42)}, {m.X(20), m.Y(42)}));
}

TEST(Chod, LeavesEntriesBeyondTheProgramAlone) {
  Stanica s;
  s.Program({Shift(10)});
  s.k.BodyKrokov[2].Poloha = 5.0L;
  s.k.BodyKrokov[350].BodX = 9;
  s.Prejdi();
  EXPECT_EQ(static_cast<long double>(s.Bod(2).Poloha), 5.0L);
  EXPECT_EQ(static_cast<int32_t>(s.Bod(350).BodX), 9);
}

// --- Runs of passes -----------------------------------------------------------

TPlnePrechody Naivne(long double& z, long double d, long double prah, uint64_t max) {
  TPlnePrechody r;
  while (r.Pocet < max && z > prah) {
    const long double z1 = R48(z - d);
    ++r.Pocet;
    if (z1 == z) {
      r.Zaseknute = true;
      return r;
    }
    z = z1;
  }
  return r;
}

void Porovnaj(long double z, long double d, long double prah, uint64_t max) {
  long double a = z;
  long double b = z;
  const TPlnePrechody ra = PlnePrechody(a, d, prah, max);
  const TPlnePrechody rb = Naivne(b, d, prah, max);
  ASSERT_EQ(ra.Pocet, rb.Pocet) << "z " << static_cast<double>(z) << " d " << static_cast<double>(d);
  ASSERT_EQ(ra.Zaseknute, rb.Zaseknute);
  ASSERT_EQ(a, b) << "z " << static_cast<double>(z) << " d " << static_cast<double>(d);
}

TEST(PlnePrechody, GiveExactlyThePassByPassResult) {
  std::mt19937_64 g(20240611);
  std::uniform_real_distribution<double> exp(-4.0, 14.0);
  std::uniform_int_distribution<int> odstup(3, 30);
  for (int t = 0; t < 160; ++t) {
    const long double z = R48(std::pow(2.0L, static_cast<long double>(exp(g))));
    // d with a full 64-bit mantissa, 2^-3..2^-30 of z.
    const uint64_t mant = g() | (uint64_t{1} << 63);
    const long double d = std::ldexp(static_cast<long double>(mant), std::ilogb(z) - odstup(g) - 63);
    const long double prahy[] = {d, R48(Zaokruhli01(d)), 0.0L, z / 3};
    Porovnaj(z, d, prahy[t % 4], 60000);
  }
}

TEST(PlnePrechody, HandleTiesAtBothRoundings) {
  const long double zs[] = {1.5L, 1.0L + std::ldexp(1.0L, -39), 2.0L - std::ldexp(1.0L, -39), 3.75L, 1000.5L};
  for (const long double z0 : zs) {
    const int e = std::ilogb(z0);
    const long double u = std::ldexp(1.0L, e - 39);
    const long double ds[] = {u / 2, 3 * u / 2, 5 * u / 2, u / 2 + std::ldexp(u, -25), 7 * u / 2 - std::ldexp(u, -25),
                              u, 6 * u, u / 2 - std::ldexp(u, -26), 4097 * u / 2};
    for (const long double d : ds) Porovnaj(R48(z0), d, 0.0L, 60000);
  }
}

TEST(PlnePrechody, RunAcrossExponentsAsPassByPass) {
  Porovnaj(R48(1000.0L), 0.0123456789L, 0.0123456789L, std::numeric_limits<uint64_t>::max());
  Porovnaj(R48(1000.0L), 0.0123456789L, R48(Zaokruhli01(0.0123456789L)), std::numeric_limits<uint64_t>::max());
  Porovnaj(R48(77777.7L), 0.3L, 0.0L, std::numeric_limits<uint64_t>::max());
}

TEST(PlnePrechody, StopWhenTheRestNoLongerShrinks) {
  long double z = 100.0L;
  const TPlnePrechody r = PlnePrechody(z, 1e-20L, 0.0L, 1000);
  EXPECT_TRUE(r.Zaseknute);
  EXPECT_EQ(r.Pocet, 1u);
  EXPECT_EQ(z, 100.0L);
}

TEST(Chod, AHugePassCountIsFastAndExact) {
  Stanica s;
  // 2^20 mm between 0 and 2^-10: 2^30 passes, every subtraction exact.
  const long double d = std::ldexp(1.0L, -10);
  s.Program({Winding(1048576.0L, 1, 0, d)});
  // Pass by pass this walk would run for minutes; its time is measured in bench/.
  s.Prejdi();
  const TBodKroku& b = s.Bod(1);
  EXPECT_EQ(static_cast<int32_t>(b.PocetVrstiev), 1 << 30);
  EXPECT_EQ(static_cast<long double>(b.Poloha), 0.0L);
  EXPECT_EQ(b.Smer, 1);
  // Pass 2 on a new line, 3 and 4 the band, the last pass (2^30) a new line.
  EXPECT_EQ(static_cast<long double>(b.Vyska), 20.0L + 22 + 1 + 1 + 22);
  EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.Zvysok), 0.0L);
  EXPECT_EQ(s.k.Vrstvenie.Prechod, 1 << 30);
}

TEST(Chod, ManyInexactPassesAcrossExponentsStayFast) {
  Stanica s;
  s.Program({Winding(99999.99L, 40, 0, 0.001L)});  // about 4e9 passes: the counters wrap
  RecordingCanvas c;
  s.Prejdi(c, true);
  EXPECT_LT(c.calls.size(), 200u);
}

// The plain walk pass by pass, as the rules state it, for one windings step
// after a shift, from a reversal point at height 20.
struct Naivny {
  long double poloha, vyska, zvysok;
  uint8_t smer;
};
Naivny NaivnyChod(const TKrok& k, long double start, uint8_t smer, int32_t pv) {
  Naivny n{start, 20.0L, R48(static_cast<long double>(k.PosuvMM) * static_cast<long double>(k.Hodnota)), smer};
  const long double l = k.LRev, r = k.PRev;
  int32_t prechod = 0;
  bool prvy = false;
  auto vrstva = [&](bool nova) {
    if (pv <= 3) {
      if (prechod == 1) {
        if (nova) n.vyska += 22;
      } else if (prechod == 2 || prechod == 3) {
        n.vyska += 22;
      }
    } else if (prechod == 1) {
      if (nova) {
        n.vyska += 22;
        prvy = true;
      }
    } else if (prechod == pv) {
      n.vyska += 22;
    } else if (prechod == 2) {
      if (!prvy) n.vyska += 22;
    } else if (prechod == 3 || prechod == 4) {
      n.vyska += 1;
    }
  };
  while (n.zvysok > 0) {
    ++prechod;
    if (n.poloha >= r) {
      vrstva(n.smer == 0);
      n.smer = 1;
      const long double d = n.poloha - l;
      if (R48(Zaokruhli01(d)) >= n.zvysok) {
        n.poloha = R48(n.poloha - n.zvysok);
        n.zvysok = 0;
      } else {
        n.zvysok = R48(n.zvysok - d);
        n.poloha = l;
      }
    } else if (n.poloha <= l) {
      vrstva(n.smer == 1);
      n.smer = 0;
      const long double d = r - n.poloha;
      if (R48(Zaokruhli01(d)) >= n.zvysok) {
        n.poloha = R48(n.poloha + n.zvysok);
        n.zvysok = 0;
      } else {
        n.zvysok = R48(n.zvysok - d);
        n.poloha = r;
      }
    } else {
      ADD_FAILURE() << "the reference starts at a reversal point";
      break;
    }
  }
  return n;
}

TEST(Chod, RunsOfPassesMatchThePassByPassWalk) {
  std::mt19937_64 g(77);
  std::uniform_real_distribution<double> sirka(0.05, 20.0), posuv(0.001, 2.0), zavity(1.0, 3000.0), lava(0.0, 50.0);
  for (int t = 0; t < 60; ++t) {
    Stanica s;
    const long double l = R48(lava(g));
    const long double r = R48(l + sirka(g));
    const TKrok krok = Winding(R48(zavity(g)), R48(posuv(g)), l, r, static_cast<uint8_t>(t % 2));
    s.Program({Shift(l), krok});
    s.Prejdi();
    // The reference walks step 2 from where the shift left it, on the start line.
    ASSERT_EQ(static_cast<long double>(s.Bod(1).Vyska), 20.0L);
    const Naivny n = NaivnyChod(krok, l, s.Bod(1).Smer, s.Bod(2).PocetVrstiev);
    SCOPED_TRACE(t);
    EXPECT_EQ(static_cast<long double>(s.Bod(2).Poloha), n.poloha);
    EXPECT_EQ(static_cast<long double>(s.Bod(2).Vyska), n.vyska);
    EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.Zvysok), n.zvysok);
    EXPECT_EQ(s.Bod(2).Smer, n.smer);
    // Vrstvuj pass by pass.
    int32_t pocet = 0;
    long double rest = R48(static_cast<long double>(krok.PosuvMM) * static_cast<long double>(krok.Hodnota));
    long double p = l;
    while (rest > 0) {
      ++pocet;
      if (p >= r) {
        if (rest > p - l) {
          rest = R48(rest - (p - l));
          p = l;
        } else {
          p = R48(p - rest);
          rest = 0;
        }
      } else {
        if (rest > r - p) {
          rest = R48(rest - (r - p));
          p = r;
        } else {
          p = R48(p + rest);
          rest = 0;
        }
      }
    }
    EXPECT_EQ(static_cast<int32_t>(s.Bod(2).PocetVrstiev), pocet);
  }
}

// The trapezoid walk pass by pass, as the rules state it, for one windings
// step after a shift to `start`, on the start line.
struct NaivnyLichobeznik {
  long double poloha, vyska, zvysok, lrev, prev;
  uint8_t smer;
  int32_t prechod;
  bool skrizene;  // the points crossed: the message, no end point
};
NaivnyLichobeznik NaivnyLichobeznikChod(const TKrok& k, long double start, uint8_t smer) {
  NaivnyLichobeznik n{start, 20.0L, R48(static_cast<long double>(k.PosuvMM) * static_cast<long double>(k.Hodnota)),
                      k.LRev, k.PRev, smer, 0, false};
  const long double tl = k.TrapezLZnamienko == 1 ? -static_cast<long double>(k.TrapezL) : static_cast<long double>(k.TrapezL);
  const long double tp = k.TrapezPZnamienko == 1 ? -static_cast<long double>(k.TrapezP) : static_cast<long double>(k.TrapezP);
  while (n.zvysok > 0) {
    if (n.prechod >= kMaxPrechodovLichobeznika) break;
    ++n.prechod;
    if (n.lrev > n.prev) {
      n.skrizene = true;
      return n;
    }
    const NaivnyLichobeznik pred = n;
    const bool doprava = n.poloha >= n.prev ? false : (n.poloha <= n.lrev ? true : n.smer == 0);
    if (doprava) {
      if (n.prechod != 1 || n.smer == 1) n.vyska = R48(n.vyska + 22);
      const long double d = n.prev - n.poloha;
      if (R48(Zaokruhli01(d)) >= n.zvysok) {
        n.poloha = R48(n.poloha + n.zvysok);
        n.zvysok = 0;
        n.smer = 0;
      } else {
        n.zvysok = R48(n.zvysok - d);
        n.poloha = n.prev;
        n.smer = 1;
        n.lrev = R48(n.lrev + tl);
      }
    } else {
      if (n.prechod != 1 || n.smer == 0) n.vyska = R48(n.vyska + 22);
      const long double d = n.poloha - n.lrev;
      if (R48(Zaokruhli01(d)) >= n.zvysok) {
        n.poloha = R48(n.poloha - n.zvysok);
        n.zvysok = 0;
        n.smer = 1;
      } else {
        n.zvysok = R48(n.zvysok - d);
        n.poloha = n.lrev;
        n.smer = 0;
        n.prev = R48(n.prev + tp);
      }
    }
    if (n.zvysok == pred.zvysok && n.poloha == pred.poloha && n.lrev == pred.lrev && n.prev == pred.prev &&
        n.smer == pred.smer)
      break;
  }
  return n;
}

TEST(Chod, TrapezoidStepsMatchThePassByPassWalk) {
  std::mt19937_64 g(1909);
  std::uniform_real_distribution<double> sirka(0.05, 20.0), posuv(0.001, 2.0), zavity(1.0, 3000.0), lava(0.0, 50.0),
      bok(0.0, 0.5), zaciatok(-5.0, 75.0);
  for (int t = 0; t < 80; ++t) {
    Stanica s;
    const long double l = R48(lava(g));
    long double r = R48(l + sirka(g));
    TKrok krok = Winding(R48(zavity(g)), R48(posuv(g)), l, r, static_cast<uint8_t>(t % 2));
    // Flanks of both signs, one of them often 0; every tenth case the wide
    // feed and drifting left flank of the heaviest programs, whose left point
    // crosses 0 on the way.
    krok.TrapezL = t % 3 == 2 ? 0.0L : R48(bok(g));
    krok.TrapezP = t % 3 == 1 ? 0.0L : R48(bok(g));
    krok.TrapezLZnamienko = static_cast<uint8_t>(g() % 2);
    krok.TrapezPZnamienko = static_cast<uint8_t>(g() % 2);
    if (krok.TrapezL + krok.TrapezP == 0.0L) krok.TrapezL = 0.25L;
    if (t % 10 == 9) {
      krok = Winding(2000, 40, 0.5L, 0.6L);
      krok.TrapezL = 0.01L;
      krok.TrapezLZnamienko = 1;
    }
    const long double start = t % 4 == 3 ? R48(zaciatok(g)) : static_cast<long double>(krok.LRev);
    s.Program({Shift(start), krok});
    const NaivnyLichobeznik n = NaivnyLichobeznikChod(krok, start, start < 0 ? 1 : 0);
    SCOPED_TRACE(t);
    if (n.skrizene) s.ui.ExpectError("SCHRITT: 2 : L.Wendepunkt > R.Wendepunkt ");
    s.k.BodyKrokov[2].Poloha = -1.0L;
    s.Prejdi();
    s.ui.Verify();
    EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.Zvysok), n.zvysok);
    EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.AktLRev), n.lrev);
    EXPECT_EQ(static_cast<long double>(s.k.Vrstvenie.AktPRev), n.prev);
    EXPECT_EQ(s.k.Vrstvenie.Prechod, n.prechod);
    if (n.skrizene) {
      EXPECT_EQ(static_cast<long double>(s.Bod(2).Poloha), -1.0L);
      continue;
    }
    EXPECT_EQ(static_cast<long double>(s.Bod(2).Poloha), n.poloha);
    EXPECT_EQ(static_cast<long double>(s.Bod(2).Vyska), n.vyska);
    EXPECT_EQ(s.Bod(2).Smer, n.smer);
  }
}

}  // namespace
}  // namespace kvr