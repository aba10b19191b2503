// Start-up, the desktop record, closing, and the bobbin and constants commands
// of the main window.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "form/events.h"
#include "model/desktop.h"
#include "model/ini.h"
#include "model/codepage.h"
#include "model/bobbin_files.h"
#include "model/little_endian.h"
#include "model/program.h"
#include "model/real48.h"
#include "model/machine.h"
#include "model/program_files.h"
#include "model/step_records.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "tools/keypad.h"
#include "ui/info_window.h"
#include "ui/main_window.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;
using Bajty = std::vector<uint8_t>;

long double R48At(const Bajty& b, size_t off) { return static_cast<long double>(Real48::FromBytes(b.data() + off)); }

// A station in a folder of its own: the executable's folder and the drives.
struct Stanica {
  test::TempDir dir{"kvr-start"};
  test::ScriptedUi ui;
  test::FakePlatform pl{(dir.path() / "drives").string(), (dir.path() / "bin").string()};
  std::unique_ptr<TProg> prog;

  Stanica() { fs::create_directories(dir.path() / "bin"); }
  std::string Bin(const std::string& name) const { return dir / ("bin/" + name); }
  TKontext& K() { return prog->Kontext(); }
  // One run of the station up to its message loop.
  TProg& Start() {
    prog = std::make_unique<TProg>(ui, pl);
    prog->FormCreate();
    prog->FormShow();
    return *prog;
  }
};

TEST(Desktop, FirstStartCreatesTheDefaultRecord) {
  Stanica s;
  TProg& p = s.Start();
  const Bajty d = s.dir.Read("bin/TORVENA_KVR_T.DSK");
  ASSERT_EQ(d.size(), 2668u);
  EXPECT_EQ(std::string(d.begin(), d.begin() + 9), std::string("\x08KVR - 22"));
  EXPECT_EQ(d[21], 1);
  EXPECT_EQ(d[22], 0);  // no program
  EXPECT_EQ(GetU32(d.data() + 278), 100u);
  const uint16_t miesta[13][2] = {{150, 155}, {343, 57},  {0, 0},     {211, 98},  {200, 149}, {362, 105}, {421, 279},
                                  {362, 107}, {0, 0},     {358, 245}, {400, 350}, {400, 90},  {253, 219}};
  for (size_t s2 = 0; s2 < 13; ++s2) {
    SCOPED_TRACE(s2);
    EXPECT_EQ(GetU16(d.data() + 282 + 8 * s2), miesta[s2][0]);
    EXPECT_EQ(GetU16(d.data() + 284 + 8 * s2), miesta[s2][1]);
    EXPECT_EQ(GetU16(d.data() + 286 + 8 * s2), 0);
    EXPECT_EQ(GetU16(d.data() + 288 + 8 * s2), 0);
  }
  EXPECT_EQ(R48At(d, 906 + 496), 10.0L);  // the bobbin's offset
  // Templates by desktop slot: kind, turns or length, feed, speed.
  struct Slot {
    uint8_t druh;
    long double hodnota, lrev, prev, posuv;
    int32_t otacky;
    uint8_t smerOtac;
  };
  const Slot sloty[9] = {{1, 100, 10, 50, 1, 50, 0}, {1, 100, 10, 50, 1, 50, 0}, {1, 3, 0, 0, 0, 75, 0},
                         {2, 10, 10, 50, 100, 0, 0}, {3, 3, 0, 0, 10, 0, 0},     {4, 1000, 0, 0, 0, 0, 1},
                         {1, 100, 10, 50, 1, 50, 0}, {1, 100, 10, 50, 1, 50, 0}, {1, 100, 10, 50, 1, 50, 0}};
  for (size_t i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    TKrok t;
    std::memcpy(static_cast<void*>(&t), d.data() + 1408 + 140 * i, sizeof t);
    EXPECT_EQ(t.Druh, sloty[i].druh);
    EXPECT_EQ(static_cast<long double>(t.Hodnota), sloty[i].hodnota);
    EXPECT_EQ(static_cast<long double>(t.LRev), sloty[i].lrev);
    EXPECT_EQ(static_cast<long double>(t.PRev), sloty[i].prev);
    EXPECT_EQ(static_cast<long double>(t.PosuvMM), sloty[i].posuv);
    EXPECT_EQ(t.Otacky, sloty[i].otacky);
    EXPECT_EQ(t.SmerOtac, sloty[i].smerOtac);
    EXPECT_EQ(t.TypCyklu, 1);
    EXPECT_EQ(t.Rozbeh, 1);
    EXPECT_EQ(t.Dobeh, 1);
    EXPECT_EQ(t.Kryt, 1);
    EXPECT_EQ(t.Nulovat, 1);
  }
  // The station runs on that record: default model, no program.
  EXPECT_EQ(s.K().Stroj.Model, "KVR - 22");
  EXPECT_EQ(s.K().Stroj.Prevod, 1);
  EXPECT_DOUBLE_EQ(p.Zoom, 1.0);
  EXPECT_EQ(s.K().Program.PocetKrokov, 0);
  // The templates in the store follow the index numbering, not the slots.
  EXPECT_EQ(s.K().KonstKroky[5].Druh, 1);
  EXPECT_EQ(static_cast<long double>(s.K().KonstKroky[5].Hodnota), 3.0L);
  EXPECT_EQ(s.K().KonstKroky[6].Druh, 2);
  EXPECT_EQ(s.K().KonstKroky[8].Druh, 4);
  s.ui.Verify();
}

TEST(Desktop, AShortDesktopFileIsReplacedByTheDefaultRecord) {
  Stanica s;
  s.dir.Write("bin/TORVENA_KVR_T.DSK", Bajty(100, 0xEE));
  s.Start();
  EXPECT_EQ(s.dir.Read("bin/TORVENA_KVR_T.DSK").size(), 2668u);
  EXPECT_EQ(s.K().Stroj.Model, "KVR - 22");
  s.ui.Verify();
}

// A regular file that opens but fails when read: the kernel refuses to read
// this process's memory at address 0.
constexpr const char* kNecitatelny = "/proc/self/mem";

TEST(Desktop, AFileThatFailsWhileBeingReadGivesTheDefaultRecordAndStaysAsItIs) {
  Stanica s;
  fs::create_symlink(kNecitatelny, s.Bin("TORVENA_KVR_T.DSK"));
  s.ui.ExpectReport(" Fehler beim Lesen: ");
  TProg& p = s.Start();
  TKontext& k = s.K();
  s.ui.Verify();
  EXPECT_EQ(k.Stroj.Model, "KVR - 22");
  EXPECT_EQ(k.Stroj.Prevod, 1);
  EXPECT_EQ(k.Desktop.Zoom, 100);
  EXPECT_EQ(p.fVstup.Bounds.Left, 362);
  EXPECT_EQ(p.fVstup.Bounds.Top, 107);
  EXPECT_EQ(static_cast<long double>(k.KonstKroky[0].Hodnota), 100.0L);
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Abstand), 10.0L);
  // Nothing was written over the operator's file at start.
  EXPECT_EQ(fs::read_symlink(s.Bin("TORVENA_KVR_T.DSK")), fs::path(kNecitatelny));
}

TEST(Desktop, ASecondStartRestoresWhatTheFirstStoredAtExit) {
  Stanica s;
  TProg& p = s.Start();
  TKontext& k = s.K();
  k.Stroj.Model = "KVR - 100";
  k.Stroj.Prevod = 2;
  NastavModel(k);
  // Paths of this machine: two under the drive root, one outside it.
  const std::string konstanty = s.pl.MapSystemPath("D:\\CONST_BOBBIN\\Konst\\a.kon");
  const std::string kostricka = s.pl.MapSystemPath("D:\\CONST_BOBBIN\\Korper\\b.kor");
  k.Program.MenoSuboru = s.Bin("nowhere.kvr");
  k.Program.MenoKonstant = konstanty;
  k.Program.MenoKostricky = kostricka;
  k.Kostricka.Komory[0].KomoraP = 12.5L;
  k.Kostricka.Abstand = 7.0L;
  k.KonstKroky[7].Hodnota = 4.5L;  // the jump template
  k.Desktop.Zoom = 130;
  p.Bounds.Left = 33;
  p.Bounds.Top = 44;
  p.fVstup.Bounds.Left = 555;
  p.fVstup.Bounds.Top = 66;
  k.Desktop.Okna[kSlotModel].Left = 250;  // never stored from the window, but kept in the record
  k.Desktop.Okna[kSlotModel].Top = 260;
  ASSERT_TRUE(p.FormClose());
  EXPECT_EQ(s.pl.starterQuits, 1);
  // The record carries the panel PC's Windows paths.
  const Bajty d = s.dir.Read("bin/TORVENA_KVR_T.DSK");
  ASSERT_EQ(d.size(), 2668u);
  EXPECT_EQ(ReadShortString(&d[650], 255), "D:\\CONST_BOBBIN\\Konst\\a.kon");
  EXPECT_EQ(ReadShortString(&d[394], 255), "D:\\CONST_BOBBIN\\Korper\\b.kor");
  EXPECT_EQ(ReadShortString(&d[22], 255), s.Bin("nowhere.kvr"));

  Stanica* t = &s;
  t->prog.reset();
  TProg& q = t->Start();
  TKontext& k2 = t->K();
  EXPECT_EQ(k2.Stroj.Model, "KVR - 100");
  EXPECT_EQ(k2.Stroj.Prevod, 2);
  EXPECT_EQ(k2.Program.MenoSuboru, s.Bin("nowhere.kvr"));
  EXPECT_EQ(k2.Program.MenoKonstant, konstanty);
  EXPECT_EQ(k2.Program.MenoKostricky, kostricka);
  EXPECT_EQ(static_cast<long double>(k2.Kostricka.Komory[0].KomoraP), 12.5L);
  EXPECT_EQ(k2.AktKomora, 1);
  EXPECT_EQ(static_cast<long double>(k2.KonstKroky[7].Hodnota), 4.5L);
  EXPECT_DOUBLE_EQ(q.Zoom, 1.3);
  // The main window always starts at 0, 0; the others where they were.
  EXPECT_EQ(q.Bounds.Left, 0);
  EXPECT_EQ(q.fVstup.Bounds.Left, 555);
  EXPECT_EQ(q.fVstup.Bounds.Top, 66);
  EXPECT_EQ(q.fModel.Bounds.Left, 250);
  EXPECT_EQ(q.fModel.Bounds.Top, 260);
  EXPECT_EQ(GetU16(k2.Desktop.Bytes() + 282), 33);
  // DefKonst.kvr was written beside the desktop file.
  EXPECT_EQ(s.dir.Read("bin/DefKonst.kvr").size(), 612u);
  s.ui.Verify();
}

// A KVR-T program of three steps, written by a scratch station.
Bajty ProgramT() {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  k.Stroj.Model = "KVR - 22";
  k.Stroj.Prevod = 1;
  NastavModel(k);
  for (int i = 1; i <= 3; ++i) {
    k.Program.Kroky[i] = DefaultStep(TPredvolba::Navijanie);
    k.Program.Kroky[i].Hodnota = 10.0L * i;
  }
  k.Program.Kroky[3].TypCyklu = 0;
  PrepocitajKroky(k.Program);
  return ProgramImage(k, "prog.kvr", 3, false);
}

TEST(Desktop, TheLastProgramIsReopened) {
  Stanica s;
  s.Start();
  s.dir.Write("bin/prog.kvr", ProgramT());
  s.K().Program.MenoSuboru = s.Bin("prog.kvr");
  ASSERT_TRUE(s.prog->FormClose());
  s.prog.reset();
  s.Start();
  EXPECT_EQ(s.K().Program.PocetKrokov, 3);
  EXPECT_EQ(static_cast<long double>(s.K().Program.Kroky[2].Hodnota), 20.0L);
  EXPECT_EQ(s.K().Program.PoslednyOtvor, s.Bin("prog.kvr"));
  s.ui.Verify();
}

TEST(Desktop, OpeningAProgramShowsItFromTheBottomWithoutSelection) {
  Stanica s;
  TProg& p = s.Start();
  s.dir.Write("bin/prog.kvr", ProgramT());
  p.drawing.ScrollBar1.Position = 100;
  s.K().Vyber.BlokOd = 1;
  s.K().Vyber.BlokDo = 2;
  p.stepPanel.BKrok.Caption = "SCHRITT: 9";
  s.ui.ExpectOpen(s.Bin("prog.kvr"));
  p.fileMenu.mnSuborOtvor.Click();
  EXPECT_EQ(s.K().Program.PocetKrokov, 3);
  EXPECT_EQ(p.drawing.ScrollBar1.Position, p.drawing.ScrollBar1.Max);
  EXPECT_EQ(s.K().Vyber.BlokOd, 0);
  EXPECT_EQ(p.stepPanel.BKrok.Caption, "SCHRITT: 0");
  s.ui.Verify();
}

TEST(Desktop, AProgramWithWarningsIsNotReopened) {
  Stanica s;
  s.Start();
  Bajty tw = ProgramT();
  for (uint8_t b : Bajty{'[', 'W', ']', 0x0D, 0x0A, 0x57, 0x52, 0x4E, 0x01}) tw.push_back(b);
  s.dir.Write("bin/prog_w.kvr", tw);
  s.K().Program.MenoSuboru = s.Bin("prog_w.kvr");
  ASSERT_TRUE(s.prog->FormClose());
  s.prog.reset();
  s.ui.ExpectError("Ausgewählte Datei enthält nicht Spulenbeschreibung !");
  s.Start();
  EXPECT_EQ(s.K().Program.PocetKrokov, 0);
  s.ui.Verify();
}

TEST(Desktop, AMissingLastProgramOpensNothingAndSaysNothing) {
  Stanica s;
  s.Start();
  s.K().Program.MenoSuboru = s.Bin("gone.kvr");
  ASSERT_TRUE(s.prog->FormClose());
  s.prog.reset();
  s.Start();
  EXPECT_EQ(s.K().Program.PocetKrokov, 0);
  s.ui.Verify();
}

// ---- Closing ----------------------------------------------------------------

struct CloseCase {
  const char* name;
  uint8_t zmeneny;
  uint8_t online;
  std::vector<TMsgAnswer> answers;  // to the save question; none = not asked
  std::optional<std::string> saveAs;  // the save dialog, when it comes
  bool closes;
  bool desktopWritten;
};

class Closing : public ::testing::TestWithParam<CloseCase> {};

TEST_P(Closing, AsksWhenModifiedAndKeepsTheStationOpenWhenTheSaveDoesNotHappen) {
  const CloseCase& c = GetParam();
  Stanica s;
  s.Start();
  fs::remove(s.Bin("TORVENA_KVR_T.DSK"));
  TKontext& k = s.K();
  k.Program.Kroky[1] = DefaultStep(TPredvolba::Navijanie);
  PrepocitajKroky(k.Program);
  k.Program.Zmeneny = c.zmeneny;
  k.Program.Online = c.online;
  for (TMsgAnswer a : c.answers) s.ui.ExpectMessage(TMsgKind::Warning, "Vorschlag wurde modifiziert, speichern ?", a);
  const bool saveDialog = !c.answers.empty() && c.answers[0] == TMsgAnswer::Yes;
  if (saveDialog) s.ui.ExpectSave(c.saveAs ? std::optional<std::string>(s.Bin(*c.saveAs)) : std::nullopt);
  EXPECT_EQ(s.prog->FormClose(), c.closes);
  EXPECT_EQ(s.dir.Exists("bin/TORVENA_KVR_T.DSK"), c.desktopWritten);
  EXPECT_EQ(s.pl.starterQuits, c.closes ? 1 : 0);
  if (c.saveAs) {
    EXPECT_EQ(s.dir.Read("bin/" + *c.saveAs).size(), ProgramImage(k, s.Bin(*c.saveAs), 1, false).size());
  }
  s.ui.Verify();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Closing,
    ::testing::Values(CloseCase{"Unmodified", 0, 0, {}, std::nullopt, true, true},
                      CloseCase{"Online", 1, 1, {}, std::nullopt, true, true},
                      CloseCase{"Cancel", 1, 0, {TMsgAnswer::Cancel}, std::nullopt, false, false},
                      CloseCase{"No", 1, 0, {TMsgAnswer::No}, std::nullopt, true, true},
                      CloseCase{"YesThenSaved", 1, 0, {TMsgAnswer::Yes}, std::string("out.kvr"), true, true},
                      CloseCase{"YesThenDialogCancelled", 1, 0, {TMsgAnswer::Yes}, std::nullopt, false, false}),
    [](const ::testing::TestParamInfo<CloseCase>& i) { return std::string(i.param.name); });

TEST(Closing, TheWindowPlacesAreStoredOnlyForTheWindowsThatKeepThem) {
  Stanica s;
  TProg& p = s.Start();
  p.fModel.Bounds.Left = 777;  // the model window's place is never stored
  p.fInfo.Bounds.Left = 321;
  p.mnOptionsOknaClick();
  EXPECT_EQ(s.K().Desktop.Okna[kSlotModel].Left, 0);
  EXPECT_EQ(s.K().Desktop.Okna[kSlotInfo].Left, 321);
}

// ---- Window places ----------------------------------------------------------

TEST(WindowPlaces, APlaceOffTheScreenFallsBackTo100) {
  struct Case {
    uint16_t left, top;
    int expLeft, expTop;
  };
  const Case cases[] = {
      {1869, 1029, 1869, 1029}, {1870, 1030, 100, 100}, {1900, 5, 100, 5},
      {0xFFFF, 0xFFF0, 100, 100},  // a negative place reads as a large unsigned one
      {0, 0, 0, 0},
  };
  TDesktop d = DefaultDesktop();
  const TRect navrh{7, 9, 300, 200};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.left);
    d.Okna[kSlotVstup].Left = c.left;
    d.Okna[kSlotVstup].Top = c.top;
    const TRect r = UmiestniOkno(d, kSlotVstup, {1920, 1080}, navrh);
    EXPECT_EQ(r.Left, c.expLeft);
    EXPECT_EQ(r.Top, c.expTop);
    EXPECT_EQ(r.Width, navrh.Width);  // the size stays as designed
    EXPECT_EQ(r.Height, navrh.Height);
  }
}

// ---- The panel software's configuration ------------------------------------

TEST(WindingProgram, WrittenWithForwardSlashesAsUtf8OnlyWhenTheFileExists) {
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePlatform pl((dir.path() / "drives").string());
  TKontext k(ui, pl);
  ZapisWindingProgram(k, "D:\\WINDING PROGRAMS\\Spule Körper.kvr");
  EXPECT_FALSE(dir.Exists("drives/C/DSQ/WM_cfg.ini"));
  dir.Write("drives/C/DSQ/WM_cfg.ini", Bajty{'[', 'K', 'V', 'R', ']', '\r', '\n', 'X', '=', '1', '\r', '\n'});
  ZapisWindingProgram(k, "D:\\WINDING PROGRAMS\\Spule Körper.kvr");
  const Bajty b = dir.Read("drives/C/DSQ/WM_cfg.ini");
  const std::string text(b.begin(), b.end());
  EXPECT_NE(text.find("WindingProgram=D:/WINDING PROGRAMS/Spule K\xC3\xB6rper.kvr"), std::string::npos) << text;
  EXPECT_NE(text.find("X=1"), std::string::npos);
  // A path of this machine under the drive root is the panel PC's path there.
  ZapisWindingProgram(k, pl.MapSystemPath("D:\\WINDING PROGRAMS\\b.kvr"));
  const Bajty c = dir.Read("drives/C/DSQ/WM_cfg.ini");
  EXPECT_NE(std::string(c.begin(), c.end()).find("WindingProgram=D:/WINDING PROGRAMS/b.kvr"), std::string::npos);
}

// ---- Bobbins ----------------------------------------------------------------

Bajty Kostricka(size_t velkost, size_t komory) {
  Bajty b(velkost, 0);
  b[0] = 4;
  std::memcpy(b.data() + 1, "Test", 4);
  for (size_t c = 0; c < komory; ++c) {
    Real48(static_cast<long double>(c + 1)).ToBytes(b.data() + 256 + 12 * c);
    Real48(static_cast<long double>(c + 1) + 0.5L).ToBytes(b.data() + 256 + 12 * c + 6);
  }
  Real48(3.5L).ToBytes(b.data() + (komory == 10 ? 376 : 496));
  return b;
}

TEST(Bobbin, FileSizesDecideTheRecord) {
  struct Case {
    size_t size;
    int chambers;  // 0 = refused
  };
  const Case cases[] = {{381, 0}, {382, 10}, {501, 10}, {502, 20}, {1003, 20}, {1004, 0}, {0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    test::TempDir dir;
    test::ScriptedUi ui;
    test::FakePlatform pl;
    TKontext k(ui, pl);
    const bool old = c.chambers == 10;
    dir.Write("b.kor", c.size >= 382 ? Kostricka(c.size, old ? 10 : 20) : Bajty(c.size, 7));
    TKostricka kost{};
    kost.Komory[15].KomoraP = 99.0L;
    if (c.chambers == 0) ui.ExpectError("Unbekannter Dateiart !");
    NacitajKostricku(k, dir / "b.kor", kost);
    ui.Verify();
    if (c.chambers == 0) {
      EXPECT_EQ(static_cast<long double>(kost.Komory[15].KomoraP), 99.0L);
      continue;
    }
    EXPECT_EQ(ReadShortString(kost.Popis, 255), "Test");
    EXPECT_EQ(static_cast<long double>(kost.Komory[9].KomoraP), 10.5L);
    EXPECT_EQ(static_cast<long double>(kost.Komory[10].KomoraL), old ? 0.0L : 11.0L);
    EXPECT_EQ(static_cast<long double>(kost.Komory[15].KomoraP), old ? 0.0L : 16.5L);
    EXPECT_EQ(static_cast<long double>(kost.Abstand), 3.5L);
  }
}

TEST(Bobbin, AnOldBobbinIsSavedAsTheCurrentRecord) {
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  dir.Write("old.kor", Kostricka(382, 10));
  TKostricka kost{};
  NacitajKostricku(k, dir / "old.kor", kost);
  UlozKostricku(dir / "new.kor", kost);
  const Bajty b = dir.Read("new.kor");
  ASSERT_EQ(b.size(), 502u);
  EXPECT_EQ(R48At(b, 256 + 12 * 9 + 6), 10.5L);
  EXPECT_EQ(R48At(b, 256 + 12 * 10), 0.0L);
  EXPECT_EQ(R48At(b, 496), 3.5L);
}

TEST(Bobbin, ChoosingReadsTheFileAndCancellingRereadsTheCurrentOne) {
  Stanica s;
  TProg& p = s.Start();
  TKontext& k = s.K();
  s.dir.Write("drives/D/CONST_BOBBIN/Korper/a.kor", Kostricka(502, 20));
  const std::string a = s.dir / "drives/D/CONST_BOBBIN/Korper/a.kor";
  // No bobbin yet: the dialog starts in the default folder without a name.
  s.ui.ExpectOpen(a, [&](const TFileDialog& d) {
    EXPECT_EQ(d.InitialDir, s.dir / "drives/D/CONST_BOBBIN/Korper/");
    EXPECT_EQ(d.FileName, "");
  });
  k.Program.Zmeneny = 0;
  p.bobbinMenu.mnKostrickaVyber.Click();
  EXPECT_EQ(k.Program.MenoKostricky, a);
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Komory[0].KomoraP), 1.5L);
  EXPECT_EQ(static_cast<long double>(k.KostrickaNavrh.Komory[0].KomoraP), 1.5L);
  EXPECT_EQ(k.AktKomora, 1);
  EXPECT_EQ(k.Program.Zmeneny, 1);
  EXPECT_NE(p.captions.lbKostricka.Caption.find("a.kor"), std::string::npos);

  // Cancelled with a bobbin current: the same file is read again.
  k.Kostricka.Komory[0].KomoraP = 0.0L;
  s.ui.ExpectOpen(std::nullopt, [&](const TFileDialog& d) { EXPECT_EQ(d.FileName, a); });
  p.captions.lbKostricka.Click();
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Komory[0].KomoraP), 1.5L);

  // Removed, then cancelled: nothing is read, the name stays empty.
  p.bobbinMenu.mnKostrickaZrus.Click();
  EXPECT_EQ(k.Program.MenoKostricky, "");
  EXPECT_EQ(k.AktKomora, 0);
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Abstand), 0.0L);
  k.Kostricka.Abstand = 2.0L;
  s.ui.ExpectOpen(std::nullopt);
  p.bobbinMenu.mnKostrickaVyber.Click();
  EXPECT_EQ(k.Program.MenoKostricky, "");
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Abstand), 2.0L);
  s.ui.Verify();
}

// ---- Constants ----------------------------------------------------------------

void VycistiSablony(TKontext& k) { std::memset(static_cast<void*>(k.KonstKroky.data()), 0, sizeof k.KonstKroky); }

struct Konstanty : ::testing::Test {
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  void SetUp() override {
    k.Stroj.Model = "KVR - 22";
    k.Stroj.Prevod = 1;
    NastavModel(k);
  }
};

TEST_F(Konstanty, RoundTripForcesTheKinds) {
  PredvoleneKonstanty(k);
  k.KonstKroky[6].Druh = 1;  // "VERSCHIEBUNG" is written as a shift whatever it holds
  k.KonstKroky[6].Hodnota = 12.5L;
  k.KonstKroky[0].Hodnota = 250.0L;
  k.KonstKroky[0].PosuvMM = 0.5L;
  k.KonstKroky[2].Druh = 3;  // "LAGE WIND.AUT." is written as windings
  k.KonstKroky[8].Hodnota = 2000.0L;
  UlozKonstanty(k, dir / "k.kon");
  ASSERT_EQ(dir.Read("k.kon").size(), 612u);
  EXPECT_EQ(k.KonstKroky[6].Druh, 2);
  EXPECT_EQ(k.KonstKroky[2].Druh, 1);
  const std::array<TKrok, 9> written = k.KonstKroky;

  VycistiSablony(k);
  NacitajKonstanty(k, dir / "k.kon");
  EXPECT_EQ(k.KonstKroky[6].Druh, 2);
  EXPECT_EQ(static_cast<long double>(k.KonstKroky[6].Hodnota), 12.5L);
  EXPECT_EQ(static_cast<long double>(k.KonstKroky[0].Hodnota), 250.0L);
  EXPECT_EQ(static_cast<long double>(k.KonstKroky[0].PosuvMM), 0.5L);
  EXPECT_EQ(static_cast<long double>(k.KonstKroky[8].Hodnota), 2000.0L);
  // Taping has no feed: it comes back as a taping step.
  EXPECT_EQ(k.KonstKroky[5].Druh, 6);
  for (size_t i = 0; i < 9; ++i) {
    SCOPED_TRACE(i);
    if (i != 5) {
      EXPECT_EQ(k.KonstKroky[i].Druh, written[i].Druh);
    }
    EXPECT_EQ(static_cast<long double>(k.KonstKroky[i].LRev), static_cast<long double>(written[i].LRev));
    EXPECT_EQ(static_cast<long double>(k.KonstKroky[i].PRev), static_cast<long double>(written[i].PRev));
  }
  // Each template went into its own file record: record 2 is the shift.
  const Bajty b = dir.Read("k.kon");
  TKrok r;
  KrokZTBuf(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, 1), b, 2 * 68, r);
  EXPECT_EQ(r.Druh, 2);
  EXPECT_EQ(static_cast<long double>(r.Hodnota), 12.5L);
}

TEST_F(Konstanty, AFileOfAnotherSizeOrNoneGivesTheDefaults) {
  for (const size_t size : {size_t{0}, size_t{611}, size_t{680}, size_t{700}, size_t{40000}}) {
    SCOPED_TRACE(size);
    VycistiSablony(k);
    dir.Write("x.kon", Bajty(size, 0x11));
    NacitajKonstanty(k, dir / "x.kon");
    EXPECT_EQ(k.KonstKroky[0].Druh, 1);
    EXPECT_EQ(static_cast<long double>(k.KonstKroky[0].Hodnota), 100.0L);
    EXPECT_EQ(static_cast<long double>(k.KonstKroky[7].Hodnota), 3.0L);
  }
  VycistiSablony(k);
  NacitajKonstanty(k, dir / "missing.kon");
  EXPECT_EQ(k.KonstKroky[8].Druh, 4);
}

TEST(KonstantyCommands, OpenAndSaveThroughTheMenu) {
  Stanica s;
  TProg& p = s.Start();
  TKontext& k = s.K();
  const std::string f = s.dir / "drives/E/k.kon";
  fs::create_directories(s.dir.path() / "drives/E");
  k.KonstKroky[7].Hodnota = 8.0L;
  s.ui.ExpectSave(f, [&](const TFileDialog& d) {
    EXPECT_EQ(d.InitialDir, s.dir / "drives/D/CONST_BOBBIN/Konst/");
  });
  p.templatesMenu.mkUloz.Click();
  EXPECT_EQ(k.Program.MenoKonstant, f);
  EXPECT_EQ(s.dir.Read("drives/E/k.kon").size(), 612u);
  // A cancelled save changes nothing.
  s.ui.ExpectSave(std::nullopt);
  p.templatesMenu.mkUloz.Click();
  EXPECT_EQ(k.Program.MenoKonstant, f);

  k.KonstKroky[7].Hodnota = 1.0L;
  k.Program.Zmeneny = 0;
  s.ui.ExpectOpen(std::nullopt, [&](const TFileDialog& d) {
    EXPECT_EQ(d.FileName, f);
    EXPECT_EQ(d.InitialDir, s.dir / "drives/E/");
  });
  p.captions.lbKonstanty.Click();
  EXPECT_EQ(static_cast<long double>(k.KonstKroky[7].Hodnota), 8.0L);
  EXPECT_EQ(k.Program.Zmeneny, 1);
  EXPECT_NE(p.captions.lbKonstanty.Caption.find("k.kon"), std::string::npos);
  s.ui.Verify();
}

TEST(KonstantyCommands, AFileThatCannotBeReadIsReportedAndChangesNothing) {
  Stanica s;
  TProg& p = s.Start();
  TKontext& k = s.K();
  fs::create_directories(s.dir.path() / "ordner.kon");
  fs::create_symlink(kNecitatelny, s.dir.path() / "mem.kon");
  const struct {
    std::string cesta;
    std::string sprava;
  } pripady[] = {
      {s.dir / "ordner.kon", " Keine Datei: \"" + (s.dir / "ordner.kon") + "\""},
      {s.dir / "mem.kon", " Fehler beim Lesen: \"" + (s.dir / "mem.kon") + "\""},
  };
  for (const auto& c : pripady) {
    SCOPED_TRACE(c.cesta);
    k.KonstKroky[7].Hodnota = 8.0L;
    k.Program.MenoKonstant.clear();
    k.Program.Zmeneny = 0;
    const std::string titulok = p.captions.lbKonstanty.Caption;
    s.ui.ExpectOpen(c.cesta).ExpectReport(c.sprava);
    RunEvent(*k.Ui, [&] { p.templatesMenu.mkOtvor.Click(); });
    s.ui.Verify();
    EXPECT_EQ(static_cast<long double>(k.KonstKroky[7].Hodnota), 8.0L);
    EXPECT_EQ(k.Program.MenoKonstant, "");
    EXPECT_EQ(k.Program.Zmeneny, 0);
    EXPECT_EQ(p.captions.lbKonstanty.Caption, titulok);
  }
}

TEST(Bobbin, AFileThatCannotBeReadIsReportedAndChangesNothing) {
  Stanica s;
  TProg& p = s.Start();
  TKontext& k = s.K();
  fs::create_directories(s.dir.path() / "ordner.kor");
  k.Program.MenoKostricky = s.dir / "alt.kor";
  k.Kostricka.Abstand = 4.0L;
  k.Program.Zmeneny = 0;
  s.ui.ExpectOpen(s.dir / "ordner.kor").ExpectReport(" Keine Datei: ");
  RunEvent(*k.Ui, [&] { p.bobbinMenu.mnKostrickaVyber.Click(); });
  s.ui.Verify();
  EXPECT_EQ(k.Program.MenoKostricky, s.dir / "alt.kor");
  EXPECT_EQ(static_cast<long double>(k.Kostricka.Abstand), 4.0L);
  EXPECT_EQ(k.Program.Zmeneny, 0);
}

TEST(StartTexts, TheMenusCarryTheirGermanTextsAndTags) {
  Stanica s;
  TProg& p = s.Start();
  EXPECT_EQ(p.bobbinMenu.mnKOSTRICKA.Caption, "SPULENKÖRPER");
  EXPECT_EQ(p.bobbinMenu.mnKostrickaZrus.Parent, "mnKOSTRICKA");
  EXPECT_EQ(p.templatesMenu.mkVrstvaPosuv.Caption, "LAGE VORSCH.AUT.");
  EXPECT_EQ(p.templatesMenu.mkVrstvaPosuv.Parent, "mnKONSTANTY");
  EXPECT_EQ(p.stepKinds.bFunctions.Caption, "    FUNKTION.   ");
  EXPECT_EQ(p.fileMenu.mnUlozGX.Tag, 0);
  EXPECT_EQ(p.fileMenu.mnUlozT.Tag, 1);
  EXPECT_TRUE(p.optionsMenu.mnKontrol.Enabled);
  EXPECT_FALSE(p.optionsMenu.mnParametre.Enabled);
  EXPECT_EQ(p.optionsMenu.mnZoomPlus.Caption, "Zoom +");
  EXPECT_EQ(p.machineState.pStav.Caption, "KVR - 22 :  OFFLINE");
}

}  // namespace
}  // namespace kvr
