// The listing's texts, the program check, the listing window and its report.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "form/report.h"
#include "model/context.h"
#include "model/desktop.h"
#include "model/machine.h"
#include "model/program.h"
#include "support/station.h"
#include "support/steps.h"
#include "ui/main_window.h"
#include "view/listing.h"
#include "view/program_check.h"

namespace kvr {
namespace {

using test::Jump;
using test::Shift;
using test::Still;
using test::Winding;

TKrok Pause(long double ms) { return Still(kDruhPause, ms); }

// A windings step with speed and rotation, counter cleared unless told.
TKrok Wind(long double zavity, long double posuv, int32_t otacky, uint8_t smerOtac = 0, uint8_t nulovat = 1) {
  TKrok k = Winding(zavity, posuv, 10.0L, 20.0L, 0, nulovat);
  k.Otacky = otacky;
  k.SmerOtac = smerOtac;
  return k;
}

// ---- Column texts ---------------------------------------------------------------

TEST(ListingRow, ColumnTextsByKind) {
  TKrok w = Winding(1234.5L, 0.125L, 12.5L, 1500.0L, 1, 0);
  w.Otacky = 2400;
  w.SmerOtac = 1;
  w.Rozbeh = 3;
  w.Dobeh = 16;
  w.TypCyklu = kCyklusAutSchnell;
  TKrok taping = w;
  taping.Druh = kDruhBandagieren;
  taping.Nulovat = 1;
  taping.SmerOtac = 0;
  TKrok shift = Shift(12.5L);
  shift.TypCyklu = kCyklusEnde;
  TKrok jump = Jump(3.0L, 1);
  TKrok jumpRight = Jump(3.0L, 0);
  TKrok gear = Still(kDruhGetriebe, 0.02L);
  TKrok odd = Pause(10.0L);
  odd.TypCyklu = 7;

  struct Case {
    const char* name;
    TKrok step;
    uint8_t shownKind;
    std::vector<std::string> cells;  // columns 0..10
  };
  const std::vector<Case> cases = {
      {"windings", w, kDruhWicklung,
       {" 7", " WICKLUNG", " 1234.50", "nicht löschen", "  2400   L", "   316", " 0.125  <", " Aut.schnell",
        " 12.50", "1500.00", ""}},
      {"taping", taping, kDruhBandagieren,
       {" 7", " BANDAGIEREN", " 1234.50", " löschen ", "  2400   R", "   316", "", " Aut.schnell", " 12.50",
        "1500.00", ""}},
      {"pause 250.4", Pause(250.4L), kDruhPause, {" 7", " PAUSE", "     250", "", "", "", "", " Stop", "", "", ""}},
      {"pause half to even", Pause(250.5L), kDruhPause,
       {" 7", " PAUSE", "     250", "", "", "", "", " Stop", "", "", ""}},
      {"pause 251.5", Pause(251.5L), kDruhPause, {" 7", " PAUSE", "     252", "", "", "", "", " Stop", "", "", ""}},
      {"shift", shift, kDruhVerschiebung,
       {" 7", " VERSCHIEBUNG", "   12.50", "", "", "", "    50", " Ende", "", "", ""}},
      {"jump left", jump, kDruhSprung, {" 7", " SPRUNG", "    3.00", "", "", "", "        <", " Stop", "", "", ""}},
      {"jump right", jumpRight, kDruhSprung,
       {" 7", " SPRUNG", "    3.00", "", "", "", "        >", " Stop", "", "", ""}},
      {"gear", gear, kDruhGetriebe, {" 7", " GETRIEBE", "    0.02", "", "", "", "", " Stop", "", "", ""}},
      {"cycle type without a name", odd, kDruhPause, {" 7", " PAUSE", "      10", "", "", "", "", " ", "", "", ""}},
      {"empty step", Still(kDruhLeer), kDruhLeer,
       {" 7", " SCHRITT LEER", "    0.00", "", "", "", "", " Stop", "", "", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(ListingRow(c.step, c.shownKind, 7), c.cells) << c.name;
}

TEST(ListingRow, KindNameComesFromTheLayerListOtherColumnsFromTheStep) {
  // A windings step without feed is listed as taping by the walk, yet keeps
  // the windings columns of its stored kind.
  const TKrok w = Winding(10.0L, 0.0L, 1.0L, 2.0L);
  const std::vector<std::string> r = ListingRow(w, kDruhBandagieren, 1);
  EXPECT_EQ(r[1], " BANDAGIEREN");
  EXPECT_EQ(r[6], " 0.000  >");
  EXPECT_EQ(ListingRow(w, 7, 1)[1], " ");
  EXPECT_EQ(ListingRow(w, 9, 1)[1], " SCHRITT LEER");
}

TEST(ListingColumnWidths, ScaleWithTheWindowBesideFixedColumns) {
  const auto design = ListingColumnWidths(1044);
  EXPECT_EQ(design, (std::array<int, 11>{42, 90, 84, 88, 100, 64, 94, 122, 60, 60, 220}));
  int sum = 0;
  for (int w : design) sum += w;
  EXPECT_EQ(sum, 1024);  // the grid of a 1044-pixel window, 20 pixels narrower
  const auto wide = ListingColumnWidths(2088);
  EXPECT_EQ(wide, (std::array<int, 11>{84, 90, 84, 88, 100, 64, 94, 244, 120, 120, 440}));
  const auto narrow = ListingColumnWidths(1024);
  // 1024 / 1044 * 42 = 41.195..., * 122 = 119.66..., * 60 = 58.85..., * 220 = 215.78...
  EXPECT_EQ(narrow, (std::array<int, 11>{41, 90, 84, 88, 100, 64, 94, 120, 59, 59, 216}));
}

// ---- The check ------------------------------------------------------------------

struct CheckFixture : ::testing::Test {
  test::ContextWithProgram s;
  ProgramCheckResult Check(const std::vector<TKrok>& kroky, bool bezKonca = false) {
    s.Program(kroky, bezKonca);
    return CheckProgram(s.k.Program, s.k.Stroj);
  }
};

TEST_F(CheckFixture, OneClearingWindingsStepPasses) {
  const ProgramCheckResult r = Check({Wind(100, 0.5L, 1000)});
  EXPECT_FALSE(r.ErrorFound);
  EXPECT_EQ(r.Errors, (std::vector<std::string>{"", ""}));
  EXPECT_TRUE(r.Messages.empty());
}

TEST_F(CheckFixture, EachCodeAlone) {
  TKrok crossed = Wind(100, 0.5L, 1000);
  crossed.LRev = 30.0L;
  TKrok fast = Wind(100, 0.5L, 1000);
  fast.TypCyklu = kCyklusAutSchnell;
  struct Case {
    const char* name;
    std::vector<TKrok> steps;
    bool bezKonca;
    std::vector<std::string> errors;
  };
  const std::vector<Case> cases = {
      {"Err-25 crossed reversal points", {crossed}, false, {"", "Err-25, "}},
      {"Err-24 last step not Ende", {Wind(100, 0.5L, 1000)}, true, {"", "Err-24, "}},
      {"Err-4 feed too large", {Wind(100, 3.0L, 1920)}, false, {"", "Err-4 max. 2.501,  "}},
      {"Err-21 turns not above the previous", {Wind(100, 0.5L, 1000), Wind(100, 0.5L, 1000, 0, 0)}, false,
       {"", "", "Err-21, "}},
      {"Err-20 rotation changed", {Wind(100, 0.5L, 1000), Wind(200, 0.5L, 1000, 1, 0)}, false,
       {"", "", "Err-20, "}},
      {"Err-6 shift after Aut.schnell", {fast, Shift(5)}, false, {"", "", "Err-6, "}},
      {"Err-6 jump after Aut.schnell", {fast, Jump(5, 0)}, false, {"", "", "Err-6, "}},
      {"Err-22 no clearing step", {Wind(100, 0.5L, 1000, 0, 0)}, false, {"", "Err-22, "}},
  };
  for (const Case& c : cases) {
    const ProgramCheckResult r = Check(c.steps, c.bezKonca);
    EXPECT_EQ(r.Errors, c.errors) << c.name;
    EXPECT_TRUE(r.ErrorFound) << c.name;
    EXPECT_TRUE(r.Messages.empty()) << c.name;
  }
  // Err-23: "Ende" before the end of the program.
  TKrok ende = Wind(100, 0.5L, 1000);
  ende.TypCyklu = kCyklusEnde;
  const ProgramCheckResult r = Check({ende, Pause(5)});
  EXPECT_EQ(r.Errors, (std::vector<std::string>{"", "Err-23, ", ""}));
  EXPECT_TRUE(r.ErrorFound);
}

TEST_F(CheckFixture, SeveralCodesInOneCellInTheirOrder) {
  TKrok first = Wind(500, 0.5L, 1000, 0);
  TKrok bad = Wind(100, 3.0L, 1920, 1, 0);  // Err-21 (100 <= 500), Err-20, Err-4
  bad.LRev = 40.0L;                          // Err-25
  const ProgramCheckResult r = Check({first, bad}, true);  // Err-24 on the last
  EXPECT_EQ(r.Errors[2], "Err-25, Err-24, Err-4 max. 2.501,  Err-21, Err-20, ");
  // A shift or jump: Err-25, Err-24, then Err-6.
  TKrok shift = Shift(3);
  TKrok fast = Wind(100, 0.5L, 1000);
  fast.TypCyklu = kCyklusEnde;
  s.Program({fast, shift}, true);
  s.k.Program.Kroky[1].TypCyklu = 3;
  s.k.Program.Kroky[2].LRev = 5.0L;  // a shift's points count too
  s.k.Program.Kroky[2].PRev = 1.0L;
  PrepocitajKroky(s.k.Program);
  EXPECT_EQ(CheckProgram(s.k.Program, s.k.Stroj).Errors[2], "Err-25, Err-24, Err-6, ");
}

TEST_F(CheckFixture, Err4LimitIsTheFeedTheMachineCanSet) {
  struct Case {
    const char* model;
    int32_t gear;
    const char* text;
  };
  // 4800 / 1920 = 2.5 mm, rounded with the gear's divisor (8, 32, 128).
  for (const Case& c : {Case{"KVR - 32", 1, "Err-4 max. 2.500,  "}, Case{"KVR - 22", 1, "Err-4 max. 2.501,  "},
                        Case{"KVR - 22", 3, "Err-4 max. 2.498,  "}}) {
    s.k.Stroj.Model = c.model;
    s.k.Stroj.Prevod = c.gear;
    NastavModel(s.k);
    EXPECT_EQ(Check({Wind(100, 2.6L, 1920)}).Errors[1], c.text) << c.model << " gear " << c.gear;
  }
  // A limit of ten or more keeps all its digits; speed 0 is never marked.
  s.k.Stroj.Model = "KVR - 32";
  s.k.Stroj.Prevod = 1;
  NastavModel(s.k);
  EXPECT_EQ(Check({Wind(100, 20.0L, 300)}).Errors[1], "Err-4 max. 16.000,  ");
  EXPECT_EQ(Check({Wind(100, 2.5L, 1920)}).Errors[1], "");  // at the limit
  EXPECT_FALSE(Check({Wind(100, 99.0L, 0)}).ErrorFound);
}

TEST_F(CheckFixture, Err21ComparesWithWhateverStepCameBefore) {
  // The previous step's value is a coordinate or a time, and still compared.
  EXPECT_EQ(Check({Wind(100, 0.5L, 1000), Shift(150), Wind(120, 0.5L, 1000, 0, 0)}).Errors[3], "Err-21, ");
  EXPECT_EQ(Check({Wind(100, 0.5L, 1000), Pause(120), Wind(120, 0.5L, 1000, 0, 0)}).Errors[3], "Err-21, ");
  EXPECT_EQ(Check({Wind(100, 0.5L, 1000), Pause(119), Wind(120, 0.5L, 1000, 0, 0)}).Errors[3], "");
  // A cleared counter is never compared, and step 1 has nothing before it.
  EXPECT_EQ(Check({Wind(100, 0.5L, 1000), Shift(150), Wind(120, 0.5L, 1000, 0, 1)}).Errors[3], "");
  const ProgramCheckResult first = Check({Wind(0, 0.5L, 1000, 0, 0), Wind(10, 0.5L, 1000)});
  EXPECT_EQ(first.Errors[1], "");
}

TEST_F(CheckFixture, Err20FollowsTheLatestRotationAndTapingCounts) {
  TKrok taping = Wind(300, 0.0L, 1000, 1, 0);  // a windings step without feed tapes
  const ProgramCheckResult r =
      Check({Wind(100, 0.5L, 1000, 0), taping, Wind(400, 0.5L, 1000, 1, 0), Wind(500, 0.5L, 1000, 0, 1)});
  EXPECT_EQ(r.Errors, (std::vector<std::string>{"", "", "Err-20, ", "", ""}));
}

TEST_F(CheckFixture, Err22OnTheLastRowWhateverItsKind) {
  const ProgramCheckResult r = Check({Wind(100, 0.5L, 1000, 0, 0), Pause(10)});
  EXPECT_EQ(r.Errors, (std::vector<std::string>{"", "", "Err-22, "}));
  EXPECT_EQ(Check({Pause(10)}).Errors[1], "Err-22, ");
}

TEST_F(CheckFixture, UnknownKindIsReportedAndTheRunGoesOn) {
  TKrok odd = Pause(1);
  odd.Druh = 9;
  TKrok odd2 = odd;
  odd2.Druh = 0x27;  // low four bits 7
  const ProgramCheckResult r = Check({Wind(100, 0.5L, 1000), odd, Wind(200, 0.5L, 1000), odd2, Wind(300, 0.5L, 1000)});
  EXPECT_TRUE(r.ErrorFound);
  EXPECT_EQ(r.Messages, (std::vector<std::string>{"SCHRITT:  : 2     Unbekannter Schrittart !",
                                                  "SCHRITT:  : 4     Unbekannter Schrittart !"}));
  EXPECT_EQ(r.Errors, (std::vector<std::string>(6)));
}

TEST_F(CheckFixture, EmptyProgramPasses) {
  const ProgramCheckResult r = Check({});
  EXPECT_FALSE(r.ErrorFound);
  EXPECT_EQ(r.Errors, (std::vector<std::string>{""}));
}

TEST_F(CheckFixture, ThreeHundredStepsAreCheckedOnEveryRow) {
  std::vector<TKrok> kroky;
  for (int i = 1; i <= 300; ++i) kroky.push_back(Wind(10.0L * i, 0.5L, 1000, 0, i == 1 ? 1 : 0));
  kroky[149].LRev = 50.0L;  // step 150
  kroky[299].Otacky = 4800;  // step 300: 0.5 > 1
  kroky[299].PosuvMM = 1.5L;
  const ProgramCheckResult r = Check(kroky);
  ASSERT_EQ(r.Errors.size(), 301u);
  EXPECT_EQ(r.Errors[150], "Err-25, ");
  EXPECT_EQ(r.Errors[300], "Err-4 max. 1.000,  ");
  for (int i = 1; i <= 300; ++i)
    if (i != 150 && i != 300) {
      EXPECT_EQ(r.Errors[static_cast<size_t>(i)], "") << i;
    }
}

// ---- The report -----------------------------------------------------------------

TEST(ListingReport, BandsFieldsAndPages) {
  std::vector<std::vector<std::string>> cells(351, std::vector<std::string>(11));
  for (int i = 1; i <= 350; ++i) {
    cells[static_cast<size_t>(i)][0] = " " + std::to_string(i);
    cells[static_cast<size_t>(i)][1] = " row " + std::to_string(i);
    cells[static_cast<size_t>(i)][10] = i == 7 ? "Err-22, " : "";
  }
  const TReport r = ListingReport("D:\\WINDING PROGRAMS\\a.kvr", cells, 350);
  EXPECT_DOUBLE_EQ(r.BandWidth, 196.1);
  EXPECT_TRUE(r.PageFrame);
  EXPECT_EQ(r.PageHeaderTexts[0], "  D:\\WINDING PROGRAMS\\a.kvr");
  EXPECT_TRUE(r.PageHeader.Fields[1].DateTime);
  EXPECT_EQ(r.PageHeader.LineBelow, TReportLine::Dotted);
  ASSERT_EQ(r.ColumnHeaderTexts.size(), 11u);
  EXPECT_EQ(r.ColumnHeaderTexts[10], " VORSCHLAGFEHLER ");
  ASSERT_EQ(r.Detail.Fields.size(), 11u);
  EXPECT_DOUBLE_EQ(r.Detail.Fields[10].Left, 145.5);
  EXPECT_EQ(r.Detail.Fields[2].Align, TReportAlign::Center);
  // Every step, in order, the step number first, whatever the grid showed.
  ASSERT_EQ(r.Lines.size(), 350u);
  EXPECT_EQ(r.Lines[0][0], "1");
  EXPECT_EQ(r.Lines[349][1], " row 350");
  EXPECT_EQ(r.Lines[6][10], "Err-22, ");
  // Pages of whole bands: each line on exactly one page, in order.
  const int perPage = r.LinesPerPage();
  const double free = r.PageHeight - r.MarginTop - r.MarginBottom - r.PageHeader.Height - r.ColumnHeader.Height;
  EXPECT_EQ(perPage, static_cast<int>(std::floor(free / r.Detail.Height)));
  EXPECT_EQ(r.PageCount(), (350 + perPage - 1) / perPage);
  int next = 0;
  for (int p = 0; p < r.PageCount(); ++p) {
    EXPECT_EQ(r.FirstLine(p), next);
    EXPECT_GT(r.EndLine(p), r.FirstLine(p));
    next = r.EndLine(p);
  }
  EXPECT_EQ(next, 350);
}

TEST(ListingReport, NoStepsStillPrintsOnePageOfHeaders) {
  const TReport r = ListingReport("", std::vector<std::vector<std::string>>(351, std::vector<std::string>(11)), 0);
  EXPECT_TRUE(r.Lines.empty());
  EXPECT_EQ(r.PageCount(), 1);
  EXPECT_EQ(r.FirstLine(0), 0);
  EXPECT_EQ(r.EndLine(0), 0);
}

// ---- The station: "Kontrolle", the listing window, PRINT ---------------------------

struct PreviewFixture : ::testing::Test {
  test::StationWithProgram s;
  TfPreview& preview = s.prog.fPreview;
  void SetUp() override {
    s.k.Program.MenoSuboru = "/drives/D/WINDING PROGRAMS/Spule 1.kvr";
    s.k.Stroj.ModelText = "KVR - 22";
  }
  std::vector<std::vector<std::string>> Shown() const {
    const TControl& g = preview.ListingGrid;
    return {g.Cells.begin(), g.Cells.begin() + g.RowCount};
  }
};

TEST_F(PreviewFixture, CheckWithErrorsOpensTheListingWithItsMarks) {
  s.Program({Wind(100, 0.5L, 1000, 0, 0), Pause(250.4L)});
  s.k.BodyKrokov[1].Druh = kDruhWicklung;
  s.k.BodyKrokov[2].Druh = kDruhPause;
  preview.ListingGrid.Position = 40;
  std::vector<std::vector<std::string>> shown;
  s.ui.ExpectModal("fPreview", [&](TForm&) {
    shown = Shown();
    EXPECT_EQ(preview.ListingGrid.Position, 0);
    EXPECT_EQ(preview.Caption, "KVR - 22          Spule 1.kvr");
  });
  s.prog.optionsMenu.mnKontrol.Click();
  s.ui.Verify();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0][0], "Schr.");
  EXPECT_EQ(shown[0][10], " VORSCHLAGFEHLER ");
  EXPECT_EQ(shown[1][1], " WICKLUNG");
  EXPECT_EQ(shown[1][10], "");
  EXPECT_EQ(shown[2][2], "     250");
  EXPECT_EQ(shown[2][10], "Err-22, ");
}

TEST_F(PreviewFixture, CheckWithoutErrorsSaysSoAndLeavesTheListingClosed) {
  s.Program({Wind(100, 0.5L, 1000)});
  s.ui.ExpectMessage(TMsgKind::Information, " Kontrolle beendet ohne Fehler ! ");
  s.prog.optionsMenu.mnKontrol.Click();
  s.ui.Verify();
}

TEST_F(PreviewFixture, UnknownKindBoxComesBeforeTheListing) {
  TKrok odd = Pause(1);
  odd.Druh = 8;
  s.Program({Wind(100, 0.5L, 1000), odd, Wind(200, 0.5L, 1000)});
  s.ui.ExpectError("SCHRITT:  : 2     Unbekannter Schrittart !");
  s.ui.ExpectModal("fPreview", [&](TForm&) { EXPECT_EQ(preview.Cell(10, 2), ""); });
  s.prog.optionsMenu.mnKontrol.Click();
  s.ui.Verify();
}

TEST_F(PreviewFixture, ACheckClearsTheCodesOfTheLastOne) {
  // 300 rows marked, then a program of one row whose check finds nothing.
  std::vector<TKrok> kroky(300, Wind(100, 0.5L, 1000, 0, 0));
  s.Program(kroky);
  s.ui.ExpectModal("fPreview", [&](TForm&) {
    EXPECT_EQ(preview.ListingGrid.RowCount, 301);
    EXPECT_EQ(preview.Cell(10, 2), "Err-21, ");
    EXPECT_EQ(preview.Cell(10, 300), "Err-21, Err-22, ");
  });
  s.prog.optionsMenu.mnKontrol.Click();
  s.Program({Wind(100, 0.5L, 1000)});
  s.ui.ExpectMessage(TMsgKind::Information, " Kontrolle beendet ohne Fehler ! ");
  s.prog.optionsMenu.mnKontrol.Click();
  s.ui.Verify();
  for (int r = 1; r <= kMaxKrokov; ++r)
    for (int c = 0; c < kListingColumns; ++c) EXPECT_EQ(preview.Cell(c, r), "") << c << "," << r;
  EXPECT_EQ(preview.Cell(0, 0), "Schr.");
}

TEST_F(PreviewFixture, NoStepsShowOnlyTheHeaderRowAndPrintOnlyHeaders) {
  s.Program({});
  preview.FormShow();
  EXPECT_EQ(preview.ListingGrid.RowCount, 1);
  EXPECT_EQ(Shown()[0][3], "  Windungen   ");
  preview.mnPrint.Click();
  ASSERT_EQ(s.ui.printed.size(), 1u);
  EXPECT_TRUE(s.ui.printed[0].Lines.empty());
  EXPECT_EQ(s.ui.printed[0].PageCount(), 1);
  EXPECT_EQ(s.ui.printed[0].PageHeaderTexts[0], "  /drives/D/WINDING PROGRAMS/Spule 1.kvr");
}

TEST_F(PreviewFixture, PrintTakesEveryStepAsTheGridShowsItWhereverItIsScrolled) {
  std::vector<TKrok> kroky(350, Wind(100, 0.5L, 1000, 0, 0));
  s.Program(kroky);
  s.ui.ExpectModal("fPreview", [&](TForm&) {
    preview.ListingGrid.Position = 300;
    preview.Bounds.Width = 1500;
    preview.FormResize();
    preview.mnPrint.Click();
  });
  s.prog.optionsMenu.mnKontrol.Click();
  s.ui.Verify();
  ASSERT_EQ(s.ui.printed.size(), 1u);
  const TReport& r = s.ui.printed[0];
  ASSERT_EQ(r.Lines.size(), 350u);
  for (int i = 1; i <= 350; ++i) {
    EXPECT_EQ(r.Lines[static_cast<size_t>(i) - 1][0], std::to_string(i));
    EXPECT_EQ(r.Lines[static_cast<size_t>(i) - 1][7], preview.Cell(7, i));
  }
  EXPECT_EQ(r.Lines[1][10], "Err-21, ");
  EXPECT_EQ(r.Lines[349][10], "Err-21, Err-22, ");
}

TEST_F(PreviewFixture, ResizingScalesTheProportionalColumnsAndKeepsTheMargins) {
  s.Program({Wind(100, 0.5L, 1000)});
  preview.FormShow();
  EXPECT_EQ(preview.ListingGrid.ColWidths, (std::vector<int>{42, 90, 84, 88, 100, 64, 94, 122, 60, 60, 220}));
  EXPECT_EQ(preview.ListingGrid.Bounds, (TRect{10, 10, 1024, 600}));
  preview.Bounds.Width = 1566;
  preview.Bounds.Height = 900;
  preview.FormResize();
  EXPECT_EQ(preview.ListingGrid.ColWidths, (std::vector<int>{63, 90, 84, 88, 100, 64, 94, 183, 90, 90, 330}));
  EXPECT_EQ(preview.ListingGrid.Bounds, (TRect{10, 10, 1546, 820}));
  EXPECT_EQ(preview.MinWidth, 1024);
  EXPECT_EQ(preview.MinHeight, 570);
}

TEST_F(PreviewFixture, CreationPlacesTheWindowFromItsSlot) {
  UlozMiestoOkna(s.k.Desktop, kSlotPreview, TRect{120, 45, 1044, 680});
  preview.FormCreate();
  EXPECT_EQ(preview.Bounds.Left, 120);
  EXPECT_EQ(preview.Bounds.Top, 45);
  EXPECT_EQ(preview.mnChyby.Caption, " FEHLER ");
  EXPECT_EQ(preview.mnPrint.Caption, "PRINT");
}

}  // namespace
}  // namespace kvr
