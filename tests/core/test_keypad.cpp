#include <gtest/gtest.h>

#include <string>

#include "model/real48.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "tools/up_down.h"
#include "tools/keypad.h"
#include "tools/text_input.h"
#include "model/context.h"
#include "ui/main_window.h"

namespace kvr {
namespace {

long double Ulozene(long double x) { return static_cast<long double>(Real48(x)); }

// --- Keypad ------------------------------------------------------------------

class VstupTest : public ::testing::Test {
 protected:
  // Presses the keypad's on-screen keys for the characters of s.
  void Klikaj(const std::string& s) {
    for (char c : s) {
      TControl* b = c == '.' ? &f.ButtonBODKA : f.FindControl(std::string("Button") + c);
      ASSERT_NE(b, nullptr) << c;
      b->Click();
    }
  }
  void Pis(const std::string& s) {
    for (char c : s) EXPECT_TRUE(f.KeyPress(c)) << int(c);
  }

  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TVstup f{k};
};

TEST_F(VstupTest, AcceptedEntryIsCutByTheParameterCode) {
  const struct {
    int druh;
    std::string typed;
    std::string text;
    long double value;
  } cases[] = {
      {2, "3.14159", "3.14", 3.14L},
      {3, "5.999", "5.99", 5.99L},
      {4, "120.125", "120.12", 120.12L},
      {14, "250.555", "250.55", 250.55L},
      {15, "0.1234567", "0.12345", 0.12345L},
      {18, "10.25", "10.2", 10.2L},
      {7, "1.2.3", "1.2", 1.2L},
      {1, "12.", "12", 12.0L},
      {1, "007", "007", 7.0L},
      {2, ".5", ".5", 0.5L},
      {1, "1234567890123456789012345", "12345678901234567890", 12345678901234567890.0L},
      // Cut to 20 first: the point becomes the last character and goes.
      {2, "1234567890123456789.55", "1234567890123456789", 1234567890123456789.0L},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    k.Dialogy.DruhParametra = c.druh;
    k.Program.Zmeneny = 0;
    ui.ExpectModal("Vstup", [&](TForm&) {
      Klikaj(c.typed);
      EXPECT_EQ(f.Panel1.Caption, c.typed);
      f.ButtonOK.Click();
    });
    EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
    EXPECT_EQ(k.Dialogy.VstupText, c.text);
    EXPECT_EQ(static_cast<long double>(k.Dialogy.VstupHodnota), Ulozene(c.value));
    EXPECT_EQ(k.Program.Zmeneny, 1);
  }
  ui.Verify();
}

TEST_F(VstupTest, UnconvertibleEntryKeepsTheKeypadOpenWithTheDisplayEmptied) {
  const struct {
    int druh;
    std::string typed;
  } cases[] = {{1, ""}, {1, "."}, {1, ".."}, {1, "1..5"}, {15, "1..5"}, {2, "3.1.4"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    k.Dialogy.DruhParametra = c.druh;
    k.Dialogy.VstupHodnota = 5.0L;
    k.Program.Zmeneny = 0;
    f.ButtonBODKA.Enabled = true;
    ui.ExpectModal("Vstup", [&](TForm&) {
      Klikaj(c.typed);
      ui.ExpectError("DATEN UNKORREKT");
      f.ButtonOK.Click();
      EXPECT_TRUE(ui.Done());
      EXPECT_EQ(f.ModalResult, TModalResult::None);
      EXPECT_TRUE(f.Visible);
      EXPECT_EQ(f.Panel1.Caption, "");
      EXPECT_EQ(k.Dialogy.VstupText, "");
      // Overwritten, so nobody reads the previous entry's value as this one.
      EXPECT_EQ(static_cast<long double>(k.Dialogy.VstupHodnota), 0.0L);
      EXPECT_EQ(k.Program.Zmeneny, 0);
      // The operator tries again.
      Klikaj("7");
      f.ButtonOK.Click();
    });
    EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
    EXPECT_EQ(k.Dialogy.VstupText, "7");
    EXPECT_EQ(static_cast<long double>(k.Dialogy.VstupHodnota), 7.0L);
    EXPECT_EQ(k.Program.Zmeneny, 1);
  }
  ui.Verify();
}

TEST_F(VstupTest, CancelLeavesTheResultsAndTheModifiedFlagAlone) {
  k.Dialogy.DruhParametra = 2;
  ui.ExpectModal("Vstup", [&](TForm&) {
    Klikaj("4.5");
    f.ButtonOK.Click();
  });
  ASSERT_EQ(ui.ShowModal(f), TModalResult::Ok);
  k.Program.Zmeneny = 0;

  ui.ExpectModal("Vstup", [&](TForm&) {
    Klikaj("99");
    f.bCANCEL.Click();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Cancel);
  // Opening emptied the text; cancelling wrote nothing.
  EXPECT_EQ(k.Dialogy.VstupText, "");
  EXPECT_EQ(static_cast<long double>(k.Dialogy.VstupHodnota), Ulozene(4.5L));
  EXPECT_EQ(k.Program.Zmeneny, 0);
}

TEST_F(VstupTest, CaptionAndPointKeyPersistBetweenOpenings) {
  f.Caption = "SCHRITT: [0 - 99]";
  f.ButtonBODKA.Enabled = false;
  f.bCANCEL.Caption = "CANCEL";
  f.Panel1.Caption = "55";
  k.Dialogy.VstupText = "55";
  ui.ExpectModal("Vstup", [&](TForm&) {
    EXPECT_EQ(f.Caption, "SCHRITT: [0 - 99]");
    EXPECT_FALSE(f.ButtonBODKA.Enabled);
    EXPECT_EQ(f.bCANCEL.Caption, "ABBRECHEN");
    EXPECT_EQ(f.Panel1.Caption, "");
    EXPECT_EQ(k.Dialogy.VstupText, "");
    Pis("1.2");  // the disabled point key does not answer the keyboard either
    EXPECT_EQ(f.Panel1.Caption, "12");
    f.ButtonOK.Click();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
  EXPECT_EQ(k.Dialogy.VstupText, "12");
  EXPECT_TRUE(f.ButtonBODKA.Enabled);

  // A caller that sets no prompt shows the previous one; ABBRECHEN enables the point too.
  f.ButtonBODKA.Enabled = false;
  ui.ExpectModal("Vstup", [&](TForm&) {
    EXPECT_EQ(f.Caption, "SCHRITT: [0 - 99]");
    f.bCANCEL.Click();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Cancel);
  EXPECT_TRUE(f.ButtonBODKA.Enabled);
  EXPECT_EQ(f.Caption, "SCHRITT: [0 - 99]");
}

TEST_F(VstupTest, HardwareKeysActAsTheirButtons) {
  k.Dialogy.DruhParametra = 15;
  ui.ExpectModal("Vstup", [&](TForm&) {
    Pis("0123456789");
    EXPECT_EQ(f.Panel1.Caption, "0123456789");
    for (char del : {'\b', '\x7f', 'C', 'c'}) {
      Pis("9");
      EXPECT_TRUE(f.KeyPress(del));
      EXPECT_EQ(f.Panel1.Caption, "") << int(del);
    }
    // Keys without a button are left to the window.
    for (char other : {'x', '-', ' ', 'e', '+'}) EXPECT_FALSE(f.KeyPress(other)) << other;
    EXPECT_EQ(f.Panel1.Caption, "");
    Pis("1,5");  // the German keypad's decimal key is a point too
    EXPECT_EQ(f.Panel1.Caption, "1.5");
    EXPECT_EQ(f.ModalResult, TModalResult::None);
    EXPECT_TRUE(f.KeyPress('\r'));
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
  EXPECT_EQ(k.Dialogy.VstupText, "1.5");
  ui.Verify();

  ui.ExpectModal("Vstup", [&](TForm&) {
    ui.ExpectError("DATEN UNKORREKT");
    EXPECT_TRUE(f.KeyPress('\n'));  // empty display
    Pis("8");
    EXPECT_TRUE(f.KeyPress('\x1b'));
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Cancel);
  EXPECT_EQ(k.Program.Zmeneny, 1);  // from the first entry only
}

TEST_F(VstupTest, ConversionTakesTheWholeTextOnly) {
  const struct {
    const char* text;
    bool ok;
    long double value;
  } cases[] = {
      {"12", true, 12.0L},     {"  12.5", true, 12.5L}, {"+3", true, 3.0L},       {"-2.5e2", true, -250.0L},
      {".5", true, 0.5L},      {"5.", true, 5.0L},      {"1E-1", true, 0.1L},     {"", false, 0},
      {".", false, 0},         {"1.2.3", false, 0},     {"12a", false, 0},        {"12 ", false, 0},
      {"1e", false, 0},        {"e5", false, 0},        {"1e+", false, 0},        {"--1", false, 0},
      {"1,5", false, 0},       {"1e39", false, 0},      {"0x10", false, 0},       {"inf", false, 0},
  };
  for (const auto& c : cases) {
    const std::optional<long double> x = ParseNumber(c.text);
    EXPECT_EQ(x.has_value(), c.ok) << '"' << c.text << '"';
    if (x && c.ok) {
      EXPECT_EQ(*x, c.value) << c.text;
    }
  }
}

TEST_F(VstupTest, PlacedFromItsOwnSlot) {
  k.Desktop.Okna[kSlotVstup].Left = 362;
  k.Desktop.Okna[kSlotVstup].Top = 107;
  k.Desktop.Okna[kSlotUpDown].Left = 421;
  k.Desktop.Okna[kSlotUpDown].Top = 279;
  f.FormCreate();
  EXPECT_EQ(f.Bounds.Left, 362);
  EXPECT_EQ(f.Bounds.Top, 107);
  EXPECT_EQ(f.Caption, " ZADAJ HODNOTU");
}

// --- Up/down window ----------------------------------------------------------

class UpDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    k.Stroj.MaxBreite = 300.0L;
    k.Dialogy.UpDownDruh = kUpDownSuradnica;
  }
  void Stlac(TUDBtnType b, int krat) {
    for (int i = 0; i < krat; ++i) (b == TUDBtnType::btNext ? f.bUpDownNext : f.bUpDownPrev).Click();
  }
  long double Hodnota() const { return static_cast<long double>(k.Dialogy.UpDownHodnota); }

  test::ScriptedUi ui;
  test::FakePlatform pl;
  TProg prog{ui, pl};
  TKontext& k = prog.Kontext();
  TfUpDown f{k};
};

TEST_F(UpDownTest, ArrowsNudgeByTenthsUpToTheBoundsAndRewriteBothPanels) {
  constexpr TUDBtnType next = TUDBtnType::btNext;
  constexpr TUDBtnType prev = TUDBtnType::btPrev;
  const struct {
    long double start;
    TUDBtnType button;
    int presses;
    long double expected;
    std::string text;
  } cases[] = {
      {0.0L, prev, 1, 0.0L, " 0.0"},  // at 0: stays, panels still rewritten
      {0.1L, prev, 3, 0.0L, " 0.0"},  // lands on 0 exactly, not a trace above it
      {0.03L, prev, 2, -0.07L, "-0.1"},  // passes 0 by less than a tenth, once
      {12.34L, next, 1, 12.44L, "12.4"},
      {299.0L, next, 15, 300.0L, "300.0"},  // ten tenths reach the bound and stop there
      {299.97L, next, 3, 300.07L, "300.1"},
      {300.0L, next, 1, 300.0L, "300.0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<double>(c.start) << " x" << c.presses);
    k.Dialogy.UpDownHodnota = c.start;
    f.pPanel.Caption = "-";
    prog.captions.pProgram.Caption = "-";
    Stlac(c.button, c.presses);
    if (c.expected == 0.0L || c.expected == 300.0L)
      EXPECT_EQ(Hodnota(), c.expected);
    else
      EXPECT_NEAR(static_cast<double>(Hodnota()), static_cast<double>(c.expected), 1e-9);
    EXPECT_EQ(f.pPanel.Caption, " KOORDINATE: " + c.text);
    EXPECT_EQ(prog.captions.pProgram.Caption, " VERSCHIEBUNG: Endkoordinate = " + c.text + " [mm]");
    // Back to the middle of the count for the next case.
    f.bUpDown.Position = 100;
  }
}

TEST_F(UpDownTest, TheArrowCountAllowsAHundredNetPressesPerRun) {
  k.Stroj.MaxBreite = 1000.0L;
  k.Dialogy.UpDownHodnota = 0.0L;
  EXPECT_EQ(f.bUpDown.Position, 100);
  Stlac(TUDBtnType::btNext, 100);
  EXPECT_EQ(f.bUpDown.Position, 200);
  EXPECT_NEAR(static_cast<double>(Hodnota()), 10.0, 1e-9);

  // At the end of the count a press does nothing at all.
  f.pPanel.Caption = "unverändert";
  Stlac(TUDBtnType::btNext, 1);
  EXPECT_EQ(f.bUpDown.Position, 200);
  EXPECT_NEAR(static_cast<double>(Hodnota()), 10.0, 1e-9);
  EXPECT_EQ(f.pPanel.Caption, "unverändert");

  // Neither opening nor creation resets the count.
  f.FormCreate();
  ui.ExpectModal("fUpDown", [&](TForm&) {
    EXPECT_EQ(f.bUpDown.Position, 200);
    Stlac(TUDBtnType::btNext, 1);
    f.bOK.Click();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
  EXPECT_NEAR(static_cast<double>(Hodnota()), 10.0, 1e-9);

  Stlac(TUDBtnType::btPrev, 200);
  EXPECT_EQ(f.bUpDown.Position, 0);
  EXPECT_EQ(Hodnota(), 0.0L);
  f.pPanel.Caption = "unverändert";
  Stlac(TUDBtnType::btPrev, 1);
  EXPECT_EQ(f.pPanel.Caption, "unverändert");
}

TEST_F(UpDownTest, OtherModesMoveOnlyTheCount) {
  k.Dialogy.UpDownDruh = 0;
  k.Dialogy.UpDownHodnota = 5.0L;
  Stlac(TUDBtnType::btNext, 3);
  EXPECT_EQ(f.bUpDown.Position, 103);
  EXPECT_EQ(Hodnota(), 5.0L);
  EXPECT_EQ(f.pPanel.Caption, "");
}

TEST_F(UpDownTest, WorksWithoutAMainWindow) {
  test::ScriptedUi ui2;
  TKontext k2(ui2, pl);
  k2.Stroj.MaxBreite = 50.0L;
  k2.Dialogy.UpDownDruh = kUpDownSuradnica;
  k2.Dialogy.UpDownHodnota = 2.0L;
  TfUpDown f2(k2);
  f2.bUpDownNext.Click();
  EXPECT_EQ(f2.pPanel.Caption, " KOORDINATE:  2.1");
}

TEST_F(UpDownTest, OpenerTakesTheCoordinateOnOkOnly) {
  k.Desktop.Okna[kSlotUpDown].Left = 421;
  k.Desktop.Okna[kSlotUpDown].Top = 279;
  f.FormCreate();
  EXPECT_EQ(f.Bounds.Left, 421);
  EXPECT_EQ(f.Bounds.Top, 279);

  k.Dialogy.UpDownDruh = 0;
  ui.ExpectModal("fUpDown", [&](TForm&) {
    EXPECT_EQ(f.pPanel.Caption, " KOORDINATE: 12.30");
    EXPECT_EQ(k.Dialogy.UpDownDruh, kUpDownSuradnica);
    Stlac(TUDBtnType::btNext, 2);
    f.bOK.Click();
  });
  const std::optional<long double> r = AdjustCoordinate(k, f, 12.3L);
  ASSERT_TRUE(r.has_value());
  EXPECT_NEAR(static_cast<double>(*r), 12.5, 1e-9);

  ui.ExpectModal("fUpDown", [&](TForm&) {
    Stlac(TUDBtnType::btPrev, 1);
    f.bCancel.Click();
  });
  EXPECT_FALSE(AdjustCoordinate(k, f, 40.0L).has_value());
}

// --- Text window -------------------------------------------------------------

class VstupTWTest : public ::testing::Test {
 protected:
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TfVstupTW f{k};
};

TEST_F(VstupTWTest, OkHandsOverTheLineAndCancelEmptiesIt) {
  f.Edit1.Caption = "alt";
  f.bHeslo.Enabled = true;
  ui.ExpectModal("fVstupTW", [&](TForm&) {
    EXPECT_EQ(f.Edit1.Caption, "");
    EXPECT_FALSE(f.bHeslo.Enabled);
    f.Edit1.Caption = "  Spule 7 ";
    f.bOK.Click();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
  EXPECT_EQ(k.Dialogy.VstupTWText, "  Spule 7 ");

  f.bHeslo.Enabled = true;
  ui.ExpectModal("fVstupTW", [&](TForm&) {
    EXPECT_FALSE(f.bHeslo.Enabled);
    f.Edit1.Caption = "neu";
    f.bCancel.Click();
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Cancel);
  EXPECT_EQ(k.Dialogy.VstupTWText, "");
}

}  // namespace
}  // namespace kvr
