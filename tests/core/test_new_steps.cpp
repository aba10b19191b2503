#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "edit/layer_functions.h"
#include "edit/step_dialog.h"
#include "edit/step_store.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/numeric.h"
#include "model/program.h"
#include "support/station.h"
#include "support/steps.h"
#include "ui/param_window.h"

namespace kvr {
namespace {

// A windings step as the station keeps it: run-up and run-down at least 1,
// so showing it changes nothing.
TKrok Winding(long double zavity, long double posuv, long double l, long double p) {
  TKrok k = test::Winding(zavity, posuv, l, p);
  k.Rozbeh = 1;
  k.Dobeh = 1;
  return k;
}

long double R(const Real48& x) { return x; }

struct NewSteps : test::StationWithProgram {
  TParam& d = prog.fParam;
  NewSteps() {
    prog.fVstup.FormCreate();
    d.FormCreate();
    k.KonstKroky[0] = Winding(50, 0.5, 0, 20);
  }
  static void Pick(TForm& f, TControl& r) {
    for (TControl* o : f.Controls())
      if (o->Kind() == TControlKind::RadioButton && o->Parent == r.Parent) o->Checked = false;
    r.Checked = true;
    r.Click();
  }
  // The operator in the step dialog: chooses step n, acts, presses `button`.
  std::function<void(TForm&)> At(int n, TControl TParam::*button, std::function<void(TParam&)> act = {}) {
    return [n, button, act](TForm& f) {
      auto& p = static_cast<TParam&>(f);
      p.Kontext().Dialogy.ParamKrok = n;
      if (act) act(p);
      (p.*button).Click();
    };
  }
  std::vector<TKrok> Ten() {
    std::vector<TKrok> v;
    for (int i = 1; i <= 10; ++i) v.push_back(Winding(100 + i, 0.5, 0, 20));
    return v;
  }
};

TEST(NewSteps, InsertPutsTheStepAfterTheChosenOne) {
  const struct {
    int after;
    int aktKrok;
    int pocet;
  } cases[] = {{5, 6, 11}, {10, 11, 11}, {12, 13, 13}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.after);
    NewSteps s;
    s.Program(s.Ten());
    s.k.Program.AktKrok = 1;
    s.ui.ExpectModal("Param", s.At(c.after, &TParam::bInsert));
    s.prog.stepKinds.bDefZav.Click();
    s.ui.Verify();
    EXPECT_EQ(s.k.Program.AktKrok, c.aktKrok);
    EXPECT_EQ(s.k.Program.PocetKrokov, c.pocet);
    EXPECT_EQ(R(s.k.Program.Kroky[c.aktKrok].Hodnota), 50.0L);
    // Steps after it moved one place on; steps before it stayed.
    for (int i = 1; i <= 10; ++i) {
      const int kde = i <= c.after ? i : i + 1;
      EXPECT_EQ(R(s.k.Program.Kroky[kde].Hodnota), 100.0L + i) << i;
    }
    if (c.after == 12) {
      EXPECT_EQ(s.k.Program.Kroky[11].Druh, kDruhLeer);
      EXPECT_EQ(s.k.Program.Kroky[12].Druh, kDruhLeer);
    }
    EXPECT_EQ(s.k.Program.Zmeneny, 1);
    EXPECT_EQ(s.k.Program.PocetZaloha, 10);
    EXPECT_EQ(R(s.k.Program.KrokyZaloha[6].Hodnota), 106.0L);
  }
}

TEST(NewSteps, AFullProgramTakesNoInsertAndLosesNoStep) {
  for (int after : {350, 200}) {
    SCOPED_TRACE(after);
    NewSteps s;
    std::vector<TKrok> v(after == 350 ? 10 : 350, Winding(7, 0.5, 0, 20));
    s.Program(v);
    const auto pred = s.k.Program.Kroky;
    s.k.Program.AktKrok = 1;
    s.ui.ExpectModal("Param", s.At(after, &TParam::bInsert)).ExpectError(kPlnyProgram);
    s.prog.stepKinds.bDefZav.Click();
    s.ui.Verify();
    for (int i = 1; i <= static_cast<int>(v.size()); ++i) EXPECT_TRUE(s.k.Program.Kroky[i] == pred[i]) << i;
    EXPECT_EQ(s.k.Program.PocetKrokov, static_cast<int>(v.size()));
  }
}

TEST(NewSteps, ReplaceOnAnEmptyProgramCreatesStepOne) {
  NewSteps s;
  s.ui.ExpectModal("Param", [&](TForm& f) {
    auto& p = static_cast<TParam&>(f);
    EXPECT_FALSE(p.bInsert.Enabled);
    EXPECT_TRUE(p.bReplace.Enabled);
    EXPECT_EQ(p.bReplace.Caption, "UMSCHREIBE SCHRITT: 1");
    p.bReplace.Click();
  });
  s.prog.stepKinds.bDefZav.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.PocetKrokov, 1);
  EXPECT_EQ(s.k.Program.AktKrok, 1);
  EXPECT_EQ(s.k.Program.Kroky[1].Druh, kDruhWicklung);
}

TEST(NewSteps, RefusedChecksLeaveTheProgramAndTheDialogOpen) {
  const struct {
    const char* name;
    std::function<void(TParam&)> act;
    const char* message;
  } cases[] = {
      {"crossed points", [](TParam& p) { p.Kontext().Program.PracKrok.LRev = 25.0L; }, " : L.Wendepunkt > R.Wendepunkt "},
      {"counter not above",
       [](TParam& p) {
         NewSteps::Pick(p, p.rbNenulovat);
         p.Kontext().Program.PracKrok.Hodnota = 104.0L;
       },
       " NICH LÖSCHEN: Grössere Windungszahl wie im letzten Wicklung einzugeben!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    NewSteps s;
    s.Program(s.Ten());
    const auto pred = s.k.Program.Kroky;
    s.k.Program.AktKrok = 5;
    s.ui.ExpectModal("Param", [&](TForm& f) {
      auto& p = static_cast<TParam&>(f);
      c.act(p);
      p.bReplace.Click();
      EXPECT_EQ(p.ModalResult, TModalResult::None);  // still open
      p.bCANCEL.Click();
    });
    s.ui.ExpectError(c.message);
    s.prog.stepKinds.bDefZav.Click();
    s.ui.Verify();
    EXPECT_TRUE(s.k.Program.Kroky == pred);
    // The undo copy was taken: going back gives the same program.
    EXPECT_TRUE(s.k.Program.KrokyZaloha == pred);
    EXPECT_EQ(s.k.Program.Zmeneny, 1);
  }
}

TEST(NewSteps, AddingToTheCounterComesBeforeItsCheck) {
  NewSteps s;
  s.Program(s.Ten());
  s.k.Program.AktKrok = 5;
  s.ui.ExpectModal("Param", [&](TForm& f) {
    auto& p = static_cast<TParam&>(f);
    p.rbPricitat.Visible = true;
    NewSteps::Pick(p, p.rbPricitat);
    p.Kontext().Program.PracKrok.Hodnota = 3.0L;
    p.bInsert.Click();
  });
  s.prog.stepKinds.bDefZav.Click();
  s.ui.Verify();
  EXPECT_EQ(R(s.k.Program.Kroky[6].Hodnota), 108.0L);
  EXPECT_EQ(s.k.Program.Kroky[6].Nulovat, 0);
}

TEST(NewSteps, FixedFieldsOfJumpsAndGears) {
  NewSteps s;
  s.k.Stroj.Model = "KVR - 60";
  NastavModel(s.k);
  TKrok skok = test::Jump(3, 0);
  skok.PosuvMM = 2.0L;
  skok.LRev = 5.0L;
  skok.PRev = 9.0L;
  s.k.KonstKroky[7] = skok;
  s.Program(s.Ten());
  s.k.Program.AktKrok = 2;
  s.ui.ExpectModal("Param", s.At(2, &TParam::bInsert));
  s.prog.stepKinds.bSkok.Click();
  const TKrok& j = s.k.Program.Kroky[3];
  EXPECT_EQ(j.Druh, kDruhSprung);
  EXPECT_EQ(R(j.PosuvMM), 10.0L);
  EXPECT_EQ(R(j.LRev), 0.0L);
  EXPECT_EQ(R(j.PRev), 0.0L);

  s.ui.ExpectModal("Param", s.At(3, &TParam::bInsert));
  s.prog.stepKinds.bPrevod.Click();
  s.ui.ExpectModal("Param", s.At(4, &TParam::bInsert, [](TParam& p) { NewSteps::Pick(p, p.rbGear_2); }));
  s.prog.stepKinds.bPrevod.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky[4].Hodnota == Real48(0.01L));
  EXPECT_TRUE(s.k.Program.Kroky[5].Hodnota == Real48(0.02L));
  EXPECT_EQ(s.k.Program.Kroky[5].Druh, kDruhGetriebe);
  EXPECT_EQ(R(s.k.Program.Kroky[5].PosuvMM), 0.0L);
}

TEST(NewSteps, ANonModalShiftStoresItsCoordinateAndSpeed) {
  NewSteps s;
  s.k.KonstKroky[6] = test::Shift(44);
  s.Program(s.Ten());
  s.k.Program.AktKrok = 3;
  s.prog.stepKinds.bPresun.Click();
  EXPECT_EQ(s.ui.shown, std::vector<std::string>{"Param"});
  EXPECT_EQ(R(s.k.Dialogy.Suradnica), 44.0L);
  NewSteps::Pick(s.d, s.d.rb25);
  s.d.bInsert.Click();
  EXPECT_FALSE(s.d.Visible);
  const TKrok& p = s.k.Program.Kroky[4];
  EXPECT_EQ(p.Druh, kDruhVerschiebung);
  EXPECT_EQ(R(p.Hodnota), 44.0L);
  EXPECT_EQ(p.RychPresun, 25);
}

TEST(NewSteps, TemplatesAreEditedInTheirOwnModes) {
  NewSteps s;
  s.k.KonstKroky[0].VrstvaKoniec = 1;
  s.ui.ExpectModal("Param", [](TForm& f) {
    auto& p = static_cast<TParam&>(f);
    EXPECT_FALSE(p.pVE.Visible);
    EXPECT_FALSE(p.chbVE.Checked);
    EXPECT_EQ(p.Caption, "WINDUNGEN 1 - leuchtende Parameter einzustellen ");
    EXPECT_TRUE(p.bOK.Enabled);
    p.Kontext().Program.PracKrok.Hodnota = 77.0L;
    p.bOK.Click();
  });
  s.prog.templatesMenu.mkDEFZAV.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.d.pVE.Visible);
  EXPECT_EQ(R(s.k.KonstKroky[0].Hodnota), 77.0L);
  EXPECT_EQ(s.k.Program.PocetKrokov, 0);

  // The shift template is non-modal and keeps its coordinate through OK.
  s.k.KonstKroky[6] = test::Shift(61);
  s.prog.templatesMenu.mkPRESUN.Click();
  EXPECT_TRUE(s.d.Visible);
  s.d.bOK.Click();
  EXPECT_EQ(R(s.k.KonstKroky[6].Hodnota), 61.0L);
}

// --- The automatic computations ---------------------------------------------------------

struct Computations : test::ContextWithProgram {
  // A program of n windings steps whose last one ends at p.
  void After(int n, long double p) {
    Program(std::vector<TKrok>(static_cast<size_t>(n), Winding(5, 1.0, 0, 20)));
    k.BodyKrokov[static_cast<size_t>(n)].Poloha = p;
    k.Program.AktKrok = n;
  }
  std::vector<std::string> Steps(int from, int to) const {
    std::vector<std::string> v;
    for (int i = from; i <= to; ++i) {
      const TKrok& s = k.Program.Kroky[i];
      v.push_back(FormatFixed(R(s.Hodnota), 1) + " " + std::to_string(s.SmerPosuvu) + " " + FormatFixed(R(s.LRev), 0) + "-" +
                  FormatFixed(R(s.PRev), 0));
    }
    return v;
  }
};

TEST(LayerFunctions, LayerStopMakesOneStepPerLayer) {
  const struct {
    const char* name;
    long double turns;
    long double trapL, trapP;
    uint8_t flagP;
    std::vector<std::string> steps;
  } cases[] = {
      {"plain", 100, 0, 0, 0, {"20.0 0 10-30", "40.0 1 10-30", "60.0 0 10-30", "80.0 1 10-30", "100.0 0 10-30"}},
      {"trapezoid", 100, 1, 1, 1,
       {"20.0 0 10-30", "39.0 1 11-30", "57.0 0 11-29", "74.0 1 12-29", "90.0 0 12-28", "100.0 1 13-28"}},
      {"one layer", 15, 0, 0, 0, {"15.0 0 10-30"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Computations s;
    s.After(3, 10);
    TKrok w = Winding(c.turns, 1.0, 10, 30);
    w.TrapezL = c.trapL;
    w.TrapezP = c.trapP;
    w.TrapezPZnamienko = c.flagP;
    s.k.Program.PracKrok = w;
    RozlozNaVrstvy(s.k, true, true);
    const int n = static_cast<int>(c.steps.size());
    EXPECT_EQ(s.Steps(4, 3 + n), c.steps);
    EXPECT_EQ(s.k.Program.PocetKrokov, 3 + n);
    EXPECT_EQ(s.k.Program.AktKrok, 3 + n);
    EXPECT_EQ(s.k.Program.Kroky[4].Nulovat, 1);
    if (n > 1) {
      EXPECT_EQ(s.k.Program.Kroky[5].Nulovat, 0);
    }
    // The generated steps keep the trapezoid; the working step loses it.
    EXPECT_EQ(R(s.k.Program.Kroky[4].TrapezL), c.trapL);
    EXPECT_EQ(R(s.k.Program.PracKrok.TrapezL), 0.0L);
  }
}

TEST(LayerFunctions, ImpossibleExpansionsStoreNothing) {
  const struct {
    const char* name;
    long double turns, l, p, trapL, trapP;
    uint8_t flagL, flagP;
    int steps;
  } cases[] = {
      {"closes", 100, 10, 30, 5, 5, 0, 1, 3},
      {"below 0", 100, 1, 30, 2, 0, 1, 0, 3},
      {"beyond the width", 1000, 10, 205, 0, 3, 0, 0, 3},
      {"past 350", 100000, 10, 30, 0, 0, 0, 0, 3},
      {"past 350 behind a long program", 60, 10, 30, 0, 0, 0, 0, 348},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Computations s;
    s.After(c.steps, 10);
    s.k.Program.AktKrok = 2;
    const auto pred = s.k.Program.Kroky;
    TKrok w = Winding(c.turns, 1.0, c.l, c.p);
    w.TrapezL = c.trapL;
    w.TrapezP = c.trapP;
    w.TrapezLZnamienko = c.flagL;
    w.TrapezPZnamienko = c.flagP;
    s.k.Program.PracKrok = w;
    s.ui.ExpectError(kDatenUnkorrekt);
    RozlozNaVrstvy(s.k, true, true);
    s.ui.Verify();
    EXPECT_TRUE(s.k.Program.Kroky == pred);
    EXPECT_EQ(s.k.Program.PocetKrokov, c.steps);
  }
}

TEST(LayerFunctions, FeedFromTurnsAndTurnsFromFeed) {
  Computations s;
  s.After(2, 50);
  s.k.Dialogy.Suradnica = 20.0L;
  TKrok w = Winding(30, 0.3, 0, 100);
  ASSERT_TRUE(PocitajPosuv(s.k, w, 2, true));
  EXPECT_EQ(w.SmerPosuvu, 1);
  EXPECT_EQ(R(w.PosuvMM), R(Real48(NajvacsiPosuvNeVacsi(s.k.Stroj, 1.0L))));
  EXPECT_LE(R(w.PosuvMM), 1.0L);
  EXPECT_EQ(R(w.Hodnota), 30.0L);
  // Without clearing, the counter counts on from the step before.
  TKrok v = Winding(30, 0.3, 0, 100);
  ASSERT_TRUE(PocitajPosuv(s.k, v, 2, false));
  EXPECT_EQ(R(v.Hodnota), 35.0L);

  TKrok z = Winding(0, 0.5, 0, 100);
  s.k.Dialogy.Suradnica = 80.0L;
  ASSERT_TRUE(PocitajZavity(s.k, z, 2, true));
  EXPECT_EQ(z.SmerPosuvu, 0);
  EXPECT_EQ(R(z.Hodnota), 60.0L);

  // No divisor, no result.
  TKrok nula = Winding(0, 0.0, 0, 100);
  EXPECT_FALSE(PocitajPosuv(s.k, nula, 2, true));
  EXPECT_FALSE(PocitajZavity(s.k, nula, 2, true));
  EXPECT_FALSE(RozprestriVinutie(s.k, nula, 2));
}

TEST(LayerFunctions, TheLargestFeedIsNeverAboveTheValue) {
  Computations s;
  for (long double f : {0.0017L, 0.1L, 0.333L, 1.0L, 2.71828L, 39.99L}) {
    const long double u = NajvacsiPosuvNeVacsi(s.k.Stroj, f);
    EXPECT_LE(u, f);
    EXPECT_GT(PosuvVyssi(s.k.Stroj, u), f) << static_cast<double>(f);
  }
}

TEST(LayerFunctions, SpreadingToNeitherPointOnlyRoundsTheFeedDown) {
  Computations s;
  s.After(1, 0);
  TKrok w = Winding(40, 0.3337, 0, 30);
  s.k.Dialogy.Suradnica = 12.0L;
  ASSERT_TRUE(RozprestriVinutie(s.k, w, 1));
  EXPECT_EQ(R(w.PosuvMM), R(Real48(NajvacsiPosuvNeVacsi(s.k.Stroj, 0.3337L))));
}

TEST(LayerFunctions, AComputationWithoutResultKeepsTheDialogOpen) {
  NewSteps s;
  s.Program(s.Ten());
  s.k.Program.AktKrok = 3;
  const auto pred = s.k.Program.Kroky;
  TParam::TOtvorenie o;
  o.DruhEditacie = rezim::kVrstvaPosuvAut;
  o.Zdroj = Winding(0, 0.5, 0, 20);
  o.Funkcia = true;
  o.Sada = TParamSet::ParamVrstvaPosuvAut;
  s.d.Otvor(o);
  s.ui.ExpectError(kDatenUnkorrekt);
  s.d.bInsert.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.d.Visible);
  EXPECT_TRUE(s.k.Program.Kroky == pred);
}

}  // namespace
}  // namespace kvr
