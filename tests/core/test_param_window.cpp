#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "edit/step_dialog.h"
#include "model/context.h"
#include "model/program.h"
#include "support/station.h"
#include "support/steps.h"
#include "tools/keypad.h"
#include "ui/param_window.h"

namespace kvr {
namespace {

using test::Shift;
using test::Winding;

// The dialog alone on a context with a recording main window.
struct Dialog : test::ContextWithProgram {
  TVstup vstup{k};
  TParam d{k, vstup};

  Dialog() {
    vstup.FormCreate();
    d.FormCreate();
  }
  std::function<void(TForm&)> Typed(std::string text) {
    return [this, text](TForm& f) {
      ASSERT_EQ(&f, &vstup);
      for (char c : text) vstup.KeyPress(c);
      vstup.ButtonOK.Click();
    };
  }
  // An opener: the working step, the mode, the preparation, the display.
  void Open(const TKrok& krok, int mode, bool func, std::function<void()> sada = {}) {
    k.Program.PracKrok = krok;
    k.Dialogy.DruhEditacie = mode;
    if (func)
      d.InicFunc();
    else
      d.Inic();
    if (sada) sada();
    d.ZobrazParametre();
    d.Visible = true;
    d.FormShow();
  }
  // A check box clicked as the binder does: toggled, then its handler.
  void Toggle(TControl& c) {
    c.Checked = !c.Checked;
    c.Click();
  }
  long double Real(const Real48& r) const { return r; }
};

// The panels and groups shown lit (visible, enabled and lime), in the form's order.
std::string Lit(const TParam& d) {
  std::string s;
  for (const TControl* c : d.Controls()) {
    if (c->Kind() != TControlKind::Panel && c->Kind() != TControlKind::GroupBox && c->Kind() != TControlKind::RadioGroup)
      continue;
    if (c->Visible && c->Enabled && c->Color == clLime) s += (s.empty() ? "" : " ") + c->Name();
  }
  return s;
}

std::string Shown(const TParam& d) {
  std::string s;
  for (const char* n : {"pSuradnica", "pLReverz", "pPReverz", "pRychPresun", "pKrok", "sbKrok", "pSpreadZav1", "pSpreadZav2",
                        "rbNenulovat"})
    if (d.FindControl(n)->Visible) s += (s.empty() ? "" : " ") + std::string(n);
  return s;
}

TEST(StepDialog, EachParameterSetLightsItsControls) {
  const std::string defZav =
      "pZavity pNulovatZavity pPosuvMM pSNav pLRev pPRev pOtackyMin pSOtac pKryt pInOut rgTrapezoid pLTRAP_hodnota "
      "pLTRAP_sklon pRTRAP_hodnota pRTRAP_sklon rgTypCyklu pVE pVS pAMR pAKP pRozbeh pDobeh pVrstva pKrok";
  const std::string vrstvaTail = "pLReverz pSuradnica pPReverz rgTypCyklu pVE pVS pAMR pAKP pRozbeh pDobeh pVrstva pKrok";
  const struct {
    TParamSet set;
    std::string caption;
    std::string lit;
    std::string shown;
    bool insert;
  } cases[] = {
      {TParamSet::ParamDefZav, "", defZav, "pKrok sbKrok rbNenulovat", true},
      {TParamSet::ParamVrstvaPosuvAut, "LAGE WIND.AUT. - leuchtende Parameter einzustellen ",
       "pZavity pNulovatZavity pSNav pLRev pPRev pOtackyMin pSOtac pKryt pInOut " + vrstvaTail,
       "pSuradnica pLReverz pPReverz pKrok sbKrok", true},
      {TParamSet::ParamVrstvaZavityAut, "LAGE VORSCH.AUT. - leuchtende Parameter einzustellen ",
       "pNulovatZavity pPosuvMM pSNav pLRev pPRev pOtackyMin pSOtac pKryt pInOut " + vrstvaTail,
       "pSuradnica pLReverz pPReverz pKrok sbKrok", true},
      {TParamSet::ParamVrstvaStop, "LAGE STOP - leuchtende Parameter einzustellen ", defZav, "pKrok sbKrok", true},
      {TParamSet::ParamOlep, "BANDAGIEREN - leuchtende Parameter einzustellen ",
       "pZavity pOtackyMin pSOtac pKryt pInOut rgTypCyklu pVE pVS pAMR pAKP pRozbeh pDobeh pVrstva pKrok",
       "pKrok sbKrok rbNenulovat", true},
      {TParamSet::ParamPresun, "VERSCHIEBUNG - leuchtende Parameter einzustellen ",
       "pInOut pRychPresun pLReverz pSuradnica pPReverz rgTypCyklu pVrstva pKrok",
       "pSuradnica pLReverz pPReverz pRychPresun pKrok sbKrok rbNenulovat", true},
      {TParamSet::ParamSkok, "SPRUNG - leuchtende Parameter einzustellen ", "pZavity pSNav pInOut rgTypCyklu pVrstva pKrok",
       "pKrok sbKrok rbNenulovat", true},
      {TParamSet::ParamDelay, "PAUSE - leuchtende Parameter einzustellen ", "pZavity pInOut rgTypCyklu pVrstva pKrok",
       "pKrok sbKrok rbNenulovat", true},
      {TParamSet::ParamPrevod, "GETRIEBE - leuchtende Parameter einzustellen ", "pInOut pPrevod pKrok",
       "pKrok sbKrok rbNenulovat", true},
      {TParamSet::ParamSpreadVinutie, "SPREIZEN ALLES - leuchtende Parameter einzustellen ",
       "pLReverz pSuradnica pPReverz", "pSuradnica pLReverz pPReverz pKrok sbKrok rbNenulovat", false},
      {TParamSet::ParamSpreadVrstva, "SPREIZEN LAGE - leuchtende Parameter einzustellen ",
       "pLReverz pSuradnica pPReverz pSpreadZav1 pSpreadZav2",
       "pSuradnica pLReverz pPReverz pKrok sbKrok pSpreadZav1 pSpreadZav2 rbNenulovat", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lit);
    Dialog s;
    s.Program({Winding(10, 0.5, 0, 20)});
    s.d.Caption = "opener";
    s.d.InicFunc();
    s.d.ApplyParamSet(c.set);
    EXPECT_EQ(s.d.Caption, c.caption.empty() ? "opener" : c.caption);
    EXPECT_EQ(Lit(s.d), c.lit);
    EXPECT_EQ(Shown(s.d), c.shown);
    EXPECT_EQ(s.d.bInsert.Enabled, c.insert);
    EXPECT_EQ(s.d.sbKrok.Enabled, c.insert);
    EXPECT_FALSE(s.d.bOK.Enabled);
  }
}

TEST(StepDialog, InicPutsEveryPanelOutForOneParameter) {
  Dialog s;
  s.d.InicFunc();
  s.d.ParamDefZav();
  s.d.Inic();
  EXPECT_EQ(Lit(s.d), "");
  EXPECT_EQ(Shown(s.d), "rbNenulovat");
  EXPECT_TRUE(s.d.bOK.Enabled);
  EXPECT_FALSE(s.d.bInsert.Enabled);
  EXPECT_FALSE(s.d.bReplace.Enabled);
  EXPECT_FALSE(s.d.pLTRAP_sklon.Enabled);
}

TEST(StepDialog, AShiftShowsItsSpeedAndAnOddOneBecomes100) {
  const struct {
    long double posuv;
    const char* checked;
    long double after;
  } cases[] = {{10, "rb10", 10}, {25, "rb25", 25}, {50, "rb50", 50}, {30, "rb100", 100}, {0, "rb100", 100}};
  for (const auto& c : cases) {
    Dialog s;
    TKrok krok = Shift(40);
    krok.PosuvMM = c.posuv;
    s.Open(krok, rezim::kPresun, true, [&] { s.d.ParamPresun(); });
    EXPECT_EQ(s.Real(s.k.Program.PracKrok.PosuvMM), c.after);
    for (const char* n : {"rb10", "rb25", "rb50", "rb100"})
      EXPECT_EQ(s.d.FindControl(n)->Checked, std::string(n) == c.checked) << c.posuv << " " << n;
    EXPECT_EQ(s.d.pZavity.Caption, "WINDUNGSZAHL:40.00");
  }
}

TEST(StepDialog, DisplayOfAWindingsStep) {
  Dialog s;
  s.Program({Winding(10, 0.5, 0, 20)});
  TKrok w = Winding(1234.5, 0.125, 12.5, 99.75, 1, 0);
  w.Otacky = 1500;
  w.Rozbeh = 0;
  w.Dobeh = 5;
  w.Vrstvy = 7;
  w.TrapezL = 3.5L;
  w.TrapezLZnamienko = 1;
  w.AutKorekcia = 1;
  w.AutKorL = 1.25L;
  w.Kryt = 1;
  w.TypCyklu = kCyklusAutSchnell;
  s.k.Program.AktKrok = 1;
  s.Open(w, rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  EXPECT_EQ(s.d.pZavity.Caption, "WINDUNGSZAHL:1234.50");
  EXPECT_EQ(s.d.pPosuvMM.Caption, "VORSCH.[mm]: 0.125");
  EXPECT_EQ(s.d.pLRev.Caption, " L.WENDEPUNKT: 12.50");
  EXPECT_EQ(s.d.pPRev.Caption, " R.WENDEPUNKT: 99.75");
  EXPECT_EQ(s.d.pLReverz.Caption, "12.50  |<--");
  EXPECT_EQ(s.d.pPReverz.Caption, "-->|  99.75");
  EXPECT_EQ(s.d.pOtackyMin.Caption, " DREHZAHL: 1500");
  EXPECT_EQ(s.d.pVrstva.Caption, " LAGE: 7");
  EXPECT_EQ(s.d.pLTRAP_hodnota.Caption, " LINKS  - Wert: 3.50");
  EXPECT_EQ(s.d.pLTRAP_sklon.Caption, " Neigung: \\");
  EXPECT_EQ(s.d.pRTRAP_sklon.Caption, " Neigung: /");
  EXPECT_EQ(s.d.pAKP_LRev.Caption, " AUT.KORR. L : 1.25");
  EXPECT_TRUE(s.d.pAKP_LRev.Visible);
  EXPECT_EQ(s.d.pAKP_LRev.Color, clLime);
  // A run-up of 0 is shown and kept as 1.
  EXPECT_EQ(s.d.pRozbeh.Caption, "BESCHL: 1");
  EXPECT_EQ(s.d.pRozbeh.Tag, 1);
  EXPECT_EQ(s.k.Program.PracKrok.Rozbeh, 1);
  EXPECT_EQ(s.d.pDobeh.Caption, "ABBREM: 5");
  EXPECT_TRUE(s.d.rbDolava.Checked);
  EXPECT_FALSE(s.d.rbDoprava.Checked);
  EXPECT_TRUE(s.d.rbSnimat.Checked);
  EXPECT_TRUE(s.d.rbPravy.Checked);
  EXPECT_TRUE(s.d.rbNenulovat.Checked);
  EXPECT_EQ(s.d.rgTypCyklu.ItemIndex, kCyklusAutSchnell);
  EXPECT_EQ(s.d.pKrok.Caption, "SCHRITT: 1");
  EXPECT_EQ(s.d.bInsert.Caption, "LEGE HINTER SCHRITT EIN: 1");
  EXPECT_EQ(s.d.bReplace.Caption, "UMSCHREIBE SCHRITT: 1");
  EXPECT_EQ(s.d.rbGear_1.Caption, "3000");
  EXPECT_EQ(s.d.rbGear_2.Caption, "6000");
}

TEST(StepDialog, TapingShowsTheCounterClearedWhateverTheStepHolds) {
  for (int mode : {rezim::kOlep, rezim::kKonst + 5}) {
    Dialog s;
    TKrok t = test::Still(kDruhBandagieren, 5);
    t.Nulovat = 0;
    s.Open(t, mode, mode == rezim::kOlep, [&] { s.d.ParamOlep(); });
    EXPECT_TRUE(s.d.rbNulovat.Checked);
    EXPECT_FALSE(s.d.rbNenulovat.Checked);
    EXPECT_EQ(s.k.Program.PracKrok.Nulovat, 0);
  }
}

TEST(StepDialog, BothLayerFunctionsPaintTheirPanelsRed) {
  Dialog s;
  s.Open(Winding(10, 0.5, 0, 20), rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  s.Toggle(s.d.chbVS);
  EXPECT_EQ(s.d.pVS.Color, clLime);
  EXPECT_EQ(s.k.Program.PracKrok.VrstvaStop, 1);
  s.Toggle(s.d.chbVE);
  EXPECT_EQ(s.d.pVS.Color, clRed);
  EXPECT_EQ(s.d.pVE.Color, clRed);
  s.Toggle(s.d.chbVS);
  EXPECT_EQ(s.d.pVS.Color, clLime);
  EXPECT_EQ(s.d.pVE.Color, clLime);
  EXPECT_EQ(s.k.Program.PracKrok.VrstvaStop, 0);
  EXPECT_EQ(s.k.Program.PracKrok.VrstvaKoniec, 1);
}

TEST(StepDialog, CoordinateComesFromTheShiftTemplateOrTheChamber) {
  Dialog s;
  s.k.KonstKroky[6].Hodnota = 77.5L;
  // No chamber chosen.
  s.Open(Winding(10, 0.5, 1, 2), rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  EXPECT_EQ(s.Real(s.k.Dialogy.Suradnica), 77.5L);
  EXPECT_TRUE(s.d.gbKomorka.Visible);
  EXPECT_EQ(s.d.gbKomorka.Color, clBtnShadow);
  EXPECT_EQ(s.Real(s.k.Program.PracKrok.LRev), 1.0L);

  // A bobbin with chambers 1 and 2; chamber 2 chosen.
  s.k.Kostricka.Abstand = 10.0L;
  s.k.Kostricka.Komory[0] = {0.0L, 4.0L};
  s.k.Kostricka.Komory[1] = {5.0L, 15.0L};
  s.k.AktKomora = 2;
  s.Open(Winding(10, 0.5, 1, 2), rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  EXPECT_EQ(s.Real(s.k.Program.PracKrok.LRev), 15.0L);
  EXPECT_EQ(s.Real(s.k.Program.PracKrok.PRev), 25.0L);
  EXPECT_EQ(s.Real(s.k.Dialogy.Suradnica), 15.0L);
  EXPECT_EQ(s.d.gbKomorka.Color, clLime);
  EXPECT_TRUE(s.d.Komory[1]->Visible);
  EXPECT_FALSE(s.d.Komory[2]->Visible);
  EXPECT_EQ(s.d.pSuradnica.Caption, " KOORDINATE: 15.00");

  // A chamber click takes its edges.
  s.d.Komory[0]->Click();
  EXPECT_EQ(s.k.AktKomora, 1);
  EXPECT_EQ(s.Real(s.k.Program.PracKrok.LRev), 10.0L);
  EXPECT_EQ(s.Real(s.k.Program.PracKrok.PRev), 14.0L);
  EXPECT_EQ(s.Real(s.k.Dialogy.Suradnica), 10.0L);

  // One parameter edited from the main window: no chamber box.
  s.k.Dialogy.DruhParametra = 25;
  s.Open(Winding(10, 0.5, 1, 2), rezim::kPriamy, false);
  EXPECT_FALSE(s.d.gbKomorka.Visible);
  EXPECT_EQ(s.Real(s.k.Dialogy.Suradnica), 77.5L);
}

TEST(StepDialog, KeypadPanelsAskCheckAndStore) {
  const struct {
    const char* panel;
    const char* typed;
    const char* prompt;
    const char* caption;  // of the panel afterwards; empty: refused
  } cases[] = {
      {"pZavity", "123.45", "WINDUNGSZAHL:  [0 - 99999.99]", "WINDUNGSZAHL:123.45"},
      {"pZavity", "100001", "WINDUNGSZAHL:  [0 - 99999.99]", ""},
      {"pPosuvMM", "0.1239", "VORSCH.[mm]: [0 - 40]", "VORSCH.[mm]: 0.124"},
      {"pPosuvMM", "40.5", "VORSCH.[mm]: [0 - 40]", ""},
      {"pLRev", "210", " L.WENDEPUNKT: [0 - 210.00 ]", " L.WENDEPUNKT: 210.00"},
      {"pPRev", "210.1", " R.WENDEPUNKT: [0 - 210.00 ]", ""},
      {"pOtackyMin", "1", " DREHZAHL: 0 - 3000", " DREHZAHL: 3"},
      {"pOtackyMin", "3001", " DREHZAHL: 0 - 3000", ""},
      {"pVrstva", "250", " LAGE: [1 - 250]", " LAGE: 250"},
      {"pVrstva", "251", " LAGE: [1 - 250]", ""},
      {"pKrok", "350", "SCHRITT: [0 - 99]", "SCHRITT: 350"},
      {"pKrok", "351", "SCHRITT: [0 - 99]", ""},
      {"pSuradnica", "12.5", " KOORDINATE: [0 - 210.00 ]", " KOORDINATE: 12.50"},
      {"pLTRAP_hodnota", "100", " LINKS  - Wert: [0 - 100.00 ]", " LINKS  - Wert: 100.00"},
      {"pRTRAP_hodnota", "100.01", " RECHTS - Wert: [0 - 100.00 ]", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.panel) + " " + c.typed);
    Dialog s;
    s.Program({Winding(10, 0.5, 0, 20)});
    s.k.Program.AktKrok = 1;
    s.Open(Winding(10, 0.5, 0, 20), rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
    TControl& p = *s.d.FindControl(c.panel);
    const std::string pred = p.Caption;
    const TKrok predKrok = s.k.Program.PracKrok;
    const TDialogy predDialogy = s.k.Dialogy;
    s.ui.ExpectModal("Vstup", [&](TForm& f) {
      EXPECT_EQ(f.Caption, c.prompt);
      s.Typed(c.typed)(f);
    });
    if (*c.caption == '\0') s.ui.ExpectError("WERT AUSSER BEREICH");
    p.Click();
    s.ui.Verify();
    if (*c.caption == '\0') {
      EXPECT_EQ(p.Caption, pred);
      EXPECT_TRUE(s.k.Program.PracKrok == predKrok);
      EXPECT_EQ(s.k.Dialogy.ParamKrok, predDialogy.ParamKrok);
      EXPECT_EQ(s.Real(s.k.Dialogy.Suradnica), s.Real(predDialogy.Suradnica));
    } else {
      EXPECT_EQ(p.Caption, c.caption);
    }
  }
}

TEST(StepDialog, StepNumberSpinStaysWithin0And350) {
  Dialog s;
  s.Program({Winding(10, 0.5, 0, 20)});
  s.k.Program.AktKrok = 1;
  s.Open(Winding(10, 0.5, 0, 20), rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  s.d.sbKrokDown.Click();
  EXPECT_EQ(s.k.Dialogy.ParamKrok, 0);
  EXPECT_FALSE(s.d.bReplace.Enabled);
  s.d.sbKrokDown.Click();
  EXPECT_EQ(s.k.Dialogy.ParamKrok, 0);
  EXPECT_EQ(s.d.bInsert.Caption, "LEGE HINTER SCHRITT EIN: 0");
  s.d.sbKrokUp.Click();
  EXPECT_TRUE(s.d.bReplace.Enabled);
  s.k.Dialogy.ParamKrok = 349;
  s.d.sbKrokUp.Click();
  s.d.sbKrokUp.Click();
  EXPECT_EQ(s.k.Dialogy.ParamKrok, 350);
  EXPECT_EQ(s.d.bReplace.Caption, "UMSCHREIBE SCHRITT: 350");
}

TEST(StepDialog, RunUpAndRunDownSpinWithin1And8) {
  Dialog s;
  TKrok w = Winding(10, 0.5, 0, 20);
  w.Rozbeh = 2;
  w.Dobeh = 7;
  s.Open(w, rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  for (int i = 0; i < 3; ++i) s.d.sbRozbehDown.Click();
  for (int i = 0; i < 3; ++i) s.d.sbDobehUp.Click();
  EXPECT_EQ(s.d.pRozbeh.Caption, "BESCHL: 1");
  EXPECT_EQ(s.d.pDobeh.Caption, "ABBREM: 8");
  EXPECT_EQ(s.k.Program.PracKrok.Rozbeh, 1);
  EXPECT_EQ(s.k.Program.PracKrok.Dobeh, 8);
}

TEST(StepDialog, FeedSpinStepsToTheNextRepresentableFeed) {
  Dialog s;
  s.Open(Winding(10, 0.5, 0, 20), rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  const long double hore = PosuvVyssi(s.k.Stroj, 0.5L);
  s.d.SpinButtonPosuvUp.Click();
  EXPECT_EQ(s.Real(s.k.Program.PracKrok.PosuvMM), s.Real(Real48(hore)));
  EXPECT_GT(hore, 0.5L);
  s.d.SpinButtonPosuvDown.Click();
  EXPECT_EQ(s.Real(s.k.Program.PracKrok.PosuvMM), s.Real(Real48(PosuvNizsi(s.k.Stroj, hore))));
}

TEST(StepDialog, OkStoresByMode) {
  struct Case {
    int mode;
    uint8_t druh;
    std::function<void(TKrok&, const TKontext&)> check;
  };
  const Case cases[] = {
      // Windings templates become windings.
      {rezim::kKonst, kDruhLeer, [](TKrok& t, const TKontext&) { EXPECT_EQ(t.Druh, kDruhWicklung); }},
      {rezim::kKonst + 1, kDruhSprung, [](TKrok& t, const TKontext&) { EXPECT_EQ(t.Druh, kDruhWicklung); }},
      // Taping and jump templates lose their feed.
      {rezim::kKonst + 5, kDruhBandagieren,
       [](TKrok& t, const TKontext&) { EXPECT_EQ(static_cast<long double>(t.PosuvMM), 0.0L); }},
      {rezim::kKonst + 7, kDruhSprung,
       [](TKrok& t, const TKontext&) { EXPECT_EQ(static_cast<long double>(t.PosuvMM), 0.0L); }},
      // The shift template takes the coordinate.
      {rezim::kKonst + 6, kDruhVerschiebung,
       [](TKrok& t, const TKontext&) { EXPECT_EQ(static_cast<long double>(t.Hodnota), 33.25L); }},
      // Others keep feed and kind.
      {rezim::kKonst + 8, kDruhPause, [](TKrok& t, const TKontext&) {
         EXPECT_EQ(static_cast<long double>(t.PosuvMM), 0.5L);
         EXPECT_EQ(t.Druh, kDruhPause);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    Dialog s;
    s.Program({Winding(10, 0.5, 0, 20)});
    const auto pred = s.k.Program.Kroky;
    TKrok w = Winding(10, 0.5, 0, 20);
    w.Druh = c.druh;
    w.Hodnota = 10;
    s.k.Dialogy.Suradnica = 33.25L;
    s.Open(w, c.mode, false);
    // The dialog's choices go into the record.
    s.d.rbSnimat.Checked = true;
    s.d.rbNesnimat.Checked = false;
    s.d.bOK.Click();
    TKrok& t = s.k.KonstKroky[static_cast<size_t>(c.mode - rezim::kKonst)];
    c.check(t, s.k);
    EXPECT_EQ(t.Kryt, 1);
    EXPECT_TRUE(s.k.Program.Kroky == pred);
    EXPECT_EQ(s.k.Program.Zmeneny, 0);
    EXPECT_EQ(s.d.ModalResult, TModalResult::Ok);
  }
}

TEST(StepDialog, OkStoresIntoTheProgramStepChosen) {
  Dialog s;
  s.Program({Winding(10, 0.5, 0, 20), Winding(20, 0.5, 0, 20), Winding(30, 0.5, 0, 20)});
  s.k.Program.AktKrok = 1;
  TKrok w = Winding(55, 0.5, 0, 20);
  w.Rozbeh = 3;
  s.Open(w, rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  s.d.sbKrokUp.Click();
  s.d.sbKrokUp.Click();
  s.d.sbDobehUp.Click();
  s.d.bOK.Click();
  EXPECT_EQ(s.k.Program.AktKrok, 3);
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[3].Hodnota), 55.0L);
  EXPECT_EQ(s.k.Program.Kroky[3].Rozbeh, 3);
  EXPECT_EQ(s.k.Program.Kroky[3].Dobeh, 2);
  EXPECT_EQ(s.k.Program.Kroky[3].PrevodOtacok, 1);
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[1].Hodnota), 10.0L);
  EXPECT_EQ(s.k.Program.Zmeneny, 1);
  EXPECT_EQ(s.okno.calls, (std::vector<std::string>{"ZobrazParametre 3", "RepaintLater"}));
  EXPECT_EQ(s.d.ModalResult, TModalResult::Ok);
}

TEST(StepDialog, OkWithoutAStepStoresNothingAndStaysOpen) {
  Dialog s;
  s.Program({Winding(10, 0.5, 0, 20)});
  const auto pred = s.k.Program.Kroky;
  s.k.Program.AktKrok = 0;
  s.Open(Winding(55, 0.5, 0, 20), rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  s.ui.ExpectError("WERT AUSSER BEREICH");
  s.d.bOK.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
  EXPECT_EQ(s.k.Program.Zmeneny, 0);
  EXPECT_EQ(s.d.ModalResult, TModalResult::None);
}

TEST(StepDialog, LayerEndRecountsTheTurnsAtOk) {
  Dialog s;
  s.Program({Winding(10, 1.0, 0, 20), Winding(10, 1.0, 0, 20)});
  s.k.Program.AktKrok = 2;
  TKrok w = Winding(999, 1.0, 0, 20);
  s.Open(w, rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  s.Toggle(s.d.chbVE);
  s.d.bOK.Click();
  TKrok ocakavany = w;
  ocakavany.VrstvaKoniec = 1;
  DopocitajZavity(s.k, ocakavany, 1);
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[2].Hodnota), static_cast<long double>(ocakavany.Hodnota));
  EXPECT_NE(static_cast<long double>(s.k.Program.Kroky[2].Hodnota), 999.0L);
}

TEST(StepDialog, ModesShowModalOrNot) {
  for (int mode : {rezim::kVrstvaPosuvAut, rezim::kVrstvaZavityAut, rezim::kPresun, 32, 33, 36}) {
    Dialog s;
    s.k.Dialogy.DruhEditacie = mode;
    EXPECT_EQ(s.d.Zobraz(), TModalResult::None);
    EXPECT_EQ(s.ui.shown, std::vector<std::string>{"Param"});
    s.d.bCANCEL.Click();
    EXPECT_FALSE(s.d.Visible);
  }
  for (int mode : {rezim::kPriamy, rezim::kDefZav, rezim::kVrstvaStop, rezim::kOlep, rezim::kSkok, 18, 19, 20, 21, 30, 31,
                   34, 35, 37, 38}) {
    Dialog s;
    s.k.Dialogy.DruhEditacie = mode;
    s.ui.ExpectModal("Param", [](TForm& f) { static_cast<TParam&>(f).bCANCEL.Click(); });
    EXPECT_EQ(s.d.Zobraz(), TModalResult::Cancel) << mode;
    s.ui.Verify();
  }
}

TEST(StepDialog, ChoicesWriteTheWorkingStepAtOnce) {
  Dialog s;
  TKrok w = Winding(10, 0.5, 0, 20);
  s.Open(w, rezim::kDefZav, true, [&] { s.d.ParamDefZav(); });
  s.d.rbLavy.Click();
  s.d.rbDolava.Click();
  s.d.rbSnimat.Click();
  s.d.rbPricitat.Click();
  s.k.Program.PracKrok.Nulovat = 1;
  s.d.rbNenulovat.Click();
  s.d.rgTypCyklu.ItemIndex = 2;
  s.d.rgTypCyklu.Click();
  s.d.pRTRAP_sklon.Click();
  s.Toggle(s.d.chbAMR);
  const TKrok& p = s.k.Program.PracKrok;
  EXPECT_EQ(p.SmerOtac, 1);
  EXPECT_EQ(p.SmerPosuvu, 1);
  EXPECT_EQ(p.Kryt, 1);
  EXPECT_EQ(p.Nulovat, 0);
  EXPECT_TRUE(s.d.rbNenulovat.Checked);
  EXPECT_FALSE(s.d.rbPricitat.Checked);
  EXPECT_EQ(p.TypCyklu, 2);
  EXPECT_EQ(p.TrapezPZnamienko, 1);
  EXPECT_EQ(s.d.pRTRAP_sklon.Caption, " Neigung: \\");
  EXPECT_EQ(p.AutManual, 1);
  // Automatic correction shows its two panels, lit.
  s.Toggle(s.d.chbAKP);
  EXPECT_TRUE(s.d.pAKP_LRev.Visible);
  EXPECT_EQ(s.d.pAKP_PRev.Color, clLime);
  s.Toggle(s.d.chbAKP);
  EXPECT_FALSE(s.d.pAKP_LRev.Visible);
  // The coordinate from a reversal point.
  s.d.pPReverz.Click();
  EXPECT_EQ(s.Real(s.k.Dialogy.Suradnica), 20.0L);
  EXPECT_EQ(s.d.pSuradnica.Caption, " KOORDINATE: 20.00");
}

}  // namespace
}  // namespace kvr
