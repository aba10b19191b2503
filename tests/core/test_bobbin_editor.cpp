// The bobbin editor: chamber edges entered on the keypad a page at a time,
// the description, bobbin files, and what DRAW and ABBRECHEN hand back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bobbin/bobbin_design.h"
#include "model/codepage.h"
#include "model/desktop.h"
#include "model/io.h"
#include "support/station.h"
#include "support/temp_dir.h"

namespace kvr {
namespace {

long double L(const TKostricka& b, int k) { return b.Komory[k - 1].KomoraL; }
long double P(const TKostricka& b, int k) { return b.Komory[k - 1].KomoraP; }

struct Editor : test::StationWithProgram {
  TfKostricka& e = prog.fKostricka;

  // The keypad, as the operator types text and presses OK.
  std::function<void(TForm&)> Typed(std::string text) {
    return [this, text](TForm& f) {
      ASSERT_EQ(&f, &prog.fVstup);
      for (char c : text) prog.fVstup.KeyPress(c);
      prog.fVstup.ButtonOK.Click();
    };
  }
  // Types text for a panel of the editor.
  void Enter(TControl& panel, const std::string& text) {
    ui.ExpectModal("Vstup", Typed(text));
    panel.Click();
  }
  // Opens the editor from the menu; act plays the operator in it.
  void Open(std::function<void(TfKostricka&)> act) {
    ui.ExpectModal("fKostricka", [act](TForm& f) { act(static_cast<TfKostricka&>(f)); });
    prog.bobbinMenu.mnKostrickaNavrh.Click();
  }
};

TEST(BobbinDesign, PanelTextsAndTheirValues) {
  EXPECT_EQ(TextSuradnice(0.0L), "0.0");
  EXPECT_EQ(TextSuradnice(12.45L), "12.5");
  EXPECT_EQ(TextSuradnice(120.0L), "120.0");
  EXPECT_EQ(HodnotaTextu("12.3"), 12.3L);
  EXPECT_EQ(HodnotaTextu("12.3x4"), 12.3L);
  EXPECT_EQ(HodnotaTextu("7."), 7.0L);
  EXPECT_EQ(HodnotaTextu(""), 0.0L);
  EXPECT_EQ(HodnotaTextu("."), 0.0L);
}

TEST(BobbinEditor, EdgeKeepsOneDecimalThroughDrawAndReopening) {
  Editor s;
  s.Open([&s](TfKostricka& e) {
    s.Enter(e.pP1, "12.34");
    EXPECT_EQ(e.pP1.Caption, "12.3");
    s.Enter(e.pL2, "15");
    EXPECT_EQ(e.pL2.Caption, "15");
    e.bVykresli.Click();
  });
  EXPECT_EQ(P(s.k.Kostricka, 1), static_cast<long double>(Real48(12.3L)));
  EXPECT_EQ(L(s.k.Kostricka, 2), 15.0L);
  EXPECT_EQ(s.k.AktKomora, 1);
  EXPECT_EQ(s.ui.invalidated.back(), "Prog/PaintBox1");

  s.Open([](TfKostricka& e) {
    EXPECT_EQ(e.pP1.Caption, "12.3");
    EXPECT_EQ(e.pL2.Caption, "15.0");
    EXPECT_EQ(e.Caption, "Spulenkörpervorschlag: ");
    e.bCANCEL.Click();
  });
  s.ui.Verify();
  // The keyboard for the description comes and goes with each opening.
  EXPECT_EQ(s.pl.keyboardStarts, 2);
  EXPECT_EQ(s.pl.keyboardCloses, 2);
}

TEST(BobbinEditor, EdgesAboveTheMachineWidthAreRefused) {
  Editor s;  // KVR - 22: 210 mm
  s.e.FormShow();
  const struct {
    TControl* panel;
    const char* text;
    const char* shown;
  } cases[] = {
      {&s.e.pP3, "210", "210"},
      {&s.e.pP3, "210.1", "210"},
      {&s.e.pL4, "210.1", "0.0"},
      {&s.e.pPosunValue, "210.1", "0.0"},
      {&s.e.pPosunValue, "210", "210"},
  };
  for (const auto& c : cases) {
    s.ui.ExpectModal("Vstup", s.Typed(c.text));
    if (std::string(c.text) == "210.1") s.ui.ExpectError(kTextMimoRozsah);
    c.panel->Click();
    s.ui.Verify();
    EXPECT_EQ(c.panel->Caption, c.shown) << c.panel->Name() << " " << c.text;
  }
}

TEST(BobbinEditor, TheBobbinsLeftSideStaysZero) {
  Editor s;
  s.e.FormShow();
  EXPECT_EQ(s.e.pL1.Color, clGray);
  s.ui.ExpectModal("Vstup", s.Typed("5")).ExpectMessage(TMsgKind::Information, kTextLavaStranaNula);
  s.e.pL1.Click();
  s.ui.Verify();
  EXPECT_EQ(s.e.pL1.Caption, "0.0");
  // A text that reached the panel otherwise is not taken back either.
  s.e.pL1.Caption = "5.0";
  s.e.bVykresli.Click();
  EXPECT_EQ(L(s.k.Kostricka, 1), 0.0L);
}

TEST(BobbinEditor, SecondPageEditsChambersElevenToTwenty) {
  Editor s;
  s.k.Kostricka.Komory[0] = {0.0L, 20.0L};
  s.k.Kostricka.Komory[10] = {100.0L, 120.0L};
  s.e.FormShow();
  s.Enter(s.e.pP2, "30");  // chamber 2, taken back by the page switch

  s.e.rb11_20.Click();
  EXPECT_TRUE(s.e.rb11_20.Checked);
  EXPECT_FALSE(s.e.rb1_10.Checked);
  EXPECT_EQ(P(s.k.KostrickaNavrh, 2), 30.0L);
  EXPECT_EQ(s.e.pKom1.Caption, "11");
  EXPECT_EQ(s.e.pKom10.Caption, "20");
  EXPECT_EQ(s.e.pL1.Caption, "100.0");
  EXPECT_NE(s.e.pL1.Color, clGray);
  s.Enter(s.e.pL1, "105");
  EXPECT_EQ(s.e.pL1.Caption, "105");

  s.e.rb11_20.Click();  // the page already shown: nothing is taken back
  EXPECT_EQ(L(s.k.KostrickaNavrh, 11), 100.0L);
  s.e.rb1_10.Click();
  EXPECT_EQ(L(s.k.KostrickaNavrh, 11), 105.0L);
  EXPECT_EQ(s.e.pKom1.Caption, "1");
  EXPECT_EQ(s.e.pP2.Caption, "30.0");
  EXPECT_EQ(s.e.pL1.Color, clGray);

  s.e.rb11_20.Click();
  s.e.bVykresli.Click();  // takes back the page shown: 11..20
  EXPECT_EQ(L(s.k.Kostricka, 11), 105.0L);
  EXPECT_EQ(P(s.k.Kostricka, 11), 120.0L);
  EXPECT_EQ(P(s.k.Kostricka, 2), 30.0L);
  s.ui.Verify();
}

TEST(BobbinEditor, NewThenDrawGivesAnEmptyBobbinTenMillimetresOut) {
  Editor s;
  s.k.Program.MenoKostricky = "/x/a.kor";
  s.k.Kostricka.Komory[3] = {40.0L, 50.0L};
  s.k.Kostricka.Abstand = 33.0L;
  WriteShortString(s.k.Kostricka.Popis, "alt", 255);
  s.Open([](TfKostricka& e) {
    e.rb11_20.Click();
    e.mnNew.Click();
    EXPECT_TRUE(e.rb1_10.Checked);
    EXPECT_EQ(e.pPosunValue.Caption, "10.0");
    EXPECT_EQ(e.ePopis.Caption, "");
    e.bVykresli.Click();
  });
  const TKostricka b = s.k.Kostricka;
  EXPECT_EQ(static_cast<long double>(b.Abstand), 10.0L);
  for (int c = 1; c <= 20; ++c) {
    EXPECT_EQ(L(b, c), 0.0L) << c;
    EXPECT_EQ(P(b, c), 0.0L) << c;
  }
  EXPECT_EQ(ReadShortString(b.Popis, 255), "");
  EXPECT_EQ(s.k.Program.MenoKostricky, "");
  s.ui.Verify();
}

TEST(BobbinEditor, CancelledOpenForgetsTheFileButKeepsTheRecord) {
  Editor s;
  s.k.Program.StartAdresar = "/station";
  s.k.Program.MenoKostricky = "/x/a.kor";
  s.k.Kostricka.Komory[0] = {0.0L, 20.0L};
  s.e.FormShow();
  s.Enter(s.e.pP2, "44");
  s.ui.ExpectOpen(std::nullopt, [](const TFileDialog& d) {
    EXPECT_EQ(d.InitialDir, "/station/Korper");
    EXPECT_EQ(d.FileName, "");
  });
  s.e.mnOPEN.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.MenoKostricky, "");
  EXPECT_EQ(P(s.k.KostrickaNavrh, 1), 20.0L);
  EXPECT_EQ(s.e.pP1.Caption, "20.0");
  EXPECT_EQ(s.e.pP2.Caption, "44");
}

TEST(BobbinEditor, OpenShowsTheFileOnThePageShown) {
  Editor s;
  test::TempDir dir("kvr-bobbin");
  TKostricka f{};
  f.Komory[0] = {0.0L, 25.0L};
  f.Komory[11] = {130.0L, 140.0L};
  f.Abstand = 7.5L;
  WriteShortString(f.Popis, "Körper B", 255);
  dir.Write("b.kor", std::vector<uint8_t>(f.Bytes(), f.Bytes() + sizeof f));
  s.e.FormShow();
  s.e.rb11_20.Click();
  s.ui.ExpectOpen(dir / "b.kor");
  s.e.mnOPEN.Click();
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.MenoKostricky, dir / "b.kor");
  EXPECT_EQ(s.e.Caption, "Spulenkörpervorschlag: " + dir / "b.kor");
  EXPECT_EQ(s.e.ePopis.Caption, "Körper B");
  EXPECT_EQ(s.e.pL2.Caption, "130.0");
  EXPECT_EQ(s.e.pPosunValue.Caption, "7.5");
  EXPECT_EQ(std::memcmp(s.k.KostrickaNavrh.Bytes(), f.Bytes(), sizeof f), 0);
}

TEST(BobbinEditor, CancelLeavesTheBobbinAndTheNextOpeningShowsItAgain) {
  Editor s;
  s.k.Kostricka.Komory[0] = {0.0L, 20.0L};
  const TKostricka pred = s.k.Kostricka;
  s.Open([&s](TfKostricka& e) {
    s.Enter(e.pP1, "99");
    e.ePopis.Caption = "neu";
    e.rb11_20.Click();
    e.bCANCEL.Click();
  });
  EXPECT_EQ(std::memcmp(s.k.Kostricka.Bytes(), pred.Bytes(), sizeof pred), 0);
  s.Open([](TfKostricka& e) {
    EXPECT_TRUE(e.rb1_10.Checked);
    EXPECT_EQ(e.pP1.Caption, "20.0");
    EXPECT_EQ(e.ePopis.Caption, "");
    e.bCANCEL.Click();
  });
  s.ui.Verify();
}

TEST(BobbinEditor, SavedFileIsTheRecordByteForByte) {
  Editor s;
  test::TempDir dir("kvr-bobbin");
  s.k.Kostricka.Komory[0] = {0.0L, 20.0L};
  s.k.Kostricka.Komory[1] = {25.0L, 45.0L};
  s.Open([&](TfKostricka& e) {
    e.ePopis.Caption = "Spule Ä";
    s.Enter(e.pP3, "60.25");
    s.Enter(e.pL3, "50");
    s.ui.ExpectSave(dir / "neu.kor", [](const TFileDialog& d) { EXPECT_EQ(d.FileName, ""); });
    e.mnSAVE.Click();
    EXPECT_EQ(e.Caption, "Spulenkörpervorschlag: " + dir / "neu.kor");
    e.bCANCEL.Click();  // the file and its name stay
  });
  s.ui.Verify();
  const std::vector<uint8_t> file = dir.Read("neu.kor");
  const TKostricka& b = s.k.KostrickaNavrh;
  ASSERT_EQ(file.size(), sizeof(TKostricka));
  EXPECT_EQ(std::memcmp(file.data(), b.Bytes(), file.size()), 0);
  EXPECT_EQ(ReadShortString(b.Popis, 255), "Spule Ä");
  EXPECT_EQ(L(b, 3), 50.0L);
  EXPECT_EQ(P(b, 3), static_cast<long double>(Real48(60.2L)));
  EXPECT_EQ(s.k.Program.MenoKostricky, dir / "neu.kor");
  EXPECT_EQ(P(s.k.Kostricka, 3), 0.0L);  // only DRAW hands the edits over
}

TEST(BobbinEditor, FailedSaveKeepsTheFileName) {
  Editor s;
  test::TempDir dir("kvr-bobbin");
  s.k.Program.MenoKostricky = "/x/a.kor";
  s.e.FormShow();
  s.ui.ExpectSave(dir / "missing-folder/b.kor");
  EXPECT_THROW(s.e.mnSAVE.Click(), TIoError);
  s.ui.Verify();
  EXPECT_EQ(s.k.Program.MenoKostricky, "/x/a.kor");
}

TEST(BobbinEditor, DescriptionIsCutTo255Characters) {
  Editor s;
  s.e.FormShow();
  s.e.ePopis.Caption = std::string(300, 'x');
  s.e.bVykresli.Click();
  EXPECT_EQ(s.k.Kostricka.Popis[0], 255);
  EXPECT_EQ(ReadShortString(s.k.Kostricka.Popis, 255), std::string(255, 'x'));
}

TEST(BobbinWindows, EditorAndShiftWindowKeepTheirPlaces) {
  Editor s;
  s.k.Desktop.Okna[kSlotKostricka].Left = 211;
  s.k.Desktop.Okna[kSlotKostricka].Top = 98;
  s.k.Desktop.Okna[kSlotPosun].Left = 362;
  s.k.Desktop.Okna[kSlotPosun].Top = 105;
  s.prog.fKostricka.FormCreate();
  s.prog.fPosun.FormCreate();
  EXPECT_EQ(s.prog.fKostricka.Bounds.Left, 211);
  EXPECT_EQ(s.prog.fKostricka.Bounds.Top, 98);
  EXPECT_EQ(s.prog.fPosun.Bounds.Left, 362);
  EXPECT_EQ(s.prog.fPosun.Bounds.Top, 105);
  s.prog.fKostricka.Bounds.Left = 50;
  s.prog.fPosun.Bounds.Top = 60;
  s.prog.mnOptionsOknaClick();
  EXPECT_EQ(s.k.Desktop.Okna[kSlotKostricka].Left, 50);
  EXPECT_EQ(s.k.Desktop.Okna[kSlotPosun].Top, 60);
}

}  // namespace
}  // namespace kvr
