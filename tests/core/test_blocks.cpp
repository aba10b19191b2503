#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "edit/blocks.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/program.h"
#include "support/station.h"
#include "support/steps.h"
#include "tools/keypad.h"
#include "ui/param_window.h"
#include "view/coil_drawing.h"

namespace kvr {
namespace {

using test::Jump;
using test::Shift;
using test::Still;
using test::Winding;

long double R(const Real48& x) { return static_cast<long double>(x); }
double D(const Real48& x) { return static_cast<double>(static_cast<long double>(x)); }

// Step i of a ten-step program winds 100 + i turns between i and 100 + i.
std::vector<TKrok> Desat() {
  std::vector<TKrok> v;
  for (int i = 1; i <= 10; ++i) v.push_back(Winding(100 + i, 0.5, i, 100 + i));
  return v;
}

struct Edit : test::StationWithProgram {
  EditMenu& m = prog.editMenu;

  Edit() { prog.fParam.FormCreate(); }
  // Steps as the station keeps them once shown (run-up and run-down at
  // least 1), so that showing a step changes none.
  void Program(std::vector<TKrok> kroky, bool bezKonca = false) {
    for (TKrok& x : kroky) x.Rozbeh = x.Dobeh = 1;
    test::SetProgram(k, kroky, bezKonca);
  }
  void Block(int od, int po) {
    k.Vyber.BlokOd = od;
    k.Vyber.BlokDo = po;
  }
  // The operator types text on the keypad and presses OK.
  std::function<void(TForm&)> Typed(std::string text) {
    return [this, text](TForm& f) {
      ASSERT_EQ(&f, &prog.fVstup);
      for (char c : text) prog.fVstup.KeyPress(c);
      prog.fVstup.ButtonOK.Click();
    };
  }
  void Mark(std::initializer_list<int> kroky) {
    for (int i : kroky) k.Vyber.VybraneKroky[static_cast<size_t>(i)] = TVyber::kOznaceny;
  }
  // The left reversal points of steps 1..PocetKrokov.
  std::vector<long double> Lavy() const {
    std::vector<long double> v;
    for (int i = 1; i <= k.Program.PocetKrokov; ++i) v.push_back(R(k.Program.Kroky[i].LRev));
    return v;
  }
  // Chambers 1 at 0..40 and 2 at 50..90, offset 0.
  void DveKomory() {
    k.Kostricka.Komory[0] = {0.0L, 40.0L};
    k.Kostricka.Komory[1] = {50.0L, 90.0L};
    k.Kostricka.Abstand = 0.0L;
  }
};

// --- Step array operations ---------------------------------------------------------

TEST(BlockArrays, PripojKrokyNeverWritesBeyondStep350AndKeepsCounting) {
  TKrokyPole z;
  for (int i = 1; i <= kMaxKrokov; ++i) z[i].Hodnota = i;
  TKrokyPole c;
  int k = 1;
  PripojKroky(z, c, 5, 7, k);
  PripojKroky(z, c, 2, 2, k);
  EXPECT_EQ(k, 5);
  EXPECT_EQ(R(c[1].Hodnota), 5.0L);
  EXPECT_EQ(R(c[4].Hodnota), 2.0L);
  EXPECT_EQ(R(c[5].Hodnota), 0.0L);
  k = 349;
  PripojKroky(z, c, 1, 10, k);  // two places left
  EXPECT_EQ(k, 351);
  EXPECT_EQ(R(c[350].Hodnota), 2.0L);
  KopirujKroky(z, c, 349, 400);  // stops at 350
  EXPECT_EQ(R(c[350].Hodnota), 350.0L);
}

TEST(BlockArrays, KomoraKrokuFindsTheChamberOfTheLeftReversalPoint) {
  test::ContextWithProgram s;
  s.k.Kostricka.Komory[0] = {0.0L, 40.0L};
  s.k.Kostricka.Komory[1] = {50.0L, 90.0L};
  s.k.Kostricka.Abstand = 5.0L;
  s.Program({Winding(10, 0.5, 55, 60), Winding(10, 0.5, 95, 96), Winding(10, 0.5, 45, 80), Winding(10, 0.5, 4, 9)});
  EXPECT_EQ(KomoraKroku(s.k, 1), 50.0L);  // 55 lies in 55..95
  EXPECT_EQ(KomoraKroku(s.k, 2), 50.0L);  // the right wall belongs to it
  EXPECT_EQ(KomoraKroku(s.k, 3), 0.0L);   // 45 lies in 5..45, chamber 1 at 0
  EXPECT_EQ(KomoraKroku(s.k, 4), 0.0L);   // in no chamber
  EXPECT_EQ(KomoraKroku(s.k, 0), 0.0L);   // no step
}

// --- Cut, copy, paste ----------------------------------------------------------------

TEST(Blocks, CutThreeToFiveOfTenThenPasteAfterSeven) {
  Edit s;
  s.Program(Desat());
  s.k.Program.AktKrok = 9;
  s.Block(3, 5);
  s.Mark({8});
  s.m.mnCUT.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.PocetKrokov, 7);
  EXPECT_EQ(s.Lavy(), (std::vector<long double>{1, 2, 6, 7, 8, 9, 10}));
  EXPECT_EQ(s.k.Program.AktKrok, 2);
  EXPECT_EQ(s.k.Program.Zmeneny, 1);
  EXPECT_EQ(s.m.Schranka().SchrankaOd, 3);
  EXPECT_EQ(s.m.Schranka().SchrankaDo, 5);
  EXPECT_EQ(R(s.m.Schranka().SchrankaKrokov[4].LRev), 4.0L);  // the block keeps its step numbers
  EXPECT_EQ(R(s.m.Schranka().SchrankaKrokov[2].LRev), 0.0L);
  // The block is the current step at once; the marks are gone.
  EXPECT_EQ(s.k.Vyber.BlokOd, 2);
  EXPECT_EQ(s.k.Vyber.BlokDo, 2);
  EXPECT_FALSE(s.k.Vyber.TestVybraneKroky());
  EXPECT_EQ(s.prog.stepPanel.BKrok.Caption, "SCHRITT: 2");
  EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");
  // The end step moved with the rest.
  EXPECT_EQ(s.k.Program.KrokEnde, 7);

  s.k.Program.AktKrok = 7;
  s.m.mnPASTE.Click();
  EXPECT_EQ(s.k.Program.PocetKrokov, 10);
  EXPECT_EQ(s.Lavy(), (std::vector<long double>{1, 2, 6, 7, 8, 9, 10, 3, 4, 5}));
  EXPECT_EQ(s.k.Program.AktKrok, 7);
  // The clipboard stays filled.
  s.m.mnPASTE.Click();
  EXPECT_EQ(s.k.Program.PocetKrokov, 13);
  s.ui.Verify();
}

TEST(Blocks, CuttingFromStepOneLeavesStepOneCurrentAndDeleteIsCut) {
  Edit s;
  s.Program(Desat());
  s.Block(1, 4);
  s.m.mnDELETE.Click();
  EXPECT_EQ(s.k.Program.PocetKrokov, 6);
  EXPECT_EQ(s.k.Program.AktKrok, 1);
  EXPECT_EQ(s.Lavy().front(), 5.0L);
  // A deleted block can be pasted.
  EXPECT_EQ(s.m.Schranka().SchrankaOd, 1);
  EXPECT_EQ(s.m.Schranka().SchrankaDo, 4);
  // Pressing cut again at once cuts the current step.
  s.m.mnCUT.Click();
  EXPECT_EQ(s.k.Program.PocetKrokov, 5);
  EXPECT_EQ(s.Lavy().front(), 6.0L);
  s.ui.Verify();
}

TEST(Blocks, WithoutABlockNothingIsCopiedOrRemoved) {
  for (TControl EditMenu::*entry : {&EditMenu::mnCOPY, &EditMenu::mnCUT, &EditMenu::mnDELETE}) {
    Edit s;
    SCOPED_TRACE((s.m.*entry).Name());
    s.Program(Desat());
    s.k.Program.AktKrok = 6;
    s.Block(0, 0);
    const TKrokyPole pred = s.k.Program.Kroky;
    s.ui.ExpectError(" Wähle Block der Schritte ! ");
    (s.m.*entry).Click();
    s.ui.Verify();
    EXPECT_TRUE(s.k.Program.Kroky == pred);
    EXPECT_EQ(s.k.Program.PocetKrokov, 10);
    EXPECT_TRUE(s.m.Schranka().Prazdna());
    EXPECT_EQ(s.k.Program.Zmeneny, 0);
    // The block becomes the current step, so a second press acts on it.
    EXPECT_EQ(s.k.Vyber.BlokOd, 6);
    EXPECT_EQ(s.k.Vyber.BlokDo, 6);
  }
}

TEST(Blocks, PasteWithAnEmptyClipboardChangesNothing) {
  Edit s;
  s.Program(Desat());
  s.k.Program.AktKrok = 3;
  const TKrokyPole pred = s.k.Program.Kroky;
  s.m.mnPASTE.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
  EXPECT_EQ(s.k.Program.Zmeneny, 0);
  EXPECT_TRUE(s.ui.invalidated.empty());
}

TEST(Blocks, WithoutABobbinCopyAndPasteKeepReversalPoints) {
  Edit s;
  s.Program({Winding(10, 0.5, 52, 60), Winding(10, 0.5, 12, 20), Shift(55)});
  s.Block(1, 1);
  s.m.mnCOPY.Click();
  s.k.Program.AktKrok = 2;
  s.m.mnPASTE.Click();
  ASSERT_EQ(s.k.Program.PocetKrokov, 4);
  EXPECT_EQ(R(s.k.Program.Kroky[3].LRev), 52.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[3].PRev), 60.0L);
}

TEST(Blocks, ABlockMovesFromChamberToChamber) {
  Edit s;
  s.DveKomory();
  TKrok pauza = Still(kDruhPause, 500);
  TKrok skok = Jump(3, 1);
  skok.LRev = 7.0L;
  s.Program({Winding(10, 0.5, 2, 30), Winding(10, 0.5, 52, 60), Shift(55), skok, pauza, Winding(10, 0.5, 60, 70)});
  s.Block(2, 5);
  s.m.mnCOPY.Click();
  // Chamber-relative in the clipboard.
  EXPECT_EQ(R(s.m.Schranka().SchrankaKrokov[2].LRev), 2.0L);
  s.k.Program.AktKrok = 1;  // lies in chamber 1
  s.m.mnPASTE.Click();
  ASSERT_EQ(s.k.Program.PocetKrokov, 10);
  const TKrok& w = s.k.Program.Kroky[2];
  EXPECT_EQ(R(w.LRev), 2.0L);
  EXPECT_EQ(R(w.PRev), 10.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[3].Hodnota), 5.0L);  // the shift's target moved with it
  EXPECT_EQ(R(s.k.Program.Kroky[4].LRev), 7.0L);     // a jump is left alone
  EXPECT_EQ(R(s.k.Program.Kroky[5].LRev), 0.0L);     // so is a pause
  // Pasted after a step of chamber 2 the block lands where it was copied from.
  s.k.Program.AktKrok = 10;
  s.m.mnPASTE.Click();
  EXPECT_EQ(R(s.k.Program.Kroky[11].LRev), 52.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[11].PRev), 60.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[12].Hodnota), 55.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[13].LRev), 7.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[14].LRev), 0.0L);
  s.ui.Verify();
}

TEST(Blocks, TheClipboardOutlivesTheProgramAndFillsAnEmptyOne) {
  Edit s;
  s.DveKomory();
  s.Program({Winding(10, 0.5, 2, 30), Winding(10, 0.5, 52, 60), Shift(55), Winding(10, 0.5, 60, 70)});
  s.Block(2, 3);
  s.m.mnCOPY.Click();

  // Another program: the block goes after its current step.
  s.Program({Winding(20, 0.5, 51, 80), Winding(20, 0.5, 51, 80)});
  ProgInic(s.k);
  s.k.Program.AktKrok = 1;
  s.m.mnPASTE.Click();
  ASSERT_EQ(s.k.Program.PocetKrokov, 4);
  EXPECT_EQ(s.Lavy(), (std::vector<long double>{51, 52, 0, 51}));
  EXPECT_EQ(R(s.k.Program.Kroky[3].Hodnota), 55.0L);

  // A new, empty program: the block keeps its step numbers and its place.
  NovyProgram(s.k);
  s.k.Program.AktKrok = 1;
  s.m.mnPASTE.Click();
  EXPECT_EQ(s.k.Program.PocetKrokov, 3);
  EXPECT_EQ(s.k.Program.Kroky[1].Druh, kDruhLeer);
  EXPECT_EQ(R(s.k.Program.Kroky[1].LRev), 0.0L);  // the empty place is not moved
  EXPECT_EQ(R(s.k.Program.Kroky[2].LRev), 52.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[2].PRev), 60.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[3].Hodnota), 55.0L);
  EXPECT_EQ(s.k.Program.Zmeneny, 1);
  s.ui.Verify();
}

TEST(Blocks, APasteBeyond350StepsIsRefusedAndLosesNoStep) {
  Edit s;
  std::vector<TKrok> v;
  for (int i = 1; i <= 349; ++i) v.push_back(Winding(i, 0.5, 0, 50));
  s.Program(v);
  s.Block(10, 11);
  s.m.mnCOPY.Click();
  s.k.Program.AktKrok = 5;
  const TKrokyPole pred = s.k.Program.Kroky;
  s.ui.ExpectError(" MAX.WICKLUNGSZAHL ÜBERSCHRITTEN !");
  s.m.mnPASTE.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
  EXPECT_EQ(s.k.Program.PocetKrokov, 349);
  EXPECT_EQ(s.k.Program.Zmeneny, 0);

  // One step still fits.
  s.Block(10, 10);
  s.m.mnCOPY.Click();
  s.m.mnPASTE.Click();
  EXPECT_EQ(s.k.Program.PocetKrokov, 350);
  EXPECT_EQ(R(s.k.Program.Kroky[6].Hodnota), 10.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[350].Hodnota), 349.0L);
}

// --- Undo ------------------------------------------------------------------------------

TEST(Blocks, UndoRightAfterOpeningRestoresTheOpenedProgram) {
  Edit s;
  s.Program(Desat());
  ProgInic(s.k);  // the end of every open
  const TKrokyPole otvoreny = s.k.Program.Kroky;
  s.Block(2, 9);
  s.m.mnCUT.Click();  // block operations take no undo copy
  ASSERT_EQ(s.k.Program.PocetKrokov, 2);
  for (int kolo = 0; kolo < 2; ++kolo) {
    s.m.mnUNDO.Click();
    EXPECT_TRUE(s.k.Program.Kroky == otvoreny);
    EXPECT_EQ(s.k.Program.PocetKrokov, 10);
    EXPECT_EQ(s.k.Program.KrokEnde, 10);
  }
  EXPECT_EQ(s.k.Program.Zmeneny, 1);  // undo leaves the flag
  s.ui.Verify();
}

// --- Tap -------------------------------------------------------------------------------

TEST(Tap, SplitsTheWindingsStepAtTheTypedTurns) {
  Edit s;
  s.Program({Shift(10), Winding(400, 0.5, 10, 30, 0, 1)});
  s.k.Program.AktKrok = 1;
  s.ui.ExpectModal("Vstup", [&](TForm& f) {
    EXPECT_EQ(s.prog.fVstup.Caption, " WINDUNGEN:   [0 - 99999.99]");
    EXPECT_EQ(s.k.Dialogy.DruhParametra, 2);
    s.Typed("150")(f);
  });
  EXPECT_TRUE(s.m.Tap());
  s.ui.Verify();
  ASSERT_EQ(s.k.Program.PocetKrokov, 3);
  const TKrok& a = s.k.Program.Kroky[2];
  const TKrok& b = s.k.Program.Kroky[3];
  EXPECT_EQ(R(a.Hodnota), 150.0L);
  EXPECT_EQ(a.TypCyklu, kCyklusStop);
  EXPECT_EQ(a.Nulovat, 1);
  EXPECT_EQ(R(b.Hodnota), 400.0L);
  EXPECT_EQ(b.Nulovat, 0);
  EXPECT_EQ(b.TypCyklu, kCyklusEnde);
  EXPECT_EQ(s.k.Program.AktKrok, 2);
  EXPECT_EQ(s.k.Program.Zmeneny, 1);
  // 150 turns of 0.5 mm over 20 mm wide layers from 10: the guide ends the
  // tap step going left at 15, and the rest starts that way.
  EXPECT_EQ(s.Bod(2).Smer, 1);
  EXPECT_NEAR(D(s.Bod(2).Poloha), 15.0, 1e-9);
  EXPECT_EQ(b.SmerPosuvu, 1);
  EXPECT_EQ(s.prog.stepPanel.BKrok.Caption, "SCHRITT: 2");
}

TEST(Tap, CountsOnFromTheReadingBeforeTheCurrentStep) {
  Edit s;
  // 100 turns, then on to 300 (counting on), then 50 from a cleared counter.
  s.Program({Winding(100, 0.5, 0, 50), Winding(300, 0.5, 0, 50, 0, 0), Winding(50, 0.5, 0, 50, 0, 1)});
  s.k.Program.AktKrok = 2;
  s.ui.ExpectModal("Vstup", s.Typed("250"));
  EXPECT_TRUE(s.m.Tap());
  ASSERT_EQ(s.k.Program.PocetKrokov, 4);
  EXPECT_EQ(s.k.Program.AktKrok, 2);
  EXPECT_EQ(R(s.k.Program.Kroky[2].Hodnota), 250.0L);
  EXPECT_EQ(R(s.k.Program.Kroky[3].Hodnota), 300.0L);
  // From step 3 on, 30 lies only in the cleared last step.
  s.k.Program.AktKrok = 3;
  s.ui.ExpectModal("Vstup", s.Typed("30"));
  EXPECT_TRUE(s.m.Tap());
  EXPECT_EQ(s.k.Program.AktKrok, 4);
  EXPECT_EQ(R(s.k.Program.Kroky[4].Hodnota), 30.0L);
  EXPECT_EQ(s.k.Program.PocetKrokov, 5);
  s.ui.Verify();
}

TEST(Tap, RefusalsChangeNothing) {
  const struct {
    std::string name;
    std::string typed;  // empty: the keypad is cancelled
  } cases[] = {
      {"zero", "0"},
      {"above 100000", "100001"},
      {"the last reading itself", "400"},
      {"beyond every step", "500"},
      {"cancelled", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Edit s;
    s.Program({Still(kDruhPause, 10), Winding(400, 0.5, 10, 30, 0, 1)});
    s.k.Program.AktKrok = 1;
    const TKrokyPole pred = s.k.Program.Kroky;
    if (c.typed.empty())
      s.ui.ExpectModal("Vstup", [&](TForm&) { s.prog.fVstup.bCANCEL.Click(); });
    else
      s.ui.ExpectModal("Vstup", s.Typed(c.typed));
    EXPECT_FALSE(s.m.Tap());
    s.ui.Verify();
    EXPECT_TRUE(s.k.Program.Kroky == pred);
    EXPECT_EQ(s.k.Program.PocetKrokov, 2);
    EXPECT_EQ(s.k.Program.AktKrok, 1);
  }
}

TEST(Tap, AFullProgramIsRefusedBeforeAnythingChanges) {
  Edit s;
  std::vector<TKrok> v(kMaxKrokov, Winding(400, 0.5, 10, 30, 0, 1));
  s.Program(v);
  s.k.Program.AktKrok = 200;
  const TKrokyPole pred = s.k.Program.Kroky;
  s.ui.ExpectModal("Vstup", s.Typed("150")).ExpectError(" MAX.WICKLUNGSZAHL ÜBERSCHRITTEN !");
  EXPECT_FALSE(s.m.Tap());
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
  EXPECT_EQ(s.k.Program.AktKrok, 200);
}

// --- Group edits on the step panel -------------------------------------------------------

TEST(GroupEdits, LayerCountGoesToTheMarkedStepsOrTheCurrentOne) {
  Edit s;
  s.Program(Desat());
  s.k.Program.AktKrok = 4;
  s.Mark({3, 5});
  s.ui.ExpectModal("Vstup", [&](TForm& f) {
    EXPECT_EQ(s.prog.fVstup.Caption, "[1 - 250]");
    EXPECT_FALSE(s.prog.fVstup.ButtonBODKA.Enabled);
    EXPECT_EQ(s.k.Dialogy.DruhParametra, 24);
    s.Typed("250")(f);
  });
  s.prog.stepPanel.bVrstva.Click();
  EXPECT_EQ(s.k.Program.Kroky[3].Vrstvy, 250);
  EXPECT_EQ(s.k.Program.Kroky[5].Vrstvy, 250);
  EXPECT_EQ(s.k.Program.Kroky[4].Vrstvy, 0);

  s.k.Vyber.ZrusVybraneKroky();
  s.ui.ExpectModal("Vstup", s.Typed("7"));
  s.prog.stepPanel.bVrstva.Click();
  EXPECT_EQ(s.k.Program.Kroky[4].Vrstvy, 7);
  EXPECT_EQ(s.prog.stepPanel.bVrstva.Caption, " LAGE: 7");

  const TKrokyPole pred = s.k.Program.Kroky;
  s.ui.ExpectModal("Vstup", s.Typed("251")).ExpectError("WERT AUSSER BEREICH");
  s.prog.stepPanel.bVrstva.Click();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
  s.ui.Verify();
}

// The counter setting chosen in the dialog.
std::function<void(TForm&)> Counter(bool nulovat) {
  return [nulovat](TForm& f) {
    auto& d = static_cast<TParam&>(f);
    EXPECT_EQ(d.pNulovatZavity.Color, clLime);
    EXPECT_TRUE(d.pNulovatZavity.Enabled);
    EXPECT_FALSE(d.rbPricitat.Visible);
    TControl& r = nulovat ? d.rbNulovat : d.rbNenulovat;
    for (TControl* o : {&d.rbNulovat, &d.rbNenulovat, &d.rbPricitat}) o->Checked = false;
    r.Checked = true;
    r.Click();
    d.bOK.Click();
  };
}

TEST(GroupEdits, CounterSettingGoesToTheMarkedSteps) {
  Edit s;
  s.Program(Desat());
  s.k.Program.AktKrok = 4;
  s.Mark({2, 6});
  s.ui.ExpectModal("Param", Counter(false));
  s.prog.stepPanel.bNulovat.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.Kroky[2].Nulovat, 0);
  EXPECT_EQ(s.k.Program.Kroky[6].Nulovat, 0);
  EXPECT_EQ(s.k.Program.Kroky[5].Nulovat, 1);
  EXPECT_TRUE(s.prog.fParam.rbPricitat.Visible);
}

TEST(GroupEdits, KeepCountingNeedsMoreTurnsThanTheLastReading) {
  Edit s;
  s.Program({Winding(300, 0.5, 0, 50), Winding(300, 0.5, 0, 50, 0, 1)});
  s.k.Program.AktKrok = 2;
  s.Mark({1});
  const TKrokyPole pred = s.k.Program.Kroky;
  s.ui.ExpectModal("Param", Counter(false))
      .ExpectError(" NICH LÖSCHEN: Grössere Windungszahl wie im letzten Wicklung einzugeben!");
  s.prog.stepPanel.bNulovat.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
  EXPECT_EQ(s.k.Program.Zmeneny, 0);
  EXPECT_FALSE(s.prog.fParam.rbPricitat.Visible);

  s.k.Program.Kroky[2].Hodnota = 300.5L;
  s.k.Vyber.ZrusVybraneKroky();
  s.ui.ExpectModal("Param", Counter(false));
  s.prog.stepPanel.bNulovat.Click();
  EXPECT_EQ(s.k.Program.Kroky[2].Nulovat, 0);
  EXPECT_TRUE(s.prog.fParam.rbPricitat.Visible);
  s.ui.Verify();
}

TEST(GroupEdits, FeedSpinStepsToTheNextFeedAndRecountsALayerEnd) {
  Edit s;
  TKrok w = Winding(10, 0.5, 10, 30);
  s.Program({Shift(10), w});
  PrepocitajVrstvy(s.k);
  s.k.Program.AktKrok = 2;
  s.prog.stepPanel.SpinButtonPosuvUp.Click();
  const long double hore = R(s.k.Program.Kroky[2].PosuvMM);
  EXPECT_EQ(hore, R(Real48(PosuvVyssi(s.k.Stroj, 0.5L))));
  EXPECT_GT(hore, 0.5L);
  EXPECT_EQ(R(s.k.Program.Kroky[2].Hodnota), 10.0L);
  s.prog.stepPanel.SpinButtonPosuvDown.Click();
  EXPECT_EQ(R(s.k.Program.Kroky[2].PosuvMM), R(Real48(PosuvNizsi(s.k.Stroj, hore))));

  // A layer-end step winds to its reversal point with the new feed.
  s.k.Program.Kroky[2].VrstvaKoniec = 1;
  s.prog.stepPanel.SpinButtonPosuvDown.Click();
  const long double f = R(s.k.Program.Kroky[2].PosuvMM);
  EXPECT_NEAR(D(s.k.Program.Kroky[2].Hodnota), static_cast<double>(20.0L / f), 1e-6);
  EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");
}

}  // namespace
}  // namespace kvr
