// The coil drawing and selection: window edges, the repaint and its
// markers, the hit test, the mouse, the timers, overview, zoom, fixed edges.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/program.h"
#include "model/machine.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/steps.h"
#include "support/station.h"
#include "support/recording_canvas.h"
#include "tools/keypad.h"
#include "ui/main_window.h"
#include "view/colours.h"
#include "view/coil_drawing.h"
#include "view/scale.h"

namespace kvr {
namespace {

using test::RecordingCanvas;
using test::Still;
using test::Shift;
using test::Jump;
using test::Winding;
using Op = RecordingCanvas::Op;

TMouseEvent Mys(int x, int y, bool ctrl = false, bool lave = true) {
  TMouseEvent e;
  e.X = x;
  e.Y = y;
  e.Ctrl = ctrl;
  e.Left = lave;
  return e;
}

struct Stanica : test::StationWithProgram {
  void RepaintLater(RecordingCanvas& c) { prog.drawing.PaintBox1Paint(c); }
  RecordingCanvas RepaintLater() {
    RecordingCanvas c;
    RepaintLater(c);
    return c;
  }
  long double Lava() const { return k.Pohlad.OknoLava; }
  long double Prava() const { return k.Pohlad.OknoPrava; }
  // Where a click hits the marker of step i.
  TPoint Stred(int i) const {
    const TBodKroku& b = Bod(i);
    const TMierka m = prog.drawing.Mierka();
    int x = b.BodX;
    if (b.Druh != 0 && b.Druh != 4 && b.Druh != 5 && b.Druh != 6) x += b.Smer == 0 ? -8 : 8;
    return {x, m.Y(b.BodY)};
  }
  void Klik(int od, int po, bool ctrl = false) {
    const TPoint a = Stred(od), b = Stred(po);
    prog.drawing.PaintBox1MouseDown(Mys(a.X, a.Y, ctrl));
    prog.drawing.PaintBox1MouseUp(Mys(b.X, b.Y, ctrl));
  }
  std::string Oznacene() const {
    std::string s;
    for (int i = 1; i <= kMaxKrokov; ++i)
      if (k.Vyber.VybraneKroky[static_cast<size_t>(i)] == 'U') s += std::to_string(i) + " ";
    return s;
  }
};

// --- Window edges ---------------------------------------------------------------

TEST(SirkaOkna, AnEmptyProgramWithoutBobbinShowsTheWholeMachine) {
  Stanica s;
  s.Program({});
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Lava(), 0.0L);
  EXPECT_EQ(s.Prava(), 210.0L);
}

TEST(SirkaOkna, AnEmptyProgramShowsTheBobbinWithAMargin) {
  Stanica s;
  s.Program({});
  s.k.Program.MenoKostricky = "D:\\CONST_BOBBIN\\Korper\\a.kor";
  s.k.Kostricka.Abstand = 30.0L;
  s.k.Kostricka.Komory[0] = {0.0L, 50.0L};
  s.k.Kostricka.Komory[1] = {60.0L, 120.0L};
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Lava(), 20.0L);
  EXPECT_EQ(s.Prava(), 160.0L);
  s.k.Kostricka.Abstand = 10.0L;  // not above 10: the left edge is 0
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Lava(), 0.0L);
  EXPECT_EQ(s.Prava(), 140.0L);
  s.k.Kostricka.Komory[1] = {60.0L, 195.0L};  // 205 + 10 reaches the machine's width
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Prava(), 210.0L);
  s.k.Kresba.RezimMysi = 7;  // while dragging the bobbin does not count
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Prava(), 210.0L);
  EXPECT_EQ(s.Lava(), 0.0L);
}

TEST(SirkaOkna, StepsSetTheEdgesWithAFivePercentMargin) {
  Stanica s;
  s.Program({Winding(10, 1, 5, 100), Shift(200), Still(kDruhPause, 5000)});
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Lava(), 0.0L);  // no bobbin: the left edge starts at 0
  EXPECT_EQ(s.Prava(), 210.0L);  // 5 % of 200 is 10
  s.Program({Winding(10, 1, 5, 400)});
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Prava(), 420.0L);
  s.Program({Winding(10, 1, 5, 60)});
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Prava(), 70.0L);  // at least 10
}

TEST(SirkaOkna, AJumpCountsFromWhereTheLastWalkEndedTheStepBefore) {
  Stanica s;
  s.Program({Shift(100), Jump(150, 0)});
  SirkaOkna(s.prog.Kontext());  // no walk yet: the jump starts at 0 and reaches 150
  EXPECT_EQ(s.Prava(), 160.0L);
  s.RepaintLater();  // now from 100 to 250: the margin round(12.5) is 12, halves to even
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Prava(), 262.0L);
  s.Program({Shift(100), Jump(40, 1)});
  s.RepaintLater();
  SirkaOkna(s.prog.Kontext());
  EXPECT_EQ(s.Prava(), 110.0L);
  EXPECT_EQ(s.Lava(), 0.0L);
}

// --- Repaint ---------------------------------------------------------------------

TEST(Prekreslenie, DrawsChamberWallsAndWritesTheCaptions) {
  Stanica s;
  s.Program({Shift(10), Winding(10, 1, 0, 20)});
  s.k.Kostricka.Abstand = 5.0L;
  s.k.Kostricka.Komory[0] = {0.0L, 40.0L};
  s.k.Kostricka.Komory[2] = {50.0L, 60.0L};  // chamber 2 is empty and skipped
  s.k.Program.AktKrok = 2;
  RecordingCanvas c = s.RepaintLater();
  const TMierka m = s.prog.drawing.Mierka();
  std::vector<int> steny;
  for (const RecordingCanvas::Segment& l : c.Lines())
    if (l.pen.Style == TPenStyle::Dot) {
      EXPECT_EQ(l.pen.Color, clLime);
      EXPECT_EQ(l.from.Y, 0);
      EXPECT_EQ(l.to.Y, 649);
      EXPECT_EQ(l.from.X, l.to.X);
      steny.push_back(l.from.X);
    }
  EXPECT_EQ(steny, (std::vector<int>{m.X(5), m.X(45), m.X(55), m.X(65)}));
  EXPECT_EQ(s.prog.drawing.W_Lava.Caption, "0.0");
  EXPECT_EQ(s.prog.drawing.W_prava.Caption, "30.0");
  EXPECT_EQ(s.prog.drawing.pPoloha.Caption, "POSITION =20.0 [mm]");
  EXPECT_EQ(s.prog.drawing.pVrstvy.Caption, "LAGEN = 1");
  EXPECT_EQ(s.prog.drawing.pDruhKroku.Caption, "WICKLUNG");
  EXPECT_TRUE(s.k.Kresba.KresliZapnute);
}

TEST(Prekreslenie, FixedEdgesReplaceTheAutomaticOnes) {
  Stanica s;
  s.Program({Shift(100)});
  s.k.Pohlad.PevnaLava = 20.0L;
  s.k.Pohlad.PevnaPrava = 80.0L;
  s.RepaintLater();
  EXPECT_EQ(s.Lava(), 20.0L);
  EXPECT_EQ(s.Prava(), 80.0L);
  EXPECT_EQ(s.prog.drawing.W_Lava.Caption, "20.0");
  s.k.Pohlad.PevnaPrava = 0.0L;  // a zero fixed edge leaves that edge as it was
  s.k.Pohlad.PevnaLava = 30.0L;
  s.RepaintLater();
  EXPECT_EQ(s.Lava(), 30.0L);
  EXPECT_EQ(s.Prava(), 80.0L);
}

TEST(Prekreslenie, PanelsAreEmptyWithoutACurrentStep) {
  Stanica s;
  s.Program({Shift(10)});
  s.prog.drawing.pPoloha.Caption = "x";
  s.k.Program.AktKrok = 0;
  s.RepaintLater();
  EXPECT_EQ(s.prog.drawing.pPoloha.Caption, "");
  EXPECT_EQ(s.prog.drawing.pVrstvy.Caption, "");
  EXPECT_EQ(s.prog.drawing.pDruhKroku.Caption, "");
}

TEST(Prekreslenie, AProgramWithoutEndIsGrey) {
  Stanica s;
  s.Program({Shift(10), Winding(10, 1, 0, 20), Still(kDruhPause, 5), Jump(3, 1)}, true);
  // The recount finds "Ende" in the first cleared step after the program; a
  // program without one has every step up to 350 set to another cycle type.
  s.k.Program.KrokEnde = 0;
  RecordingCanvas c = s.RepaintLater();
  for (const RecordingCanvas::Call& v : c.calls) {
    if (v.op != Op::LineTo && v.op != Op::Polygon && v.op != Op::Ellipse) continue;
    if (v.pen.Style == TPenStyle::Dot) continue;  // chamber walls
    EXPECT_EQ(v.pen.Color, clSiva);
  }
}

TEST(Prekreslenie, ColoursByKindAndGreyAfterTheEnd) {
  Stanica s;
  std::vector<TKrok> kroky = {Shift(10), Winding(10, 1, 0, 20), Winding(5, 1, 30, 20), Jump(2, 0),
                              Still(kDruhPause, 5), Still(kDruhGetriebe, 0.01L), Still(kDruhBandagieren, 3),
                              Still(kDruhLeer), Shift(5), Shift(8)};
  kroky[8].TypCyklu = kCyklusEnde;  // step 9 ends the program; step 10 comes after
  s.Program(kroky, true);
  ASSERT_EQ(s.k.Program.KrokEnde, 9);
  const TColor cakane[] = {clModra, clRed, clYellow, clZelena, clTyrkys, clNebeska, clFuchsia, clSiva, clModra, clSiva};
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(StepColour(s.k, i, DruhKroku(s.k.Program.Kroky[i])), cakane[i - 1]) << i;
  RecordingCanvas c = s.RepaintLater();
  // Markers: kind 0, 4, 6 circles, 5 a square, the others arrows, each in its colour.
  EXPECT_EQ(c.Count(Op::Ellipse), 3u);
  EXPECT_EQ(c.Count(Op::Rectangle), 1u);
  EXPECT_EQ(c.Count(Op::Polygon), 6u);
  EXPECT_EQ(c.Of(Op::Rectangle)[0].pen.Color, clNebeska);
  EXPECT_EQ(c.Of(Op::Polygon)[0].pen.Color, clSiva);  // step 10 first: lower numbers end on top
  EXPECT_EQ(c.Of(Op::Polygon).back().pen.Color, clModra);
}

TEST(Prekreslenie, StepNumbersAndGearSpeedsBesideTheMarkers) {
  Stanica s;
  s.Program({Shift(50), Still(kDruhGetriebe, 0.02L), Still(kDruhGetriebe, 0.0L), Jump(10, 1)});
  RecordingCanvas c = s.RepaintLater();
  const TMierka m = s.prog.drawing.Mierka();
  const TBodKroku& b2 = s.Bod(2);
  const int x = b2.BodX, y = m.Y(b2.BodY);
  const std::vector<RecordingCanvas::Call> rychlost = c.TextsWith(" 6000");
  ASSERT_EQ(rychlost.size(), 1u);
  EXPECT_EQ(rychlost[0].To(), (TPoint{x + 12, y - 6}));
  EXPECT_EQ(rychlost[0].background, clWhite);
  const std::vector<RecordingCanvas::Call> cislo2 = c.TextsWith("2");
  ASSERT_EQ(cislo2.size(), 1u);
  EXPECT_EQ(cislo2[0].To(), (TPoint{x - 6, y - 6}));
  EXPECT_EQ(cislo2[0].font, "Small Fonts");
  EXPECT_EQ(cislo2[0].fontHeight, 10);
  EXPECT_TRUE(cislo2[0].bold);
  EXPECT_EQ(c.Of(Op::Rectangle)[1].x1, x - 8);  // step 2's square (step 3's came first)
  // Arrow of step 4, direction 1: the number right of the tip, on the panel's colour.
  const TBodKroku& b4 = s.Bod(4);
  const std::vector<RecordingCanvas::Call> cislo4 = c.TextsWith("4");
  ASSERT_EQ(cislo4.size(), 1u);
  EXPECT_EQ(cislo4[0].To(), (TPoint{b4.BodX + 2, m.Y(b4.BodY) - 14}));
  EXPECT_EQ(cislo4[0].background, clWhite);
  // Gear 0 (step 3) gets no speed text and no message.
  EXPECT_EQ(c.Texts().size(), 5u);
}

TEST(Prekreslenie, AGearAboveThreeIsReportedByBothWalks) {
  Stanica s;
  s.Program({Shift(50), Still(kDruhGetriebe, 0.05L)});
  s.ui.ExpectError("Gear: 5 is out of range 1-2").ExpectError("Gear: 5 is out of range 1-2");
  s.RepaintLater();
  s.ui.Verify();
}

TEST(Prekreslenie, TheTrapezoidMessageComesTwicePerRepaint) {
  Stanica s;
  TKrok krok = Winding(25, 1, 0, 10);
  krok.TrapezL = 6.0L;
  krok.TrapezP = 6.0L;
  krok.TrapezPZnamienko = 1;
  s.Program({krok});
  s.ui.ExpectError("SCHRITT: 1 : L.Wendepunkt > R.Wendepunkt ").ExpectError("SCHRITT: 1 : L.Wendepunkt > R.Wendepunkt ");
  s.RepaintLater();
  s.ui.Verify();
}

TEST(Prekreslenie, CloseArrowsArePushedSixteenPixelsApartAndHitThere) {
  Stanica s;
  s.Program({Shift(10), Shift(10.5L)});  // both to the right, on one line
  RecordingCanvas c = s.RepaintLater();
  const TMierka m = s.prog.drawing.Mierka();
  const int x1 = m.X(10), x2 = m.X(10.5L);
  ASSERT_LT(x2 - x1, 16);
  EXPECT_EQ(static_cast<int32_t>(s.Bod(2).BodX), x2);
  EXPECT_EQ(static_cast<int32_t>(s.Bod(1).BodX), x2 - 16);
  const int y = m.Y(20);
  const std::vector<RecordingCanvas::Call> sipky = c.Of(Op::Polygon);
  ASSERT_EQ(sipky.size(), 2u);
  EXPECT_EQ(sipky[1].points, (std::vector<TPoint>{{x2 - 32, y + 4}, {x2 - 16, y}, {x2 - 32, y - 4}}));
  EXPECT_EQ(s.prog.drawing.StepAt(x2 - 16 - 8, y), 1);
  // Where step 1's arrow would have been, step 2 (the higher number) wins.
  EXPECT_EQ(s.prog.drawing.StepAt(x1 - 8, y), 2);
  EXPECT_EQ(s.prog.drawing.StepAt(x2 - 8, y - 11), 0);
}

TEST(Prekreslenie, ArrowsToTheLeftArePushedToTheRight) {
  Stanica s;
  s.Program({Shift(20), Shift(10), Shift(9.7L)});
  s.RepaintLater();
  EXPECT_EQ(s.Bod(2).Smer, 1);
  EXPECT_EQ(static_cast<int32_t>(s.Bod(2).BodY), static_cast<int32_t>(s.Bod(3).BodY));
  EXPECT_EQ(static_cast<int32_t>(s.Bod(2).BodX), s.Bod(3).BodX + 16);
}

TEST(Prekreslenie, TheOverviewMarksOnlyTheLastStepWithoutPushing) {
  Stanica s;
  s.Program({Shift(10), Shift(10.5L), Still(kDruhPause, 3)});
  s.prog.drawing.B_OverView.Click();
  EXPECT_EQ(s.prog.drawing.B_OverView.Caption, "SCHRITTE");
  RecordingCanvas c = s.RepaintLater();
  EXPECT_EQ(c.Count(Op::Polygon), 0u);
  EXPECT_EQ(c.Count(Op::Ellipse), 1u);
  EXPECT_EQ(static_cast<int32_t>(s.Bod(1).BodX), s.prog.drawing.Mierka().X(10));
  s.prog.drawing.B_OverView.Click();
  EXPECT_EQ(s.prog.drawing.B_OverView.Caption, "UEBERSICHT");
  EXPECT_EQ(s.k.Kresba.Prehlad, 0);
  EXPECT_EQ(s.ui.invalidated.size(), 2u);
}

TEST(Prekreslenie, MarkersNearTheScrollOffsetAreHidden) {
  Stanica s;
  s.Program({Shift(10), Still(kDruhPause, 3)});  // BodY 20 and 42
  s.prog.drawing.ScrollBar1.Position = s.prog.drawing.ScrollBar1.Max - 15;  // offset 15: 20 is not above 15 + 5
  RecordingCanvas c = s.RepaintLater();
  EXPECT_EQ(c.Count(Op::Polygon), 0u);
  EXPECT_EQ(c.Count(Op::Ellipse), 1u);
  s.prog.drawing.ScrollBar1.Position = s.prog.drawing.ScrollBar1.Max - 14;
  c = s.RepaintLater();
  EXPECT_EQ(c.Count(Op::Polygon), 1u);
  s.prog.drawing.ScrollBar1.Position = s.prog.drawing.ScrollBar1.Max - 37;  // 42 is not above 37 + 5
  c = s.RepaintLater();
  EXPECT_EQ(c.Count(Op::Polygon) + c.Count(Op::Ellipse), 0u);
  // The screen follows the offset: y = H - (BodY - offset).
  EXPECT_EQ(s.prog.drawing.Mierka().Y(42), 649 - (42 - 37));
}

TEST(Prekreslenie, BlockAndMarksColourTheMarkers) {
  Stanica s;
  s.Program({Shift(10), Shift(40), Shift(70), Shift(90)});
  s.k.Vyber.BlokOd = 2;
  s.k.Vyber.BlokDo = 3;
  s.k.Vyber.VybraneKroky[3] = 'U';  // the block wins
  s.k.Vyber.VybraneKroky[4] = 'U';
  RecordingCanvas c = s.RepaintLater();
  const std::vector<RecordingCanvas::Call> sipky = c.Of(Op::Polygon);  // steps 4, 3, 2, 1
  ASSERT_EQ(sipky.size(), 4u);
  EXPECT_EQ(sipky[0].pen.Color, clBlack);
  EXPECT_EQ(sipky[0].brush, clBlack);
  EXPECT_EQ(sipky[1].pen.Color, clLime);
  EXPECT_EQ(sipky[2].brush, clLime);
  EXPECT_EQ(sipky[3].pen.Color, clModra);
}

TEST(Prekreslenie, OnlineHighlightsTheCurrentOrStoppedStep) {
  Stanica s;
  s.Program({Shift(10), Shift(60), Still(kDruhPause, 3)});
  s.RepaintLater();
  s.k.Program.Online = 1;  // never so in this version; the branches are there
  s.k.Program.AktKrok = 2;
  RecordingCanvas c = s.RepaintLater();
  const TMierka m = s.prog.drawing.Mierka();
  const int x = m.X(60), y = m.Y(20);
  const std::vector<RecordingCanvas::Call> kruhy = c.Of(Op::Ellipse);
  ASSERT_GE(kruhy.size(), 2u);
  EXPECT_EQ(kruhy[0].x1, x - 31);
  EXPECT_EQ(kruhy[0].brush, clBlack);
  EXPECT_EQ(kruhy[1].x1, x - 30);
  EXPECT_EQ(kruhy[1].brush, clKremova);
  EXPECT_EQ(kruhy[1].pen.Color, clBlack);
  bool ciara = false;
  for (const RecordingCanvas::Segment& l : c.Lines())
    if (l.pen.Width == 3 && l.from == TPoint{x, y + 5} && l.to == TPoint{x, y - 5}) ciara = true;
  EXPECT_TRUE(ciara);
  EXPECT_EQ(c.CurrentPen().Width, 1);
  // Stopped: the stop step is highlighted; a pause gets no bar.
  s.k.Kresba.StavStroja = '5';
  s.k.Kresba.KrokStop = 3;
  c = s.RepaintLater();
  EXPECT_EQ(c.Of(Op::Ellipse)[0].x1, m.X(60) - 31);
  EXPECT_EQ(c.Of(Op::Ellipse)[0].y1, m.Y(42) - 31);
  for (const RecordingCanvas::Segment& l : c.Lines()) EXPECT_NE(l.pen.Width, 3);
}

TEST(Prekreslenie, TheOnlineBarIsOnlyAPenMoveInTheSilentWalk) {
  Stanica s;
  s.Program({Shift(10), Shift(60)});
  s.RepaintLater();
  s.k.Program.Online = 1;
  s.k.Program.AktKrok = 2;
  const TMierka m = s.prog.drawing.Mierka();
  const TPoint dole{m.X(60), m.Y(20) + 5}, hore{m.X(60), m.Y(20) - 5};
  for (const bool kresli : {false, true}) {
    SCOPED_TRACE(kresli);
    s.k.Kresba.KresliZapnute = kresli;
    RecordingCanvas c;
    Vykresli(s.k, c, m);
    EXPECT_EQ(c.HasLine(dole, hore), kresli);
    // Either way the pen ends at the bar's top, as a drawn bar leaves it.
    EXPECT_EQ(c.PenPos(), hore);
  }
}

// --- Selection -------------------------------------------------------------------

TEST(Vyber, DraggingFromMarkerToMarkerSelectsAndMarksTheBlock) {
  Stanica s;
  s.Program({Shift(10), Shift(40), Shift(70), Shift(90)});
  s.RepaintLater();
  s.Klik(4, 2);
  EXPECT_EQ(s.k.Vyber.BlokOd, 2);
  EXPECT_EQ(s.k.Vyber.BlokDo, 4);
  EXPECT_EQ(s.Oznacene(), "2 3 4 ");
  EXPECT_EQ(s.k.Program.AktKrok, 2);
  EXPECT_EQ(s.prog.stepPanel.BKrok.Caption, "SCHRITT: 2");
  EXPECT_EQ(s.k.Kresba.RezimMysi, 1);
  EXPECT_TRUE(s.prog.Kontext().Vyber.TestVybraneKroky());
  EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");
  // A new drag without Ctrl replaces the marks.
  s.Klik(1, 1);
  EXPECT_EQ(s.Oznacene(), "1 ");
  EXPECT_EQ(s.k.Vyber.BlokOd, 1);
  EXPECT_EQ(s.k.Vyber.BlokDo, 1);
}

TEST(Vyber, WithCtrlMarksAccumulateAndTheBlockIsDropped) {
  Stanica s;
  s.Program({Shift(10), Shift(40), Shift(70), Shift(90)});
  s.RepaintLater();
  s.Klik(1, 1, true);
  s.Klik(3, 4, true);
  EXPECT_EQ(s.Oznacene(), "1 3 4 ");
  EXPECT_EQ(s.k.Vyber.BlokOd, 0);
  EXPECT_EQ(s.k.Vyber.BlokDo, 0);
  EXPECT_EQ(s.k.Program.AktKrok, 4);
}

TEST(Vyber, AClickBesideTheMarkersClearsEverything) {
  Stanica s;
  s.Program({Shift(10), Shift(40), Shift(70), Shift(90)});
  s.RepaintLater();
  s.Klik(2, 3);
  // Down beside the markers does not start a drag; up while idle clears.
  s.prog.drawing.PaintBox1MouseDown(Mys(300, 100));
  EXPECT_EQ(s.k.Kresba.RezimMysi, 1);
  EXPECT_EQ(s.k.Kresba.TahOd, 0);
  s.prog.drawing.PaintBox1MouseUp(Mys(300, 100));
  EXPECT_FALSE(s.prog.Kontext().Vyber.TestVybraneKroky());
  EXPECT_EQ(s.k.Vyber.BlokOd, 0);
  // A drag that ends beside the markers selects nothing.
  const TPoint a = s.Stred(2);
  s.prog.drawing.PaintBox1MouseDown(Mys(a.X, a.Y));
  s.prog.drawing.PaintBox1MouseUp(Mys(300, 100));
  EXPECT_FALSE(s.prog.Kontext().Vyber.TestVybraneKroky());
  EXPECT_EQ(s.k.Vyber.BlokDo, 0);
  EXPECT_EQ(s.k.Program.AktKrok, 2);
}

TEST(Vyber, TheRightButtonAndAWindingMachineDoNothing) {
  Stanica s;
  s.Program({Shift(10), Shift(40)});
  s.RepaintLater();
  const TPoint a = s.Stred(2);
  s.prog.drawing.PaintBox1MouseDown(Mys(a.X, a.Y, false, false));
  EXPECT_EQ(s.k.Kresba.RezimMysi, 1);
  EXPECT_EQ(s.k.Program.AktKrok, 0);
  s.k.Program.Online = 1;
  s.k.Kresba.StavStroja = '1';
  EXPECT_TRUE(TestujCiNavijame(s.prog.Kontext()));
  s.prog.drawing.PaintBox1MouseDown(Mys(a.X, a.Y));
  EXPECT_EQ(s.k.Kresba.RezimMysi, 1);
  s.k.Program.Online = 0;
  EXPECT_FALSE(TestujCiNavijame(s.prog.Kontext()));
}

TEST(Vyber, ClearingHelpers) {
  Stanica s;
  s.k.Vyber.VybraneKroky[350] = 'U';
  EXPECT_TRUE(s.prog.Kontext().Vyber.TestVybraneKroky());
  s.prog.Kontext().Vyber.ZrusVybraneKroky();
  EXPECT_FALSE(s.prog.Kontext().Vyber.TestVybraneKroky());
  s.k.Vyber.BlokOd = 3;
  s.k.Vyber.BlokDo = 5;
  s.prog.Kontext().Vyber.ZrusBlok();
  EXPECT_EQ(s.k.Vyber.BlokOd, 0);
  EXPECT_EQ(s.k.Vyber.BlokDo, 0);
}

// --- Mouse position, auto-scroll, scrolling ------------------------------------------

TEST(Mys, ThePositionUnderTheMouseWhileIdle) {
  Stanica s;
  s.Program({Shift(100)});
  s.RepaintLater();  // 0 .. 110 mm
  s.prog.drawing.PaintBox1MouseMove(Mys(15 + 206, 300));  // 110 / 412 x 206
  EXPECT_EQ(s.prog.drawing.W_Poloha.Caption, "55.0 [mm]");
  s.prog.drawing.PaintBox1MouseMove(Mys(5, 300));  // left of the margin: 0
  EXPECT_EQ(s.prog.drawing.W_Poloha.Caption, "0.0 [mm]");
  s.prog.drawing.PaintBox1MouseMove(Mys(430, 300));  // beyond the right edge: nothing
  EXPECT_EQ(s.prog.drawing.W_Poloha.Caption, "0.0 [mm]");
}

TEST(Mys, DraggingNearTheEdgesScrollsWithTimer1) {
  Stanica s;
  s.Program({Shift(10), Shift(40)});
  s.RepaintLater();
  const TPoint a = s.Stred(1);
  s.prog.drawing.PaintBox1MouseDown(Mys(a.X, a.Y));
  ASSERT_EQ(s.k.Kresba.RezimMysi, 7);
  s.prog.drawing.PaintBox1MouseMove(Mys(a.X, 9));  // paint box top 24 - 15
  EXPECT_EQ(s.k.Kresba.SmerRolovania, 1);
  const int id = s.prog.drawing.Timer1Id();
  ASSERT_NE(id, 0);
  s.ui.FireTimer(id);
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 14990);
  s.prog.drawing.PaintBox1MouseMove(Mys(a.X, 10));
  EXPECT_EQ(s.k.Kresba.SmerRolovania, 0);
  EXPECT_EQ(s.prog.drawing.Timer1Id(), 0);
  s.ui.FireTimer(id);  // stopped
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 14990);
  s.prog.drawing.PaintBox1MouseMove(Mys(a.X, 24 + 649 - 20));
  EXPECT_EQ(s.k.Kresba.SmerRolovania, 2);
  s.ui.FireTimer(s.prog.drawing.Timer1Id());
  s.ui.FireTimer(s.prog.drawing.Timer1Id());  // at the bottom already
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 15000);
  s.prog.drawing.PaintBox1MouseUp(Mys(a.X, a.Y));
  EXPECT_EQ(s.prog.drawing.Timer1Id(), 0);
  EXPECT_EQ(s.k.Kresba.SmerRolovania, 0);
}

TEST(Mys, AutoScrollUpStopsAtTheSmallChange) {
  Stanica s;
  s.k.Kresba.SmerRolovania = 1;
  s.prog.drawing.ScrollBar1.Position = 10;
  s.prog.drawing.Timer1Timer();
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 10);
  s.prog.drawing.ScrollBar1.Position = 15;
  s.prog.drawing.Timer1Timer();
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 5);
}

TEST(Mys, ScrollingInvalidatesAndTheOffsetFollowsTheBar) {
  Stanica s;
  s.prog.drawing.ScrollBar1.Position = 14000;
  s.prog.drawing.ScrollBar1Scroll();
  EXPECT_EQ(s.prog.drawing.Mierka().Posun, 1000);
  EXPECT_EQ(s.ui.invalidated, (std::vector<std::string>{"Prog/PaintBox1"}));
}

TEST(Mys, NastavVertPosCentresTheCurrentStep) {
  Stanica s;
  std::vector<TKrok> kroky;
  for (int i = 0; i < 30; ++i) kroky.push_back(Still(kDruhPause, 1));
  s.Program(kroky);
  s.RepaintLater();
  ASSERT_EQ(static_cast<int32_t>(s.Bod(30).BodY), 20 + 22 * 30);
  s.k.Program.AktKrok = 30;
  s.prog.NastavVertPos(30);
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 15000 - 680 + 324);
  s.k.Program.AktKrok = 5;  // BodY 130, below half the height
  s.prog.NastavVertPos(5);
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 15000);
  s.k.Program.AktKrok = 30;
  s.prog.NastavVertPos(0);
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 15000);
  // Leaving the step spinner brings the current step into view and repaints.
  s.ui.invalidated.clear();
  s.prog.stepPanel.SpinButton1Exit();
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 15000 - 680 + 324);
  EXPECT_EQ(s.ui.invalidated, (std::vector<std::string>{"Prog/PaintBox1"}));
}

TEST(Mys, TheDeferredRepaintRunsOnce) {
  Stanica s;
  s.prog.drawing.SpustiTimerPaint();
  const int id = s.prog.drawing.TimerPaintId();
  ASSERT_NE(id, 0);
  s.prog.drawing.ScrollBar1.Position = 100;
  s.ui.FireTimer(id);
  EXPECT_EQ(s.prog.drawing.TimerPaintId(), 0);
  EXPECT_EQ(s.prog.drawing.ScrollBar1.Position, 15000);
  EXPECT_EQ(s.ui.invalidated, (std::vector<std::string>{"Prog/PaintBox1"}));
  s.ui.FireTimer(id);
  EXPECT_EQ(s.ui.invalidated.size(), 1u);
}

// --- Zoom, fixed edges, step display -----------------------------------------------

TEST(Zoom, MovesInTensBetween100And300) {
  Stanica s;
  s.k.Desktop.Zoom = 100;
  s.prog.optionsMenu.mnZoomMinus.Click();
  EXPECT_EQ(static_cast<int32_t>(s.k.Desktop.Zoom), 100);
  EXPECT_EQ(s.prog.Zoom, 1.0);
  EXPECT_EQ(s.k.Kresba.VyskaPisma, 10);
  s.prog.optionsMenu.mnZoomPlus.Click();
  EXPECT_EQ(static_cast<int32_t>(s.k.Desktop.Zoom), 110);
  EXPECT_DOUBLE_EQ(s.prog.Zoom, 1.1);
  EXPECT_EQ(s.k.Kresba.VyskaPisma, 9);
  s.k.Desktop.Zoom = 300;
  s.prog.Zoom = 3.0;
  s.prog.optionsMenu.mnZoomPlus.Click();
  EXPECT_EQ(static_cast<int32_t>(s.k.Desktop.Zoom), 300);
  EXPECT_EQ(s.prog.Zoom, 3.0);
  s.prog.optionsMenu.mnZoomMinus.Click();
  EXPECT_EQ(static_cast<int32_t>(s.k.Desktop.Zoom), 290);
  EXPECT_DOUBLE_EQ(s.prog.Zoom, 2.9);
  s.k.Desktop.Zoom = 0;  // outside 100..300: zoom + starts again from 100
  s.prog.optionsMenu.mnZoomPlus.Click();
  EXPECT_EQ(static_cast<int32_t>(s.k.Desktop.Zoom), 110);
}

TEST(PevneOkraje, TheKeypadSetsAFixedEdgeNotBeyondTheMachine) {
  Stanica s;
  auto zadaj = [&s](long double v) {
    return [&s, v](TForm& f) {
      EXPECT_EQ(f.Caption, "[0 - 210.00 ]");
      s.k.Dialogy.VstupHodnota = v;
      f.Close(TModalResult::Ok);
    };
  };
  s.k.Pohlad.PevnaLava = 7.0L;
  s.ui.ExpectModal("Vstup", zadaj(50));
  s.prog.drawing.W_Lava.Click();
  EXPECT_EQ(s.k.Dialogy.DruhParametra, 3);
  EXPECT_EQ(static_cast<long double>(s.k.Pohlad.PevnaLava), 50.0L);
  s.ui.ExpectModal("Vstup", zadaj(211));
  s.prog.drawing.W_Lava.Click();
  EXPECT_EQ(static_cast<long double>(s.k.Pohlad.PevnaLava), 0.0L);
  s.ui.ExpectModal("Vstup", zadaj(210));
  s.prog.drawing.W_prava.Click();
  EXPECT_EQ(s.k.Dialogy.DruhParametra, 4);
  EXPECT_EQ(static_cast<long double>(s.k.Pohlad.PevnaPrava), 210.0L);
  s.ui.ExpectModal("Vstup", [](TForm& f) { f.Close(TModalResult::Cancel); });
  s.prog.drawing.W_prava.Click();
  EXPECT_EQ(static_cast<long double>(s.k.Pohlad.PevnaPrava), 0.0L);
  EXPECT_EQ(s.ui.invalidated.size(), 4u);
  s.ui.Verify();
}

TEST(ZobrazParametre, ShowsTheStepButtonGroupAndPanels) {
  Stanica s;
  s.Program({Shift(10), Winding(12, 0, 0, 20)});
  s.RepaintLater();
  s.k.Program.AktKrok = 2;
  s.prog.ZobrazParametre(2);
  EXPECT_EQ(s.prog.stepPanel.BKrok.Caption, "SCHRITT: 2");
  EXPECT_TRUE(s.prog.stepPanel.gParam.Visible);
  EXPECT_EQ(s.prog.stepPanel.gParam.Caption, "SCHRITT: 2 ");
  EXPECT_EQ(s.prog.drawing.pDruhKroku.Caption, "BANDAGIEREN");
  EXPECT_EQ(s.prog.drawing.pPoloha.Caption, "POSITION =10.0 [mm]");
  EXPECT_EQ(s.prog.drawing.pVrstvy.Caption, "LAGEN = 0");
  s.prog.ZobrazParametre(0);
  EXPECT_EQ(s.prog.stepPanel.BKrok.Caption, "SCHRITT: 0");
  EXPECT_FALSE(s.prog.stepPanel.gParam.Visible);
  EXPECT_EQ(s.prog.drawing.pDruhKroku.Caption, "BANDAGIEREN");  // left as it was
}

TEST(FieldText, PadsToTheFieldWidth) {
  EXPECT_EQ(FieldText(0, 3, 1), "0.0");
  EXPECT_EQ(FieldText(5, 5, 1), "  5.0");
  EXPECT_EQ(FieldText(123.45L, 3, 1), "123.5");
}

}  // namespace
}  // namespace kvr
