#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/online_senders.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/program.h"
#include "support/station.h"
#include "support/steps.h"
#include "tools/keypad.h"
#include "ui/param_window.h"
#include "view/step_panel_view.h"

namespace kvr {
namespace {

using test::Jump;
using test::Shift;
using test::Still;
using test::Winding;

// The names of the enabled controls, in the order of the struct.
std::string Povolene(const TStepPanelEnabled& e) {
  std::string s;
  auto daj = [&s](bool ano, const char* meno) {
    if (ano) s += std::string(s.empty() ? "" : " ") + meno;
  };
  daj(e.bNulovat, "bNulovat");
  daj(e.BZavity, "BZavity");
  daj(e.bOtacky, "bOtacky");
  daj(e.bRoDo, "bRoDo");
  daj(e.bKryt, "bKryt");
  daj(e.bPosuvMM, "bPosuvMM");
  daj(e.bLRev, "bLRev");
  daj(e.bPRev, "bPRev");
  daj(e.bTypCyklu, "bTypCyklu");
  daj(e.bSNav, "bSNav");
  daj(e.bSOtac, "bSOtac");
  daj(e.lbSF, "lbSF");
  daj(e.bVrstva, "bVrstva");
  daj(e.lbInOut, "lbInOut");
  return s;
}

// --- What the panel shows ----------------------------------------------------------

TEST(StepPanelView, EnabledControlsByDisplayedKindAndModel) {
  const std::string vinutie = "bNulovat BZavity bOtacky bRoDo bKryt bPosuvMM bLRev bPRev bTypCyklu bSNav bSOtac lbSF bVrstva lbInOut";
  const std::string paska = "bNulovat BZavity bOtacky bRoDo bKryt bLRev bPRev bTypCyklu bSOtac bVrstva lbInOut";
  const struct {
    int druh;
    std::string model;
    std::string enabled;
  } cases[] = {
      {kDruhWicklung, "KVR - 22", vinutie},
      {kDruhWicklung, "KVR - 100", "bNulovat BZavity bOtacky bRoDo bPosuvMM bLRev bPRev bTypCyklu bSNav bSOtac lbSF bVrstva lbInOut"},
      {kDruhVerschiebung, "KVR - 22", "BZavity bPosuvMM bTypCyklu bVrstva lbInOut"},
      {kDruhSprung, "KVR - 22", "BZavity bTypCyklu bSNav bVrstva lbInOut"},
      {kDruhPause, "KVR - 22", "BZavity bTypCyklu bVrstva lbInOut"},
      {kDruhGetriebe, "KVR - 60", "BZavity bTypCyklu bVrstva lbInOut"},
      {kDruhBandagieren, "KVR - 22", paska},
      {kDruhBandagieren, "KVR - 100", "bNulovat BZavity bOtacky bRoDo bLRev bPRev bTypCyklu bSOtac bVrstva lbInOut"},
      // "KVR - 100" is one model, not every model with 100 in its name.
      {kDruhBandagieren, "KVR - 150", paska},
      {kDruhLeer, "KVR - 22", ""},
      {7, "KVR - 22", ""},
      {0x11, "KVR - 22", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.druh) + " " + c.model);
    EXPECT_EQ(Povolene(StepPanelEnabled(c.druh, c.model)), c.enabled);
  }
}

TEST(StepPanelView, CaptionsOfEachKind) {
  test::ContextWithProgram s;
  TKrok w = Winding(1234.567, 0.5, 10.25, 99.999);
  w.Otacky = 1500;
  w.Rozbeh = 2;
  w.Dobeh = 7;
  w.TypCyklu = kCyklusAutSchnell;
  w.Nulovat = 1;
  w.SmerOtac = 2;
  w.SmerPosuvu = 1;
  w.Kryt = 1;
  w.Vrstvy = 12;
  TKrok sh = Shift(12.5);
  sh.RychPresun = 7;
  sh.Kryt = 2;
  sh.TypCyklu = 4;  // no item of the cycle group
  s.Program({w, sh, Jump(5, 0), Still(kDruhPause, 1500.5), Still(kDruhGetriebe, 0.125), Still(kDruhBandagieren, 3.125),
             Still(kDruhPause, 1501.5)},
            true);
  s.k.Program.AktKrok = 3;
  const TStepPanelTexts t1 = StepPanelTexts(s.k, 1);
  EXPECT_EQ(t1.gParam, "SCHRITT: 3 ");  // the current step's number, whichever step is shown
  EXPECT_EQ(t1.BZavity, "WINDUNGSZAHL:1234.57");
  EXPECT_EQ(t1.bPosuvMM, "VORSCH.[mm]: 0.500");
  EXPECT_EQ(t1.bLRev, " L.WENDEPUNKT: 10.25");
  EXPECT_EQ(t1.bPRev, " R.WENDEPUNKT: 100.00");
  EXPECT_EQ(t1.bRoDo, " BESCHL/ABBREMS: 27");
  EXPECT_EQ(t1.bOtacky, " DREHZAHL: 1500");
  EXPECT_EQ(t1.bTypCyklu, " ZYKLUSART: Aut.schnell");
  EXPECT_EQ(t1.bNulovat, " WINDUNGEN:  löschen ");
  EXPECT_EQ(t1.bSOtac, " DREHRICHTUNG: links");
  EXPECT_EQ(t1.bSNav, " VORSCH. RICHT. :  <--");
  EXPECT_EQ(t1.bKryt, " SCHILD: kippen");
  EXPECT_EQ(t1.bVrstva, " LAGE: 12");
  EXPECT_TRUE(t1.SpinButtonPosuvVisible);

  const TStepPanelTexts t2 = StepPanelTexts(s.k, 2);
  EXPECT_EQ(t2.BZavity, " KOORDINATE: 12.50");
  EXPECT_EQ(t2.bPosuvMM, "VORSCHUBGES. : 7");
  EXPECT_EQ(t2.bTypCyklu, " ZYKLUSART: ");
  EXPECT_EQ(t2.bNulovat, " WINDUNGEN: nicht löschen");
  EXPECT_EQ(t2.bSOtac, " DREHRICHTUNG: rechts");
  EXPECT_EQ(t2.bSNav, " VORSCH. RICHT. :  -->");
  EXPECT_EQ(t2.bKryt, " SCHILD: nicht kippen");
  EXPECT_FALSE(t2.SpinButtonPosuvVisible);

  const struct {
    int n;
    std::string zavity;
  } zavity[] = {
      {3, "SPRUNGLÄNGE5.00"},
      {4, "PAUSE [ms] :1500"},  // ties to even
      {7, "PAUSE [ms] :1502"},
      {5, "Getriebe: 12"},
      {6, "WINDUNGSZAHL:3.13"},
  };
  for (const auto& c : zavity) {
    SCOPED_TRACE(c.n);
    const TStepPanelTexts t = StepPanelTexts(s.k, c.n);
    EXPECT_EQ(t.BZavity, c.zavity);
    EXPECT_FALSE(t.SpinButtonPosuvVisible);
  }
}

TEST(StepPanelView, GearWarningOnlyForWindingsAtAnotherGear) {
  test::ContextWithProgram s;
  s.k.Stroj.Model = "KVR - 60";  // gear steps allowed
  s.k.Stroj.Prevod = 1;
  NastavModel(s.k);
  ASSERT_EQ(s.k.Stroj.MeniPrevod, 1);
  TKrok w1 = Winding(10, 0.5, 0, 50);
  w1.PrevodOtacok = 1;
  TKrok t3 = Still(kDruhBandagieren);
  t3.PrevodOtacok = 1;
  s.Program({w1, Still(kDruhGetriebe, 0.02), w1, t3});
  const struct {
    int n;
    TColor color;
  } cases[] = {{1, clBtnFace}, {2, clBtnFace}, {3, clRed}, {4, clBtnFace}};
  for (const auto& c : cases) EXPECT_EQ(StepPanelTexts(s.k, c.n).pOtackyWarning, c.color) << c.n;

  // Without gear steps the light stays off.
  s.k.Stroj.Model = "KVR - 22";
  NastavModel(s.k);
  EXPECT_EQ(StepPanelTexts(s.k, 3).pOtackyWarning, clBtnFace);
}

TEST(StepPanelView, SpecialFunctionsAreCentredInSevenLines) {
  const std::string h = "SPEZIELLE FUNKTIONEN";
  TKrok nic;
  TKrok jedna;
  jedna.VrstvaKoniec = 1;
  TKrok dve;
  dve.AutManual = 1;
  dve.TrapezL = -0.5L;  // a left flank either way is set
  TKrok nie;
  nie.VrstvaKoniec = 2;  // only 1 means set
  nie.VrstvaStop = 2;
  TKrok vsetky;
  vsetky.VrstvaKoniec = vsetky.VrstvaStop = vsetky.AutManual = vsetky.AutKorekcia = 1;
  vsetky.TrapezL = 0.1L;
  vsetky.TrapezP = 3.0L;
  const struct {
    std::string name;
    TKrok krok;
    std::string text;
  } cases[] = {
      {"none", nic, "\r\r\r" + h},
      {"one", jedna, "\r\r\r" + h + "\r- Layer End"},
      {"two", dve, "\r\r" + h + "\r- Aut. to Manual\r- Trapezoid Left"},
      {"not 1", nie, "\r\r\r" + h},
      {"all", vsetky,
       h + "\r- Layer End\r-Layer Stop\r- Aut. to Manual\r- Aut. Correction\r- Trapezoid Left\r- Trapezoid Right"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextSF(c.krok), c.text) << c.name;
}

TEST(StepPanelView, InputsAndOutputsAreCentredInSevenLines) {
  const std::string h = " EINGÄNGE / AUSGÄNGE ";
  const std::string nizke = "\rOUT_1:  L - L\rOUT_2:  L - L\rOUT_3:  L - L\rOUT_4:  L - L";
  auto krok = [](uint8_t v1, uint8_t v2, uint8_t v3, uint8_t v4) {
    TKrok k;
    k.Vstup[0] = v1;
    k.Vstup[1] = v2;
    k.Vstup[2] = v3;
    k.Vstup[3] = v4;
    k.Vstup[4] = 1;  // inputs 5 and 6 are never listed
    return k;
  };
  TKrok urovne = krok(9, 9, 9, 9);
  urovne.VystupStav(1) = 0x80;
  urovne.VystupStav(2) = 0x40;
  urovne.VystupStav(3) = 0xC0;
  urovne.VystupStav(4) = 0x3F;
  urovne.VystupStav(5) = 0xC0;  // output 5 is never listed
  const struct {
    std::string name;
    TKrok krok;
    std::string text;
  } cases[] = {
      {"no inputs", krok(4, 4, 4, 4), "\r" + h + "\r" + nizke},
      {"one input", krok(4, 2, 200, 4), "\r" + h + "\r" + "\rIN_2:  S" + nizke},
      {"two inputs", krok(0, 4, 4, 3), h + "\rIN_1:  NA\rIN_4:  SB" + nizke},
      {"four inputs", krok(0, 1, 2, 3), h + "\rIN_1:  NA\rIN_2:  I\rIN_3:  S\rIN_4:  SB" + nizke},
      {"levels", urovne, "\r" + h + "\r" + "\rOUT_1:  H - L\rOUT_2:  L - H\rOUT_3:  H - H\rOUT_4:  L - L"},
  };
  for (const auto& c : cases) EXPECT_EQ(TextIO(c.krok), c.text) << c.name;
}

TEST(StepPanelView, KeypadRequestOfEachButton) {
  test::ContextWithProgram s;  // "KVR - 22": 210 mm, gear 1 runs 3000
  s.Program({Winding(10, 0.5, 0, 50), Shift(20), Jump(5, 0), Still(kDruhPause, 100), Still(kDruhLeer),
             Still(kDruhBandagieren), Still(kDruhGetriebe, 0.01)});
  const std::optional<int> same;
  const struct {
    int step;
    TKeypadButton b;
    std::optional<int> druh;
    std::optional<std::string> prompt;
    TBodka bodka;
    long double max;
  } cases[] = {
      {1, TKeypadButton::BKrok, 1, "SCHRITT: [0 - 99]", TBodka::Off, 350},
      {1, TKeypadButton::BZavity, 2, " WINDUNGEN:   [0 - 99999.99]", TBodka::AsLeft, 100000},
      {2, TKeypadButton::BZavity, 14, "VERSCHIEBUNG [1..MaxBreite]", TBodka::AsLeft, 100000},
      {3, TKeypadButton::BZavity, same, "SPRUNG [mm]", TBodka::AsLeft, 100000},
      {4, TKeypadButton::BZavity, 26, "PAUSE  [1 - 60000]", TBodka::Off, 100000},
      {5, TKeypadButton::BZavity, same, std::nullopt, TBodka::AsLeft, 100000},
      {6, TKeypadButton::BZavity, same, std::nullopt, TBodka::AsLeft, 100000},
      {1, TKeypadButton::bLRev, 3, " L.WENDEPUNKT: [0 - 210.00 ]", TBodka::AsLeft, 210},
      {1, TKeypadButton::bPRev, 4, " R.WENDEPUNKT: [0 - 210.00 ]", TBodka::AsLeft, 210},
      {1, TKeypadButton::bPosuvMM, 15, "VORSCH.[mm]: [0 - 40]", TBodka::On, 40},
      {1, TKeypadButton::bOtacky, 8, " DREHZAHL: [1 - 3000]", TBodka::Off, 3000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.step) + " " + std::to_string(static_cast<int>(c.b)));
    s.k.Program.AktKrok = c.step;
    const auto r = KeypadRequest(s.k, c.b);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->DruhParametra, c.druh);
    EXPECT_EQ(r->Prompt, c.prompt);
    EXPECT_EQ(r->Bodka, c.bodka);
    EXPECT_EQ(r->Max, c.max);
    EXPECT_TRUE(r->Accepts(c.max));
    EXPECT_FALSE(r->Accepts(c.max + 0.001L));
  }
  // Only the step number has a lower bound.
  s.k.Program.AktKrok = 1;
  EXPECT_FALSE(KeypadRequest(s.k, TKeypadButton::BKrok)->Accepts(-1));
  EXPECT_TRUE(KeypadRequest(s.k, TKeypadButton::bOtacky)->Accepts(0));
  EXPECT_TRUE(KeypadRequest(s.k, TKeypadButton::bLRev)->Accepts(-5));
  // A gear step's value and a shift step's speed do not come from the keypad.
  s.k.Program.AktKrok = 7;
  EXPECT_FALSE(KeypadRequest(s.k, TKeypadButton::BZavity).has_value());
  s.k.Program.AktKrok = 2;
  EXPECT_FALSE(KeypadRequest(s.k, TKeypadButton::bPosuvMM).has_value());
}

// --- The panel on the main window -----------------------------------------------------

struct Panel : test::StationWithProgram {
  StepPanel& p = prog.stepPanel;

  // The operator types text on the keypad's keys and presses OK.
  std::function<void(TForm&)> Typed(std::string text) {
    return [this, text](TForm& f) {
      ASSERT_EQ(&f, &prog.fVstup);
      for (char c : text) prog.fVstup.KeyPress(c);
      prog.fVstup.ButtonOK.Click();
    };
  }
  // A value the keypad cannot type (a negative one) handed over as entered.
  std::function<void(TForm&)> Entered(long double v) {
    return [this, v](TForm& f) {
      k.Dialogy.VstupHodnota = v;
      f.Close(TModalResult::Ok);
    };
  }
  void Mark(std::initializer_list<int> kroky) {
    for (int i : kroky) k.Vyber.VybraneKroky[static_cast<size_t>(i)] = TVyber::kOznaceny;
  }
};

std::vector<TKrok> Desat() {
  std::vector<TKrok> v;
  for (int i = 1; i <= 10; ++i) v.push_back(Winding(100 + i, 0.5, i, 100 + i));
  return v;
}

TEST(StepPanel, MarkedStepsReceiveTheValueAndTheCurrentStepIsLeftAlone) {
  Panel s;
  s.Program(Desat());
  s.k.Program.AktKrok = 4;
  s.Mark({3, 5, 9});
  s.ui.ExpectModal("Vstup", s.Typed("42.5"));
  s.p.bLRev.Click();
  s.ui.Verify();
  for (int i = 1; i <= 10; ++i) {
    const long double ocakavane = (i == 3 || i == 5 || i == 9) ? 42.5L : i;
    EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[i].LRev), ocakavane) << i;
  }
  EXPECT_EQ(s.p.bLRev.Caption, " L.WENDEPUNKT: 4.00");
  EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");

  // Without marks the current step takes it.
  s.k.Vyber.ZrusVybraneKroky();
  s.ui.ExpectModal("Vstup", s.Typed("7"));
  s.p.bLRev.Click();
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[4].LRev), 7.0L);
  EXPECT_EQ(s.p.bLRev.Caption, " L.WENDEPUNKT: 7.00");
  s.ui.Verify();
}

TEST(StepPanel, RefusedValuesChangeNothing) {
  const struct {
    std::string name;
    TControl StepPanel::*button;
    long double value;
    std::string message;
  } cases[] = {
      {"left point beyond the machine", &StepPanel::bLRev, 210.01L, "WERT AUSSER BEREICH"},
      {"right point beyond the machine", &StepPanel::bPRev, 300, "WERT AUSSER BEREICH"},
      {"right point left of the left one", &StepPanel::bPRev, 3.99L, " : L.Wendepunkt > R.Wendepunkt "},
      {"turns", &StepPanel::BZavity, 100000.01L, "WERT AUSSER BEREICH"},
      {"feed", &StepPanel::bPosuvMM, 40.001L, "WERT AUSSER BEREICH"},
      {"speed", &StepPanel::bOtacky, 3001, "WERT AUSSER BEREICH"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Panel s;
    s.Program(Desat());
    s.k.Program.AktKrok = 4;
    s.Mark({4, 6});
    const TKrokyPole pred = s.k.Program.Kroky;
    s.ui.ExpectModal("Vstup", s.Entered(c.value)).ExpectError(c.message);
    (s.p.*c.button).Click();
    s.ui.Verify();
    EXPECT_TRUE(s.k.Program.Kroky == pred);
    EXPECT_TRUE(s.ui.invalidated.empty());
  }
}

TEST(StepPanel, OnlyTheUpperBoundIsChecked) {
  Panel s;
  s.Program({Still(kDruhPause, 100), Winding(10, 0.5, 0, 50)});
  s.k.Program.AktKrok = 1;
  s.ui.ExpectModal("Vstup", [&](TForm& f) {
    EXPECT_FALSE(s.prog.fVstup.ButtonBODKA.Enabled);  // a pause is whole milliseconds
    s.Typed("70000")(f);
  });
  s.p.BZavity.Click();
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[1].Hodnota), 70000.0L);
  EXPECT_EQ(s.p.BZavity.Caption, "PAUSE [ms] :70000");

  s.k.Program.AktKrok = 2;
  s.k.Program.Kroky[2].Otacky = 1500;
  s.ui.ExpectModal("Vstup", s.Typed("0"));
  s.p.bOtacky.Click();
  EXPECT_EQ(static_cast<int32_t>(s.k.Program.Kroky[2].Otacky), 0);
  EXPECT_EQ(s.p.bOtacky.Caption, " DREHZAHL: 0");
  s.ui.Verify();
}

TEST(StepPanel, SpeedAndFeedAreRoundedToWhatTheMachineRuns) {
  Panel s;  // "KVR - 22", gear 1: 3000 revolutions at most
  s.Program({Winding(10, 0.5, 0, 50)});
  s.k.Program.AktKrok = 1;
  const struct {
    std::string typed;
    int32_t otacky;
  } cases[] = {{"1", 3}, {"1500", ZaokruhliOtacky(s.k.Stroj, 1, 1500)}, {"3000", 3000}};
  for (const auto& c : cases) {
    s.ui.ExpectModal("Vstup", s.Typed(c.typed));
    s.p.bOtacky.Click();
    EXPECT_EQ(static_cast<int32_t>(s.k.Program.Kroky[1].Otacky), c.otacky) << c.typed;
    EXPECT_EQ(s.k.Program.Kroky[1].PrevodOtacok, 1);
  }
  // The feed is cut by the keypad to five decimals, rounded to 0.001, then to
  // the machine's divisor.
  s.prog.fVstup.ButtonBODKA.Enabled = false;
  s.ui.ExpectModal("Vstup", [&](TForm& f) {
    EXPECT_TRUE(s.prog.fVstup.ButtonBODKA.Enabled);
    s.Typed("0.12349")(f);
  });
  s.p.bPosuvMM.Click();
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[1].PosuvMM),
            static_cast<long double>(Real48(ZaokruhliPosuv(s.k.Stroj, 0.123L))));
  s.ui.Verify();
}

TEST(StepPanel, LayerEndWindingsRecountTheirTurnsWhenTheirEndMoves) {
  Panel s;
  TKrok w = Winding(10, 0.5, 0, 50);
  w.VrstvaKoniec = 1;
  s.Program({Shift(10), w, Winding(10, 0.5, 0, 50)});
  s.k.BodyKrokov[1].Poloha = 10.0L;  // where the step before ends
  s.k.BodyKrokov[2].Poloha = 50.0L;
  s.k.Program.AktKrok = 2;
  s.Mark({2, 3});
  s.ui.ExpectModal("Vstup", s.Typed("60"));
  s.p.bPRev.Click();
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[2].Hodnota), 100.0L);  // (60 - 10) / 0.5
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[3].Hodnota), 10.0L);   // no layer end
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[3].PRev), 60.0L);
  s.ui.Verify();
}

TEST(StepPanel, ShowingAStepWithoutRunUpStoresOne) {
  Panel s;
  TKrok w = Winding(10, 0.5, 0, 50);
  w.Rozbeh = 0;
  w.Dobeh = 0;
  TKrok w2 = w;
  w2.Dobeh = 4;
  s.Program({w, w2});
  s.k.Program.AktKrok = 1;
  s.prog.ZobrazParametre(1);
  EXPECT_EQ(s.k.Program.Kroky[1].Rozbeh, 1);
  EXPECT_EQ(s.k.Program.Kroky[1].Dobeh, 1);
  EXPECT_EQ(s.p.bRoDo.Caption, " BESCHL/ABBREMS: 11");
  s.prog.ZobrazParametre(2);
  EXPECT_EQ(s.p.bRoDo.Caption, " BESCHL/ABBREMS: 14");
  EXPECT_EQ(s.k.Program.Kroky[2].Dobeh, 4);
}

TEST(StepPanel, ShowingAppliesTheEnablingAndTheSummaries) {
  Panel s;
  TKrok w = Winding(10, 0.5, 0, 50);
  w.AutKorekcia = 1;
  s.Program({w, Still(kDruhBandagieren), Still(kDruhLeer)});
  s.k.Program.AktKrok = 1;
  s.prog.ZobrazParametre(1);
  EXPECT_TRUE(s.p.gParam.Visible);
  EXPECT_TRUE(s.p.lbSF.Enabled);
  EXPECT_TRUE(s.p.SpinButtonPosuv.Visible);
  EXPECT_EQ(s.p.lbSF.Caption, TextSF(w));
  EXPECT_EQ(s.p.lbInOut.Caption, TextIO(w));
  s.prog.ZobrazParametre(2);
  EXPECT_FALSE(s.p.lbSF.Enabled);
  EXPECT_FALSE(s.p.bPosuvMM.Enabled);
  EXPECT_TRUE(s.p.bKryt.Enabled);
  EXPECT_FALSE(s.p.SpinButtonPosuv.Visible);
  EXPECT_EQ(s.p.BZavity.Caption, "WINDUNGSZAHL:0.00");
  s.prog.ZobrazParametre(3);
  EXPECT_FALSE(s.p.BZavity.Enabled);
  EXPECT_FALSE(s.p.bVrstva.Enabled);
  EXPECT_FALSE(s.p.lbInOut.Enabled);
  s.prog.ZobrazParametre(0);
  EXPECT_FALSE(s.p.gParam.Visible);
  EXPECT_EQ(s.p.BKrok.Caption, "SCHRITT: 0");
}

TEST(StepPanel, StepButtonAcceptsUpTo350AndClearsTheBlock) {
  const struct {
    long double value;
    bool accepted;
    int akt;
  } cases[] = {{350, true, 350}, {0, true, 0}, {7.9L, true, 7}, {-1, false, 4}, {351, false, 4}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<double>(c.value));
    Panel s;
    s.Program(Desat());
    s.k.Program.AktKrok = 4;
    s.k.Vyber.BlokOd = 2;
    s.k.Vyber.BlokDo = 5;
    s.Mark({2, 3, 4, 5});
    s.prog.ZobrazParametre(4);
    s.ui.ExpectModal("Vstup", [&](TForm& f) {
      EXPECT_EQ(f.Caption, "SCHRITT: [0 - 99]");
      EXPECT_EQ(s.k.Dialogy.DruhParametra, 1);
      EXPECT_FALSE(s.prog.fVstup.ButtonBODKA.Enabled);
      s.Entered(c.value)(f);
    });
    if (!c.accepted) s.ui.ExpectError("WERT AUSSER BEREICH");
    s.p.BKrok.Click();
    s.ui.Verify();
    EXPECT_EQ(s.k.Program.AktKrok, c.akt);
    EXPECT_EQ(s.p.BKrok.Caption, "SCHRITT: " + std::to_string(c.akt));
    if (c.accepted) {
      EXPECT_EQ(s.k.Vyber.BlokOd, c.akt);
      EXPECT_EQ(s.k.Vyber.BlokDo, c.akt);
      EXPECT_FALSE(s.k.Vyber.TestVybraneKroky());
      EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");
    } else {
      EXPECT_EQ(s.k.Vyber.BlokDo, 5);
      EXPECT_TRUE(s.ui.invalidated.empty());
    }
  }
}

TEST(StepPanel, SpinnerMovesTheCurrentStepWithinItsRange) {
  Panel s;
  s.Program(Desat());
  s.k.Program.AktKrok = 0;
  s.p.SpinButton1Down.Click();
  EXPECT_EQ(s.k.Program.AktKrok, 0);
  s.p.SpinButton1Up.Click();
  EXPECT_EQ(s.k.Program.AktKrok, 1);
  EXPECT_EQ(s.p.BKrok.Caption, "SCHRITT: 1");
  EXPECT_TRUE(s.p.gParam.Visible);
  EXPECT_EQ(s.p.BZavity.Caption, "WINDUNGSZAHL:101.00");
  // No block, no marks: none appears.
  EXPECT_EQ(s.k.Vyber.BlokOd, 0);
  s.k.Vyber.BlokOd = 1;
  s.k.Vyber.BlokDo = 3;
  s.p.SpinButton1Up.Click();
  EXPECT_EQ(s.k.Program.AktKrok, 2);
  EXPECT_EQ(s.k.Vyber.BlokOd, 2);
  EXPECT_EQ(s.k.Vyber.BlokDo, 2);
  s.Mark({7});
  s.p.SpinButton1Down.Click();
  EXPECT_EQ(s.k.Program.AktKrok, 1);
  EXPECT_FALSE(s.k.Vyber.Oznaceny(7));
  EXPECT_EQ(s.k.Vyber.BlokOd, 1);
  s.k.Program.AktKrok = kMaxKrokov;
  s.p.SpinButton1Up.Click();
  EXPECT_EQ(s.k.Program.AktKrok, kMaxKrokov);
  // Online the machine moves the current step; nothing changes here. Without
  // the link the operator is told once that the machine did not get it.
  s.k.Program.AktKrok = 5;
  s.k.Program.Online = 1;
  s.ui.ExpectError(std::string(kZmenaLenVPC));
  s.p.SpinButton1Up.Click();
  s.p.SpinButton1Down.Click();
  EXPECT_EQ(s.k.Program.AktKrok, 5);
}

TEST(StepPanel, GearWarningClickWarnsWhenRedThenAsksForTheSpeed) {
  for (bool cerveny : {true, false}) {
    SCOPED_TRACE(cerveny);
    Panel s;
    s.k.Stroj.Model = "KVR - 60";  // gears 500 and 3000
    s.k.Stroj.Prevod = 1;
    NastavModel(s.k);
    TKrok w = Winding(10, 0.5, 0, 50);
    w.PrevodOtacok = cerveny ? 1 : 2;
    s.Program({Still(kDruhGetriebe, 0.02), w});
    s.k.Program.AktKrok = 2;
    s.prog.ZobrazParametre(2);
    EXPECT_EQ(s.p.pOtackyWarning.Color, cerveny ? clRed : clBtnFace);
    if (cerveny) s.ui.ExpectError(" Drehzahl ist fur andere Getriebe programmiert ! ");
    s.ui.ExpectModal("Vstup", [&](TForm& f) {
      EXPECT_EQ(f.Caption, " DREHZAHL: [1 - 3000]");
      s.Typed("2000")(f);
    });
    s.p.pOtackyWarning.Click();
    s.ui.Verify();
    EXPECT_EQ(s.k.Program.Kroky[2].PrevodOtacok, 2);
    EXPECT_EQ(s.p.pOtackyWarning.Color, clBtnFace);
  }
}

TEST(StepPanel, KeypadKeepsWhatThePreviousCallerLeft) {
  Panel s;
  s.Program({Winding(10, 0.5, 0, 50), Jump(5, 0)});
  s.k.Program.AktKrok = 1;
  s.ui.ExpectModal("Vstup", s.Typed("1.5"));
  s.p.bPosuvMM.Click();  // code 15: five decimals
  s.k.Program.AktKrok = 2;
  s.ui.ExpectModal("Vstup", [&](TForm& f) {
    EXPECT_EQ(f.Caption, "SPRUNG [mm]");
    EXPECT_EQ(s.k.Dialogy.DruhParametra, 15);
    s.Typed("12.3456")(f);
  });
  s.p.BZavity.Click();
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[2].Hodnota), static_cast<long double>(Real48(12.3456L)));
  s.ui.Verify();
}

TEST(StepPanel, CancelledKeypadChangesNothing) {
  Panel s;
  s.Program(Desat());
  s.k.Program.AktKrok = 2;
  const TKrokyPole pred = s.k.Program.Kroky;
  s.ui.ExpectModal("Vstup", [](TForm& f) { f.Close(TModalResult::Cancel); });
  s.p.BZavity.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
  EXPECT_TRUE(s.ui.invalidated.empty());
}

}  // namespace
}  // namespace kvr

namespace kvr {
namespace {

// --- Parameters changed in the step dialog ----------------------------------------------

struct DialogPanel : Panel {
  DialogPanel() { prog.fParam.FormCreate(); }
  // A radio button clicked as the binder does: on, its siblings off, then its handler.
  static void Pick(TForm& f, TControl& r) {
    for (TControl* o : f.Controls())
      if (o->Kind() == TControlKind::RadioButton && o->Parent == r.Parent) o->Checked = false;
    r.Checked = true;
    r.Click();
  }
  // The operator in the step dialog: acts, then presses OK.
  std::function<void(TForm&)> InDialog(std::function<void(TParam&)> act) {
    return [act](TForm& f) {
      auto& d = static_cast<TParam&>(f);
      act(d);
      d.bOK.Click();
    };
  }
};

TEST(StepPanelDialog, MarkedStepsReceiveTheChoiceAndTheCurrentStepTheWholeDialog) {
  DialogPanel s;
  s.Program(Desat());
  s.k.Program.AktKrok = 4;
  s.Mark({3, 5, 9});
  s.ui.ExpectModal("Param", s.InDialog([&](TParam& d) {
    EXPECT_EQ(d.pKryt.Color, clLime);
    EXPECT_TRUE(d.pKryt.Enabled);
    EXPECT_FALSE(d.pSOtac.Enabled);
    EXPECT_FALSE(d.gbKomorka.Visible);
    DialogPanel::Pick(d, d.rbSnimat);
  }));
  s.p.bKryt.Click();
  s.ui.Verify();
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(s.k.Program.Kroky[i].Kryt, (i == 3 || i == 4 || i == 5 || i == 9) ? 1 : 0) << i;
  EXPECT_EQ(s.p.bKryt.Caption, " SCHILD: kippen");
  EXPECT_EQ(s.k.Program.Zmeneny, 1);
}

TEST(StepPanelDialog, CancelChangesNothing) {
  DialogPanel s;
  s.Program(Desat());
  s.k.Program.AktKrok = 2;
  s.p.ZobrazParametre(2);
  const auto pred = s.k.Program.Kroky;
  s.ui.ExpectModal("Param", [](TForm& f) {
    auto& d = static_cast<TParam&>(f);
    DialogPanel::Pick(d, d.rbLavy);
    d.bCANCEL.Click();
  });
  s.p.bSOtac.Click();
  s.ui.Verify();
  EXPECT_TRUE(s.k.Program.Kroky == pred);
}

TEST(StepPanelDialog, SpecialFunctionsAndCycleTypeGoToEveryMarkedStep) {
  DialogPanel s;
  s.Program(Desat());
  s.k.Program.AktKrok = 2;
  s.Mark({2, 6});
  s.ui.ExpectModal("Param", s.InDialog([&](TParam& d) {
    EXPECT_TRUE(d.pLTRAP_hodnota.Enabled);
    EXPECT_EQ(d.pLTRAP_hodnota.Color, clBtnFace);
    EXPECT_EQ(d.rgTrapezoid.Color, clLime);
    d.chbVS.Checked = true;
    d.chbVS.Click();
    d.pLTRAP_sklon.Click();
  }));
  s.p.lbSF.Click();
  for (int i : {2, 6}) {
    EXPECT_EQ(s.k.Program.Kroky[i].VrstvaStop, 1) << i;
    EXPECT_EQ(s.k.Program.Kroky[i].TrapezLZnamienko, 1) << i;
  }
  EXPECT_EQ(s.k.Program.Kroky[3].VrstvaStop, 0);
  EXPECT_NE(s.p.lbSF.Caption.find("-Layer Stop"), std::string::npos);

  // The cycle type recounts the program: an "Ende" in the middle ends it.
  s.k.Vyber.ZrusVybraneKroky();
  s.k.Program.AktKrok = 5;
  s.ui.ExpectModal("Param", s.InDialog([](TParam& d) {
    d.rgTypCyklu.ItemIndex = kCyklusEnde;
    d.rgTypCyklu.Click();
  }));
  s.p.bTypCyklu.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.Kroky[5].TypCyklu, kCyklusEnde);
  EXPECT_EQ(s.k.Program.KrokEnde, 5);
  EXPECT_EQ(s.p.bTypCyklu.Caption, " ZYKLUSART: Ende");
}

TEST(StepPanelDialog, AShiftsSpeedGoesOnlyToMarkedShifts) {
  DialogPanel s;
  std::vector<TKrok> v = Desat();
  v[1] = Shift(50);
  v[1].RychPresun = 50;
  v[6] = Shift(80);
  v[6].RychPresun = 10;
  v[6].PosuvMM = 10.0L;
  s.Program(v);
  s.k.Program.AktKrok = 2;
  s.Mark({2, 3, 7});
  s.ui.ExpectModal("Param", s.InDialog([](TParam& d) {
    EXPECT_TRUE(d.pRychPresun.Visible);
    EXPECT_EQ(d.pRychPresun.Color, clLime);
    EXPECT_TRUE(d.rb50.Checked);
    DialogPanel::Pick(d, d.rb25);
  }));
  s.p.bPosuvMM.Click();
  s.ui.Verify();
  for (int i : {2, 7}) {
    EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[i].PosuvMM), 25.0L) << i;
    EXPECT_EQ(s.k.Program.Kroky[i].RychPresun, 25) << i;
  }
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[3].PosuvMM), 0.5L);
  EXPECT_EQ(s.p.bPosuvMM.Caption, "VORSCHUBGES. : 25");
}

TEST(StepPanelDialog, AGearStepChangesItsGearInTheGearDialog) {
  DialogPanel s;
  s.k.Stroj.Model = "KVR - 60";
  NastavModel(s.k);
  s.Program({Winding(10, 0.5, 0, 20), test::Still(kDruhGetriebe, 0.01L), Winding(10, 0.5, 0, 20)});
  s.k.Program.AktKrok = 2;
  s.ui.ExpectModal("Param", s.InDialog([](TParam& d) {
    EXPECT_TRUE(d.rbGear_1.Checked);
    EXPECT_EQ(d.pPrevod.Color, clLime);
    DialogPanel::Pick(d, d.rbGear_2);
  }));
  s.p.BZavity.Click();
  s.ui.Verify();
  EXPECT_EQ(static_cast<long double>(s.k.Program.Kroky[2].Hodnota), static_cast<long double>(Real48(0.02L)));
  EXPECT_EQ(s.p.BZavity.Caption, "Getriebe: 2");
}

}  // namespace
}  // namespace kvr
