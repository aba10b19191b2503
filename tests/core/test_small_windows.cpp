// The four small windows: information, error descriptions, warning, wait;
// and the files the station ships beside its executable.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/codepage.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "ui/errors_window.h"
#include "ui/info_window.h"
#include "model/context.h"
#include "ui/main_window.h"
#include "ui/wait_window.h"
#include "ui/warnings_window.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bajty(const std::string& s) { return {s.begin(), s.end()}; }
std::string Text(const std::vector<uint8_t>& b) { return {b.begin(), b.end()}; }

const std::string kZdroj = std::string(KVR_TEST_DATA) + "/../../assets/";

// ---- Error descriptions ---------------------------------------------------------

TEST(KleineOknaErrors, EditedTextIsSavedAndShownAtTheNextOpening) {
  test::TempDir dir("kvr-errors");
  test::ScriptedUi ui;
  // The startup folder is not set yet: the platform's folder is used.
  test::FakePlatform pl("/nonexistent-kvr-drives", dir.path().string());
  TProg prog(ui, pl);
  TfErrors& f = prog.fErrors;
  dir.Write("Errors.de", Bajty("Err-4 : Vorschub zu gro\xDF\r\nErr-6 : Sprung\r\n"));

  f.Zobraz();
  ASSERT_EQ(ui.shown, std::vector<std::string>{"fErrors"});
  EXPECT_EQ(f.Caption, "Fehlerbeschreibung");
  EXPECT_EQ(f.Memo1.Items, (std::vector<std::string>{"Err-4 : Vorschub zu groß", "Err-6 : Sprung"}));

  f.Memo1.Items[1] = "Err-6 : Sprung nach \"Aut.schnell\" – geändert";
  f.Memo1.Items.push_back("");
  f.Memo1.Items.push_back("Notiz");
  EXPECT_TRUE(f.FormClose());
  f.Close();
  EXPECT_EQ(Text(dir.Read("Errors.de")),
            "Err-4 : Vorschub zu gro\xDF\r\nErr-6 : Sprung nach \"Aut.schnell\" \x96 ge\xE4ndert\r\n\r\nNotiz\r\n");

  f.Memo1.Items.clear();
  f.Zobraz();
  EXPECT_EQ(f.Memo1.Items, (std::vector<std::string>{"Err-4 : Vorschub zu groß",
                                                       "Err-6 : Sprung nach \"Aut.schnell\" – geändert", "", "Notiz"}));
}

TEST(KleineOknaErrors, ReadsLineEndingsAndEncodingsAsTheyComeOnDisk) {
  struct Pripad {
    const char* popis;
    std::string bajty;
    std::vector<std::string> riadky;
  };
  const Pripad pripady[] = {
      {"empty", "", {}},
      {"CR LF, last line ended", "a\r\nb\r\n", {"a", "b"}},
      {"last line not ended", "a\r\nb", {"a", "b"}},
      {"LF only", "a\nb\n", {"a", "b"}},
      {"lone CR", "a\rb", {"a", "b"}},
      {"empty lines kept", "a\r\n\r\n\nb\r\n", {"a", "", "", "b"}},
      {"only a line break", "\r\n", {""}},
      {"Windows-1252", "\xC4nderung \x80 \x84x\x93", {"Änderung € „x“"}},
      {"UTF-8 with signature", "\xEF\xBB\xBFZ\xC3\xA4hler", {"Zähler"}},
      {"UTF-8 without signature", "Z\xC3\xA4hler\r\n\xC3\xBC", {"Zähler", "ü"}},
      {"Windows-1252 that is no UTF-8", "\xC3\x28", {"Ã("}},
  };
  for (const Pripad& p : pripady) EXPECT_EQ(RiadkyTextu(p.bajty), p.riadky) << p.popis;
}

TEST(KleineOknaErrors, WritesWindows1252WithCrLfAfterEveryLine) {
  struct Pripad {
    const char* popis;
    std::vector<std::string> riadky;
    std::string bajty;
  };
  const Pripad pripady[] = {
      {"nothing", {}, ""},
      {"one empty line", {""}, "\r\n"},
      {"umlauts and euro", {"Größe 5 €", "x"}, "Gr\xF6\xDF" "e 5 \x80\r\nx\r\n"},
      {"line breaks inside a line", {"a\nb", "c\r\nd", "e\rf"}, "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\n"},
      {"no Windows-1252 character", {"Ω"}, "?\r\n"},
  };
  for (const Pripad& p : pripady) EXPECT_EQ(TextZRiadkov(p.riadky), p.bajty) << p.popis;
}

TEST(KleineOknaErrors, MissingFileIsReportedAndNotCreatedUnlessEdited) {
  test::TempDir dir("kvr-errors");
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  k.Program.StartAdresar = dir.path().string() + "/";  // a trailing separator is not doubled
  TfErrors f(k);
  dir.Write("Errors.de", Bajty("alt\r\n"));
  ui.Show(f);
  ASSERT_EQ(f.Memo1.Items, std::vector<std::string>{"alt"});
  f.Close();
  fs::remove(dir.path() / "Errors.de");

  // The earlier lines do not stay in the window.
  ui.ExpectReport(dir / "Errors.de");
  ui.Show(f);
  EXPECT_TRUE(f.Memo1.Items.empty());
  EXPECT_TRUE(f.FormClose());
  EXPECT_FALSE(dir.Exists("Errors.de"));

  ui.ExpectReport("Errors.de");
  ui.Show(f);
  f.Memo1.Items = {"neu"};
  EXPECT_TRUE(f.FormClose());
  EXPECT_EQ(Text(dir.Read("Errors.de")), "neu\r\n");
}

TEST(KleineOknaErrors, FailedSaveKeepsTheWindowOpenOnceThenGivesUp) {
  test::TempDir dir("kvr-errors");
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  k.Program.StartAdresar = dir.path().string();
  fs::create_directory(dir.path() / "Errors.de");  // can be neither read nor written
  TfErrors f(k);
  ui.ExpectReport("Errors.de");
  ui.Show(f);
  f.Memo1.Items = {"Err-4 : neu"};

  ui.ExpectReport("Kann man nicht speichern");
  EXPECT_FALSE(f.FormClose());
  EXPECT_EQ(f.Memo1.Items, std::vector<std::string>{"Err-4 : neu"});
  // Closing again with the same lines gives them up without another report.
  EXPECT_TRUE(f.FormClose());
  // Lines edited further are tried again.
  f.Memo1.Items.push_back("x");
  ui.ExpectReport("Kann man nicht speichern");
  EXPECT_FALSE(f.FormClose());
  EXPECT_TRUE(fs::is_directory(dir.path() / "Errors.de"));
}

// ---- Information window -----------------------------------------------------------

TEST(KleineOknaInfo, PicturesComeFromTheStartupFolderAndMissingOnesAreReported) {
  struct Pripad {
    const char* nav3;  // content, nullptr = missing
    const char* info;
    std::vector<std::string> hlasenia;
  };
  const Pripad pripady[] = {
      {"BM1", "BM2", {}},
      {nullptr, "BM2", {"nav3.bmp"}},
      {"BM1", nullptr, {"info.bmp"}},
      {nullptr, nullptr, {"nav3.bmp", "info.bmp"}},
      {"GIF89a", "BM2", {"kein BMP-Bild"}},
      {"", "BM2", {"kein BMP-Bild"}},
  };
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.hlasenia.empty() ? "all present" : p.hlasenia.front());
    test::TempDir dir("kvr-info");
    test::ScriptedUi ui;
    test::FakePlatform pl;
    TKontext k(ui, pl);
    k.Program.StartAdresar = dir.path().string();
    if (p.nav3 != nullptr) dir.Write("nav3.bmp", Bajty(p.nav3));
    if (p.info != nullptr) dir.Write("info.bmp", Bajty(p.info));
    TfInfo f(k);
    // A picture of an earlier showing does not remain.
    f.Image1.Caption = "alt";
    f.Image2.Caption = "alt";
    // The reports come from the showing itself.
    ui.ExpectModal("fInfo", {});
    for (const std::string& h : p.hlasenia) ui.ExpectReport(h);
    f.Zobraz();
    const bool nav3Ok = p.nav3 != nullptr && std::strncmp(p.nav3, "BM", 2) == 0;
    EXPECT_EQ(f.Image1.Caption, nav3Ok ? dir / "nav3.bmp" : "");
    EXPECT_EQ(f.Image2.Caption, p.info != nullptr ? dir / "info.bmp" : "");
  }
}

// ---- Placement -----------------------------------------------------------------------

TEST(KleineOknaMiesto, InfoAndErrorsArePlacedFromTheirOwnSlots) {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  for (int s = 0; s < kPocetSlotov; ++s) {
    k.Desktop.Okna[s].Left = static_cast<uint16_t>(10 + s);
    k.Desktop.Okna[s].Top = static_cast<uint16_t>(20 + s);
  }
  k.Desktop.Okna[kSlotInfo].Top = 2000;  // off the screen
  TfErrors e(k);
  TfInfo i(k);
  e.FormCreate();
  i.FormCreate();
  EXPECT_EQ(e.Bounds, (TRect{10 + 11, 20 + 11, 719, 646}));
  EXPECT_EQ(i.Bounds, (TRect{10 + 12, 100, 661, 361}));
}

// ---- Wait and warning windows ---------------------------------------------------------

TEST(KleineOknaWait, XReturnsControlAtOnceWithOk) {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  TfWait f(k);
  int zatvorenia = 0;
  f.OnCloseRequested = [&](TForm&) { ++zatvorenia; };
  ui.ExpectModal("fWait", [&](TForm& w) {
    ASSERT_EQ(&w, &f);
    f.bX.Click();
    // The showing ends on the click itself, not on anything later.
    EXPECT_EQ(zatvorenia, 1);
    EXPECT_FALSE(f.Visible);
  });
  EXPECT_EQ(f.Cakaj(), TModalResult::Ok);
  EXPECT_EQ(f.bX.Caption, " x ");
  EXPECT_EQ(f.bX.Parent, "pWait");
}

TEST(KleineOknaWait, AnswerClosesItWithOkAndALateAnswerDoesNothing) {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  TfWait f(k);
  int zatvorenia = 0;
  f.OnCloseRequested = [&](TForm&) { ++zatvorenia; };
  ui.ExpectModal("fWait", [&](TForm&) { f.Skonci(); });
  EXPECT_EQ(f.Cakaj(), TModalResult::Ok);
  EXPECT_EQ(zatvorenia, 1);
  f.ModalResult = TModalResult::None;
  f.Skonci();
  EXPECT_EQ(zatvorenia, 1);
  EXPECT_EQ(f.ModalResult, TModalResult::None);
}

TEST(KleineOknaWarnings, ShowsTheTextAndClosesWithOkByTapOrByTheCaller) {
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  TfWarnings f(k);
  int zatvorenia = 0;
  f.OnCloseRequested = [&](TForm&) { ++zatvorenia; };
  ui.ExpectModal("fWarnings", [&](TForm&) {
    EXPECT_EQ(f.pWarning.Caption, "Draht wechseln");
    f.pWarning.Click();
  });
  EXPECT_EQ(f.Zobraz("Draht wechseln"), TModalResult::Ok);
  ui.ExpectModal("fWarnings", [&](TForm&) {
    EXPECT_EQ(f.pWarning.Caption, "Klebeband");
    f.Zavri();
  });
  EXPECT_EQ(f.Zobraz("Klebeband"), TModalResult::Ok);
  EXPECT_EQ(zatvorenia, 2);
  // Not shown: the caller's close changes nothing.
  f.ModalResult = TModalResult::None;
  f.Zavri();
  EXPECT_EQ(zatvorenia, 2);
  EXPECT_EQ(f.ModalResult, TModalResult::None);
}

// ---- Shipped files -------------------------------------------------------------------------

TEST(KleineOknaSubory, ShippedErrorsFileDescribesEveryCodeInWindows1252) {
  std::ifstream in(kZdroj + "Errors.de", std::ios::binary);
  ASSERT_TRUE(in) << kZdroj << "Errors.de";
  const std::string bajty{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(bajty.empty());
  for (size_t i = 0; i < bajty.size(); ++i) {
    const auto b = static_cast<uint8_t>(bajty[i]);
    // Undefined in Windows-1252.
    EXPECT_TRUE(b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D) << "byte " << i;
    if (b == '\r') {
      EXPECT_TRUE(i + 1 < bajty.size() && bajty[i + 1] == '\n') << "lone CR at " << i;
    } else if (b == '\n') {
      EXPECT_TRUE(i > 0 && bajty[i - 1] == '\r') << "LF without CR at " << i;
    } else {
      EXPECT_TRUE(b >= 0x20 && b != 0x7F) << "control byte at " << i;
    }
  }
  EXPECT_TRUE(bajty.ends_with("\r\n"));
  // Windows-1252, not UTF-8: the window would read UTF-8 as such.
  EXPECT_EQ(RiadkyTextu(bajty), RiadkyTextu(Cp1252NaUtf8(bajty)));

  // Read through the window, each code heads its own description.
  test::ScriptedUi ui;
  test::FakePlatform pl;
  TKontext k(ui, pl);
  k.Program.StartAdresar = kZdroj;
  TfErrors f(k);
  ui.Show(f);
  for (const char* kod : {"Err-4", "Err-6", "Err-20", "Err-21", "Err-22", "Err-23", "Err-24", "Err-25"}) {
    const std::string hlavicka = std::string(kod) + " : ";
    int pocet = 0;
    for (const std::string& r : f.Memo1.Items)
      if (r.starts_with(hlavicka) && r.size() > hlavicka.size() + 10) ++pocet;
    EXPECT_EQ(pocet, 1) << kod;
  }
  bool umlaut = false;
  for (const std::string& r : f.Memo1.Items) umlaut = umlaut || r.find("ü") != std::string::npos;
  EXPECT_TRUE(umlaut);
}

TEST(KleineOknaSubory, ShippedPicturesAreUncompressed24BitBitmaps) {
  for (const char* meno : {"nav3.bmp", "info.bmp"}) {
    SCOPED_TRACE(meno);
    std::ifstream in(kZdroj + meno, std::ios::binary);
    ASSERT_TRUE(in);
    const std::vector<uint8_t> d{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_GE(d.size(), 54u);
    auto u32 = [&](size_t o) { return uint32_t{d[o]} | uint32_t{d[o + 1]} << 8 | uint32_t{d[o + 2]} << 16 | uint32_t{d[o + 3]} << 24; };
    auto u16 = [&](size_t o) { return uint32_t{d[o]} | uint32_t{d[o + 1]} << 8; };
    EXPECT_EQ(d[0], 'B');
    EXPECT_EQ(d[1], 'M');
    EXPECT_EQ(u32(2), d.size());
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    const uint32_t w = u32(18);
    const uint32_t h = u32(22);
    EXPECT_GT(w, 0u);
    EXPECT_GT(h, 0u);
    EXPECT_EQ(u16(26), 1u);
    EXPECT_EQ(u16(28), 24u);
    EXPECT_EQ(u32(30), 0u);  // no compression
    EXPECT_EQ(d.size(), 54u + (w * 3 + 3) / 4 * 4 * h);
  }
}

}  // namespace
}  // namespace kvr
