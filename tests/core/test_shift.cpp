// Aligning the bobbin to the program and shifting reversal points with the
// shift window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bobbin/shift.h"
#include "support/station.h"
#include "support/steps.h"

namespace kvr {
namespace {

using test::Shift;
using test::Still;
using test::Winding;

long double Lr(const TKontext& k, int i) { return k.Program.Kroky[i].LRev; }
long double Pr(const TKontext& k, int i) { return k.Program.Kroky[i].PRev; }
long double Ciel(const TKontext& k, int i) { return k.Program.Kroky[i].Hodnota; }

struct Posun : test::StationWithProgram {
  TfPosun& f = prog.fPosun;

  // The steps, with their kinds in the layer list as the last walk left them.
  void Steps(const std::vector<TKrok>& kroky) {
    Program(kroky);
    for (int i = 1; i <= k.Program.PocetKrokov; ++i)
      k.BodyKrokov[static_cast<size_t>(i)].Druh = DruhKroku(k.Program.Kroky[i]);
  }
  // Windings 20..60, a shift to 80, windings 100..150 (KVR - 22: 210 mm).
  Posun() { Steps({Winding(10, 1, 20, 60), Shift(80), Winding(10, 1, 100, 150)}); }

  // Opens the window from the menu, types text and presses a direction.
  void Shifted(const std::string& text, bool doprava, std::function<void(TfPosun&)> before = {}) {
    ui.ExpectModal("fPosun", [=, this](TForm&) {
      if (before) before(f);
      for (char c : text) f.KeyPress(c);
      (doprava ? f.ButtonRight : f.ButtonLeft).Click();
    });
    prog.optionsMenu.mnOptionsPosun.Click();
  }
};

TEST(ShiftWindow, TypedDistanceIsCutToOneDecimal) {
  Posun s;
  s.Shifted("2.57", true);
  s.ui.Verify();
  EXPECT_EQ(static_cast<long double>(s.k.PosunHodnota), 2.5L);
  EXPECT_EQ(s.k.Dialogy.VstupText, "2.5");
  EXPECT_EQ(Lr(s.k, 1), 22.5L);
  EXPECT_EQ(Pr(s.k, 1), 62.5L);
  EXPECT_EQ(Ciel(s.k, 2), 82.5L);
  EXPECT_EQ(Lr(s.k, 3), 102.5L);
  EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");

  s.Shifted("5.", false);
  s.ui.Verify();
  EXPECT_EQ(static_cast<long double>(s.k.PosunHodnota), -5.0L);
  EXPECT_EQ(Lr(s.k, 1), 17.5L);
  EXPECT_EQ(Ciel(s.k, 2), 77.5L);
  EXPECT_EQ(s.k.Program.Zmeneny, 0);
}

TEST(ShiftWindow, OnlyTheTickedReversalPointsMoveButShiftTargetsAlways) {
  Posun s;
  s.Shifted("3", true, [](TfPosun& f) { f.chbPraveSuradnice.Checked = false; });
  s.ui.Verify();
  EXPECT_EQ(Lr(s.k, 1), 23.0L);
  EXPECT_EQ(Pr(s.k, 1), 60.0L);
  EXPECT_EQ(Lr(s.k, 3), 103.0L);
  EXPECT_EQ(Pr(s.k, 3), 150.0L);
  EXPECT_EQ(Ciel(s.k, 2), 83.0L);
  // The choice stays for the next opening.
  s.Shifted("1", false, [](TfPosun& f) {
    EXPECT_TRUE(f.chbLaveSuradnice.Checked);
    EXPECT_FALSE(f.chbPraveSuradnice.Checked);
  });
  EXPECT_EQ(Lr(s.k, 1), 22.0L);
  EXPECT_EQ(Pr(s.k, 1), 60.0L);
  s.ui.Verify();
}

TEST(ShiftWindow, RefusedShiftsMoveNothingAndKeepTheWindowOpen) {
  const struct {
    const char* text;
    bool doprava;
    bool lave;
    bool prave;
    const char* message;
  } cases[] = {
      {"61", true, true, true, kTextMimoOkna},      // 150 + 61 > 210
      {"20.1", false, true, true, kTextMimoOkna},   // 20 - 20.1 < 0
      {"131", true, false, false, kTextMimoOkna},   // the shift target: 80 + 131 > 210
      {".", true, true, true, kTextDatyNekorektne},
      {"", false, true, true, kTextDatyNekorektne},
      {"210.1", true, true, true, kTextMimoBereich},
  };
  for (const auto& c : cases) {
    Posun s;
    const TKrokyPole pred = s.k.Program.Kroky;
    s.ui.ExpectModal("fPosun", [&](TForm&) {
      s.f.chbLaveSuradnice.Checked = c.lave;
      s.f.chbPraveSuradnice.Checked = c.prave;
      s.ui.ExpectError(c.message);
      for (char ch : std::string(c.text)) s.f.KeyPress(ch);
      (c.doprava ? s.f.ButtonRight : s.f.ButtonLeft).Click();
      EXPECT_EQ(s.f.ModalResult, TModalResult::None);
      EXPECT_EQ(s.f.Panel1.Caption, "");
      EXPECT_EQ(s.k.Dialogy.VstupText, "");
      s.f.bCANCEL.Click();
    });
    s.prog.optionsMenu.mnOptionsPosun.Click();
    s.ui.Verify();
    EXPECT_TRUE(s.k.Program.Kroky == pred) << c.text;
  }
}

TEST(ShiftWindow, OnlyCoordinatesThatMoveAreChecked) {
  Posun s;
  // The right reversal points would leave the machine; they do not move.
  s.Shifted("61", true, [](TfPosun& f) { f.chbPraveSuradnice.Checked = false; });
  s.ui.Verify();
  EXPECT_EQ(Lr(s.k, 3), 161.0L);
  EXPECT_EQ(Pr(s.k, 3), 150.0L);
  EXPECT_EQ(Ciel(s.k, 2), 141.0L);
}

TEST(ShiftWindow, ShiftEndingOnTheMachinesLimitIsAccepted) {
  Posun s;
  // 209.8 + 0.2 in 6-byte reals comes out a little above 210.
  s.Steps({Winding(10, 1, 0.3L, 209.8L)});
  s.Shifted("0.2", true, [](TfPosun& f) { f.chbLaveSuradnice.Checked = false; });
  s.ui.Verify();
  EXPECT_NEAR(static_cast<double>(Pr(s.k, 1)), 210.0, 1e-9);
  s.Shifted("0.3", false, [](TfPosun& f) {
    f.chbLaveSuradnice.Checked = true;
    f.chbPraveSuradnice.Checked = false;
  });
  s.ui.Verify();
  EXPECT_NEAR(static_cast<double>(Lr(s.k, 1)), 0.0, 1e-9);
}

TEST(ShiftWindow, BobbinFollowsAWholeProgramShiftOnlyWithABobbinFile) {
  for (const char* meno : {"", "/x/a.kor"}) {
    Posun s;
    s.k.Program.MenoKostricky = meno;
    s.k.Kostricka.Abstand = 10.0L;
    s.k.Kostricka.Komory[0] = {0.0L, 50.0L};
    s.Shifted("4", true, [](TfPosun& f) { f.chbLaveSuradnice.Checked = false; });
    s.ui.Verify();
    EXPECT_EQ(Pr(s.k, 1), 64.0L);
    EXPECT_EQ(static_cast<long double>(s.k.Kostricka.Abstand), *meno ? 14.0L : 10.0L) << meno;
    EXPECT_EQ(static_cast<long double>(s.k.Kostricka.Komory[0].KomoraP), 50.0L);
  }
}

TEST(ShiftWindow, WithASelectionOnlyChambersWithinTheBlocksExtentMove) {
  Posun s;
  s.k.Program.MenoKostricky = "/x/a.kor";
  s.k.Vyber.BlokOd = 1;
  s.k.Vyber.BlokDo = 2;  // extent 20..80
  TKostricka& b = s.k.Kostricka;
  b.Abstand = 20.0L;
  b.Komory[0] = {0.0L, 60.0L};    // 20..80: inside
  b.Komory[1] = {5.0L, 61.0L};    // 25..81: reaches beyond the right end
  b.Komory[3] = {-1.0L, 40.0L};   // 19..60: reaches beyond the left end
  // Chamber 3 is empty: at 20..20 it would lie inside, but never moves.
  s.Shifted("2", true, [](TfPosun& f) {
    EXPECT_TRUE(f.rbBlok.Checked);
    EXPECT_FALSE(f.rbCelyProgram.Checked);
    EXPECT_EQ(f.rbBlok.Caption, "Selected steps :  1 - 2");
  });
  s.ui.Verify();
  EXPECT_EQ(Lr(s.k, 1), 22.0L);
  EXPECT_EQ(Ciel(s.k, 2), 82.0L);
  EXPECT_EQ(Lr(s.k, 3), 100.0L);  // outside the block
  EXPECT_EQ(static_cast<long double>(b.Komory[0].KomoraL), 2.0L);
  EXPECT_EQ(static_cast<long double>(b.Komory[0].KomoraP), 62.0L);
  EXPECT_EQ(static_cast<long double>(b.Komory[1].KomoraP), 61.0L);
  EXPECT_EQ(static_cast<long double>(b.Komory[3].KomoraL), -1.0L);
  EXPECT_EQ(static_cast<long double>(b.Komory[2].KomoraL), 0.0L);
  EXPECT_EQ(static_cast<long double>(b.Komory[2].KomoraP), 0.0L);
  EXPECT_EQ(static_cast<long double>(b.Abstand), 20.0L);
}

TEST(ShiftWindow, OpeningWithoutASelectionChoosesAllProgram) {
  Posun s;
  s.f.rbBlok.Click();  // chosen at the last opening
  s.f.Panel1.Caption = "12";
  s.k.Dialogy.VstupText = "12";
  s.ui.ExpectModal("fPosun", [](TForm& f) {
    TfPosun& p = static_cast<TfPosun&>(f);
    EXPECT_TRUE(p.rbCelyProgram.Checked);
    EXPECT_FALSE(p.rbBlok.Checked);
    EXPECT_EQ(p.Panel1.Caption, "");
    p.bCANCEL.Click();
  });
  s.prog.optionsMenu.mnOptionsPosun.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Dialogy.VstupText, "");
}

TEST(ShiftWindow, NothingToShiftKeepsTheWindowAsItIs) {
  Posun s;
  s.ui.ExpectModal("fPosun", [&s](TForm&) {
    s.f.rbBlok.Click();  // with no selection
    s.f.KeyPress('3');
    s.f.ButtonRight.Click();
    EXPECT_EQ(s.f.ModalResult, TModalResult::None);
    EXPECT_EQ(s.f.Panel1.Caption, "3");
    s.f.bCANCEL.Click();
  });
  s.prog.optionsMenu.mnOptionsPosun.Click();
  s.ui.Verify();
  EXPECT_EQ(Lr(s.k, 1), 20.0L);
}

TEST(ShiftWindow, SaveBobbinOpensTheBobbinEditor) {
  Posun s;
  s.ui.ExpectModal("fPosun", [&s](TForm&) {
    s.ui.ExpectModal("fKostricka", [](TForm& f) {
      TfKostricka& e = static_cast<TfKostricka&>(f);
      e.pPosunValue.Caption = "42";
      e.bVykresli.Click();
    });
    s.f.bKostricka.Click();
    s.f.bCANCEL.Click();
  });
  s.prog.optionsMenu.mnOptionsPosun.Click();
  s.ui.Verify();
  EXPECT_EQ(static_cast<long double>(s.k.Kostricka.Abstand), 42.0L);
  EXPECT_EQ(s.pl.keyboardStarts, 1);
  EXPECT_EQ(s.pl.keyboardCloses, 1);
}

TEST(Richten, BobbinGoesToTheLeftmostWindingsEdge) {
  const struct {
    std::vector<TKrok> kroky;
    long double abstand;
  } cases[] = {
      {{Winding(10, 1, 30, 60), Winding(10, 1, 12, 40), Still(kDruhPause, 100)}, 12.0L},
      {{Winding(10, 1, 30, 60), [] {
          TKrok k = Shift(50);
          k.PRev = 8.0L;
          return k;
        }()},
       8.0L},
  };
  for (const auto& c : cases) {
    Posun s;
    s.Steps(c.kroky);
    s.k.Program.MenoKostricky = "/x/a.kor";
    s.k.Program.Zmeneny = 0;
    s.prog.bobbinMenu.mnKostrickaZarovnaj.Click();
    s.ui.Verify();
    EXPECT_EQ(static_cast<long double>(s.k.Kostricka.Abstand), c.abstand);
    EXPECT_EQ(s.k.Program.Zmeneny, 0);
    EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");
  }
}

TEST(Richten, RefusedWithoutBobbinFileOrWithoutAnEdge) {
  const struct {
    const char* meno;
    std::vector<TKrok> kroky;
    const char* message;
  } cases[] = {
      {"", {Winding(10, 1, 30, 60)}, kTextBezKostricky},
      {"/x/a.kor", {}, kTextBezLavehoOkraja},
      {"/x/a.kor", {Still(kDruhPause, 100)}, kTextBezLavehoOkraja},
  };
  for (const auto& c : cases) {
    Posun s;
    s.Steps(c.kroky);
    s.k.Program.MenoKostricky = c.meno;
    s.k.Kostricka.Abstand = 10.0L;
    s.ui.ExpectError(c.message);
    s.prog.bobbinMenu.mnKostrickaZarovnaj.Click();
    s.ui.Verify();
    EXPECT_EQ(static_cast<long double>(s.k.Kostricka.Abstand), 10.0L);
  }
}

}  // namespace
}  // namespace kvr
