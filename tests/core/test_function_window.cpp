#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "edit/step_dialog.h"
#include "model/context.h"
#include "model/program.h"
#include "support/station.h"
#include "support/steps.h"
#include "tools/keypad.h"
#include "ui/dgio_window.h"
#include "ui/function_window.h"
#include "ui/param_window.h"
#include "view/coil_drawing.h"

namespace kvr {
namespace {

using test::Shift;
using test::Still;
using test::Winding;

long double R(const Real48& x) { return static_cast<long double>(x); }
double D(const Real48& x) { return static_cast<double>(static_cast<long double>(x)); }

struct Functions : test::StationWithProgram {
  TfFunction& f = prog.fFunction;
  TfDgIO& io = prog.fDgIO;

  Functions() {
    prog.fParam.FormCreate();
    prog.fDgIO.FormCreate();
    for (int t = 0; t < 9; ++t) {
      TKrok& s = k.KonstKroky[static_cast<size_t>(t)];
      s = Winding(100 + t, 0.25, 5, 45);
      s.Rozbeh = s.Dobeh = 1;
    }
  }
  void Program(std::vector<TKrok> kroky) {
    for (TKrok& x : kroky) x.Rozbeh = x.Dobeh = 1;
    test::SetProgram(k, kroky);
    PrepocitajVrstvy(k);
  }
  // The operator opens the functions window and presses b in it.
  void Press(TControl TfFunction::*b) {
    ui.ExpectModal("fFunction", [this, b](TForm& w) {
      (f.*b).Click();
      EXPECT_NE(w.ModalResult, TModalResult::None) << "the window closes";
    });
  }
  std::function<void(TForm&)> Typed(std::string text) {
    return [this, text](TForm& w) {
      ASSERT_EQ(&w, &prog.fVstup);
      for (char c : text) prog.fVstup.KeyPress(c);
      prog.fVstup.ButtonOK.Click();
    };
  }
  bool Shown(const std::string& form) const { return std::count(ui.shown.begin(), ui.shown.end(), form) > 0; }
};

// --- The functions window --------------------------------------------------------------

TEST(FunctionWindow, TheMainWindowOpensItAndCloseClosesIt) {
  Functions s;
  s.ui.ExpectModal("fFunction", [&](TForm& w) {
    EXPECT_EQ(s.f.gFunkcie.Color, clMaroon);
    EXPECT_EQ(s.f.gFunkcie.FontColor, clWhite);
    s.f.bClose.Click();
    EXPECT_NE(w.ModalResult, TModalResult::None);
  });
  s.prog.stepKinds.bFunctions.Click();
  s.ui.Verify();
}

TEST(FunctionWindow, EachLayerFunctionOpensTheDialogInItsMode) {
  const struct {
    std::string name;
    TControl TfFunction::*button;
    int mode;
    int sablona;
    int druh;
    bool modal;
    std::string caption;
  } cases[] = {
      {"taping", &TfFunction::bFunkcia1, rezim::kOlep, 5, kDruhBandagieren, true,
       "BANDAGIEREN - leuchtende Parameter einzustellen "},
      {"layer stop", &TfFunction::bFunkcia2, rezim::kVrstvaStop, 4, 0x11, true,
       "LAGE STOP - leuchtende Parameter einzustellen "},
      {"feed from turns", &TfFunction::bFunkcia3, rezim::kVrstvaZavityAut, 3, kDruhWicklung, false, ""},
      {"turns from feed", &TfFunction::bFunkcia4, rezim::kVrstvaPosuvAut, 2, kDruhWicklung, false, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Functions s;
    s.Program({Winding(10, 0.5, 0, 50), Winding(20, 0.5, 0, 50)});
    s.k.Program.AktKrok = 1;
    s.k.KonstKroky[4].Druh = 0x11;  // the layer stop template keeps its own kind
    s.k.KonstKroky[static_cast<size_t>(c.sablona)].Druh = 0x11;
    s.Press(c.button);
    if (c.modal) {
      s.ui.ExpectModal("Param", [&](TForm& d) {
        auto& p = static_cast<TParam&>(d);
        EXPECT_EQ(p.Caption, c.caption);
        EXPECT_TRUE(p.bReplace.Enabled);
        EXPECT_TRUE(p.bInsert.Enabled);
        EXPECT_FALSE(p.bOK.Enabled);
        p.bCANCEL.Click();
      });
    }
    s.f.Otvor();
    s.ui.Verify();
    EXPECT_EQ(s.k.Dialogy.DruhEditacie, c.mode);
    EXPECT_EQ(s.k.Program.PracKrok.Druh, c.druh);
    EXPECT_EQ(R(s.k.Program.PracKrok.Hodnota), 100.0L + c.sablona);
    EXPECT_EQ(s.Shown("Param"), !c.modal);
    // Nothing is stored by opening.
    EXPECT_EQ(R(s.k.Program.Kroky[1].Hodnota), 10.0L);
    EXPECT_EQ(s.k.Program.PocetKrokov, 2);
  }
}

TEST(FunctionWindow, SpreadAllOnlyForAWindingsStep) {
  Functions s;
  s.Program({Still(kDruhPause, 500), Winding(20, 0.5, 0, 50)});
  s.k.Program.AktKrok = 1;
  s.Press(&TfFunction::bFunkcia5);
  s.f.Otvor();
  s.ui.Verify();
  EXPECT_NE(s.k.Dialogy.DruhEditacie, rezim::kSpreadVinutie);

  s.k.Program.AktKrok = 2;
  s.Press(&TfFunction::bFunkcia5);
  s.ui.ExpectModal("Param", [&](TForm& d) {
    EXPECT_EQ(d.Caption, "SPREIZEN ALLES - leuchtende Parameter einzustellen ");
    static_cast<TParam&>(d).bCANCEL.Click();
  });
  s.f.Otvor();
  s.ui.Verify();
  EXPECT_EQ(s.k.Dialogy.DruhEditacie, rezim::kSpreadVinutie);
  EXPECT_EQ(R(s.k.Program.PracKrok.Hodnota), 20.0L);
}

TEST(FunctionWindow, SpreadLayerFromALayerEndingInside) {
  Functions s;
  // From 10 to the right with feed 0.5: 14.72 turns end at 17.36.
  s.Program({Shift(10), Winding(14.72L, 0.5, 10, 30, 0, 1), Winding(5, 0.5, 10, 30)});
  ASSERT_NEAR(D(s.Bod(2).Poloha), 17.36, 1e-9);
  ASSERT_EQ(s.Bod(2).Smer, 0);
  s.k.Program.AktKrok = 2;
  s.Press(&TfFunction::bFunkcia6);
  s.ui.ExpectModal("Param", [&](TForm& d) {
    auto& p = static_cast<TParam&>(d);
    EXPECT_EQ(s.k.Dialogy.DruhEditacie, rezim::kSpreadVrstva);
    EXPECT_EQ(p.Caption, "SPREIZEN LAGE - leuchtende Parameter einzustellen ");
    EXPECT_TRUE(p.pSpreadZav2.Visible);
    p.bCANCEL.Click();
  });
  s.f.Otvor();
  s.ui.Verify();
  const TDialogy& d = s.k.Dialogy;
  EXPECT_NEAR(D(d.SpreadPoloha), 17.36, 1e-9);
  EXPECT_NEAR(D(d.SpreadDraha), 7.36, 1e-9);
  EXPECT_NEAR(D(d.SpreadZavity), 14.7, 1e-9);
  EXPECT_NEAR(D(d.Suradnica), 17.4, 1e-9);
  EXPECT_EQ(R(s.k.Program.PracKrok.Hodnota), R(Real48(14.72L)));
}

TEST(FunctionWindow, SpreadLayerRunningLeftMeasuresFromTheRightPoint) {
  Functions s;
  // One full layer to the right, then 10 turns back from 30: ends at 25.
  s.Program({Shift(10), Winding(50, 0.5, 10, 30, 0, 1)});
  ASSERT_EQ(s.Bod(2).Smer, 1);
  s.k.Program.AktKrok = 2;
  s.Press(&TfFunction::bFunkcia6);
  s.ui.ExpectModal("Param", [&](TForm& d) { static_cast<TParam&>(d).bCANCEL.Click(); });
  s.f.Otvor();
  s.ui.Verify();
  EXPECT_NEAR(D(s.k.Dialogy.SpreadDraha), 5.0, 1e-9);
  EXPECT_NEAR(D(s.k.Dialogy.SpreadZavity), 10.0, 1e-9);
  EXPECT_NEAR(D(s.k.Dialogy.Suradnica), 25.0, 1e-9);
}

TEST(FunctionWindow, SpreadLayerOnAStepEndingAtItsReversalPointOpensNothing) {
  Functions s;
  s.Program({Shift(10), Winding(40, 0.5, 10, 30, 0, 1), Still(kDruhPause, 100)});
  for (int n : {2, 3}) {
    SCOPED_TRACE(n);
    s.k.Program.AktKrok = n;
    s.k.Dialogy.DruhEditacie = 0;
    s.Press(&TfFunction::bFunkcia6);
    s.f.Otvor();
    s.ui.Verify();
    EXPECT_EQ(s.k.Dialogy.DruhEditacie, 0);
  }
}

TEST(FunctionWindow, ChamberShiftWithoutAChamberGoesToTheShiftTemplate) {
  Functions s;
  s.Program({Winding(10, 0.5, 0, 50)});
  s.k.Program.AktKrok = 1;
  s.k.KonstKroky[6] = Shift(33);
  s.k.AktKomora = 3;
  s.Press(&TfFunction::bFunkcia7);
  s.ui.ExpectModal("Vstup", [&](TForm& w) {
    EXPECT_EQ(s.prog.fVstup.Caption, "GEBE KAMMERNR EIN");
    EXPECT_FALSE(s.prog.fVstup.ButtonBODKA.Enabled);
    EXPECT_EQ(s.k.Dialogy.DruhParametra, 20);
    s.Typed("0")(w);
  });
  s.f.Otvor();
  s.ui.Verify();
  EXPECT_TRUE(s.prog.fVstup.ButtonBODKA.Enabled);
  EXPECT_EQ(s.k.AktKomora, 0);
  EXPECT_EQ(s.k.Dialogy.DruhEditacie, rezim::kPresun);
  EXPECT_EQ(s.k.Program.PracKrok.Druh, kDruhVerschiebung);
  EXPECT_EQ(R(s.k.Dialogy.Suradnica), 33.0L);
  EXPECT_TRUE(s.Shown("Param"));
}

TEST(FunctionWindow, ChamberShiftIntoAChamberTakesItsWalls) {
  Functions s;
  s.Program({Winding(10, 0.5, 0, 50)});
  s.k.Program.AktKrok = 1;
  s.k.Kostricka.Komory[0] = {0.0L, 40.0L};
  s.k.Kostricka.Komory[1] = {50.0L, 90.0L};
  s.k.Kostricka.Abstand = 5.0L;
  s.Press(&TfFunction::bFunkcia7);
  s.ui.ExpectModal("Vstup", s.Typed("2"));
  s.f.Otvor();
  s.ui.Verify();
  EXPECT_EQ(s.k.AktKomora, 2);
  EXPECT_EQ(R(s.k.Program.PracKrok.LRev), 55.0L);
  EXPECT_EQ(R(s.k.Program.PracKrok.PRev), 95.0L);
  EXPECT_EQ(R(s.k.Dialogy.Suradnica), 55.0L);
}

TEST(FunctionWindow, ChamberNumberAbove20IsRefused) {
  Functions s;
  s.Program({Winding(10, 0.5, 0, 50)});
  s.k.Program.AktKrok = 1;
  s.k.AktKomora = 1;
  s.k.Dialogy.DruhEditacie = 0;
  s.Press(&TfFunction::bFunkcia7);
  s.ui.ExpectModal("Vstup", s.Typed("21")).ExpectError("HODNOTA MIMO ROZSAH");
  s.f.Otvor();
  s.ui.Verify();
  EXPECT_EQ(s.k.AktKomora, 1);
  EXPECT_EQ(s.k.Dialogy.DruhEditacie, 0);
  EXPECT_FALSE(s.Shown("Param"));
  EXPECT_TRUE(s.prog.fVstup.ButtonBODKA.Enabled);
}

TEST(FunctionWindow, TapSplitsTheStep) {
  Functions s;
  s.Program({Shift(10), Winding(400, 0.5, 10, 30, 0, 1)});
  s.k.Program.AktKrok = 1;
  s.Press(&TfFunction::bOdbocka);
  s.ui.ExpectModal("Vstup", s.Typed("150"));
  s.f.Otvor();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.PocetKrokov, 3);
  EXPECT_EQ(R(s.k.Program.Kroky[2].Hodnota), 150.0L);
  EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");
}

// --- The digital inputs/outputs window -----------------------------------------------------

TEST(DgIOWindow, LevelsShowAndStoreOnlyTheTwoLevelBits) {
  Functions s;
  TKrok krok;
  krok.VystupStav(1) = 0x81;  // a low bit set
  krok.VystupStav(2) = 0xC0;
  krok.VystupStav(3) = 0x40;
  krok.VystupStav(5) = 0xFF;  // outputs 5 and 6 are not this window's
  krok.Vstup[4] = 3;
  krok.Vstup[0] = 7;  // no condition of the list: kept as it is
  s.io.Zobraz(krok);
  EXPECT_EQ(s.io.bSTART_O1.Caption, "H");
  EXPECT_EQ(s.io.bEND_O1.Caption, "L");
  EXPECT_EQ(s.io.bSTART_O2.Caption, "H");
  EXPECT_EQ(s.io.bEND_O2.Caption, "H");
  EXPECT_EQ(s.io.bSTART_O3.Caption, "L");
  EXPECT_EQ(s.io.bEND_O3.Caption, "H");
  EXPECT_EQ(s.io.bEND_O2.Tag, 1);
  EXPECT_EQ(s.io.bSTART_O3.Tag, 0);
  s.io.Uloz(krok);
  EXPECT_EQ(krok.VystupStav(1), 0x80);
  EXPECT_EQ(krok.VystupStav(2), 0xC0);
  EXPECT_EQ(krok.VystupStav(3), 0x40);
  EXPECT_EQ(krok.VystupStav(4), 0x00);
  EXPECT_EQ(krok.VystupStav(5), 0xFF);
  EXPECT_EQ(krok.Vstup[4], 3);
  EXPECT_EQ(krok.Vstup[0], 7);

  // A click toggles a level.
  s.io.bSTART_O4.Click();
  EXPECT_EQ(s.io.bSTART_O4.Caption, "H");
  s.io.bSTART_O1.Click();
  EXPECT_EQ(s.io.bSTART_O1.Caption, "L");
  s.io.Uloz(krok);
  EXPECT_EQ(krok.VystupStav(4), 0x80);
  EXPECT_EQ(krok.VystupStav(1), 0x00);
}

TEST(DgIOWindow, DelaysUpToTheBound) {
  Functions s;
  TKrok krok;
  krok.VystupOneskorenie(3) = 250;
  s.io.Zobraz(krok);
  EXPECT_EQ(s.io.bDelay_O3.Caption, "250");
  s.ui.ExpectModal("Vstup", [&](TForm& w) {
    EXPECT_EQ(s.prog.fVstup.Caption, "[0 - 60000 ]");
    s.Typed("60000")(w);
  });
  s.io.bDelay_O3.Click();
  EXPECT_EQ(s.io.bDelay_O3.Tag, 60000);
  EXPECT_EQ(s.io.bDelay_O3.Caption, "60000");
  s.ui.ExpectModal("Vstup", s.Typed("60001")).ExpectError("WERT AUSSER BEREICH");
  s.io.bDelay_O3.Click();
  EXPECT_EQ(s.io.bDelay_O3.Tag, 60000);
  s.ui.ExpectModal("Vstup", s.Typed("12.5"));  // rounded half to even
  s.io.bDelay_O1.Click();
  EXPECT_EQ(s.io.bDelay_O1.Caption, "12");
  s.ui.Verify();
  s.io.Uloz(krok);
  EXPECT_EQ(krok.VystupOneskorenie(3), 60000);
  EXPECT_EQ(krok.VystupOneskorenie(1), 12);
}

TEST(DgIOWindow, InputConditionsAreTheComboIndexes) {
  Functions s;
  EXPECT_EQ(s.io.ComboBoxIN3.Items,
            (std::vector<std::string>{"Eingang unaktiv", "ZYKLUSBRECHEN", "ZYKLUSSTART", "STARTBLOCKIERUNG"}));
  TKrok krok;
  krok.Vstup[0] = 2;
  krok.Vstup[3] = 1;
  s.io.Zobraz(krok);
  EXPECT_EQ(s.io.ComboBoxIN1.ItemIndex, 2);
  EXPECT_EQ(s.io.ComboBoxIN4.Tag, 1);
  s.io.ComboBoxIN2.ItemIndex = 3;  // as the binder does, then the event
  s.io.ComboBoxIN2.OnChange();
  s.io.Uloz(krok);
  EXPECT_EQ(krok.Vstup[0], 2);
  EXPECT_EQ(krok.Vstup[1], 3);
  EXPECT_EQ(krok.Vstup[3], 1);
}

TEST(DgIOWindow, TheMainWindowsLabelEditsTheCurrentStep) {
  Functions s;
  s.Program({Winding(10, 0.5, 0, 50), Winding(20, 0.5, 0, 50)});
  s.k.Program.AktKrok = 2;
  s.ui.ExpectModal("fDgIO", [&](TForm& w) {
    EXPECT_EQ(w.Caption, " EINGÄNGE / AUSGÄNGE ");
    s.io.bEND_O4.Click();
    s.io.bDgOK.Click();
  });
  s.prog.stepPanel.lbInOut.Click();
  EXPECT_EQ(s.k.Program.Kroky[2].VystupStav(4), 0x40);
  EXPECT_EQ(s.k.Program.Kroky[1].VystupStav(4), 0x00);
  EXPECT_NE(s.prog.stepPanel.lbInOut.Caption.find("OUT_4:  L - H"), std::string::npos);

  // Cancel keeps the step.
  s.ui.ExpectModal("fDgIO", [&](TForm&) {
    s.io.bSTART_O1.Click();
    s.io.bDgCancel.Click();
  });
  s.prog.stepPanel.lbInOut.Click();
  EXPECT_EQ(s.k.Program.Kroky[2].VystupStav(1), 0x00);
  s.ui.Verify();
}

TEST(DgIOWindow, TheStepDialogsPanelEditsTheWorkingStepOnly) {
  Functions s;
  s.Program({Winding(10, 0.5, 0, 50)});
  s.k.Program.AktKrok = 1;
  s.k.Program.PracKrok = s.k.Program.Kroky[1];
  s.ui.ExpectModal("fDgIO", [&](TForm&) {
    s.io.bSTART_O2.Click();
    s.io.bDgOK.Click();
  });
  s.prog.fParam.pInOut.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.PracKrok.VystupStav(2), 0x80);
  EXPECT_EQ(s.k.Program.Kroky[1].VystupStav(2), 0x00);
}

}  // namespace
}  // namespace kvr
