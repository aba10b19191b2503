// Renaming KVR-G/C program files after the coil names in their headers: the
// name, the checks, the conversion window driven through its controls, and
// the rename that never replaces a file.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "model/little_endian.h"
#include "platform/no_replace_rename.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "tools/rename_files.h"
#include "ui/main_window.h"
#include "ui/rename_window.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

const Bytes kMarkerGC = {0x55, 0x43, 0x4E, 0x02};
const Bytes kMarkerT = {0x54, 0x43, 0x4E, 0x03};

// A file of the given size whose header carries name (raw bytes) at 20..49
// and which ends in marker; the rest is a recognisable pattern, so a file
// that changed is noticed.
Bytes ProgramFile(const std::string& name, size_t size = 64 * 3 + 1202, const Bytes& marker = kMarkerGC) {
  Bytes b(size);
  for (size_t i = 0; i < size; ++i) b[i] = static_cast<uint8_t>(i * 13 + 1);
  for (size_t i = 20; i < 50; ++i) b[i] = 0;
  for (size_t i = 0; i < name.size() && i < 30; ++i) b[20 + i] = static_cast<uint8_t>(name[i]);
  std::copy(marker.begin(), marker.end(), b.end() - 4);
  return b;
}

std::string Counts(int renamed, int failed) {
  return "počet úspešne konvertovaných súborov:       " + std::to_string(renamed) +
         "\npočet neúspešne konvertovaných súborov:  " + std::to_string(failed);
}

std::string FailedQuestion(const std::string& oldName, const std::string& newName) {
  return "Nepodarilo sa premenovať SuborKonv: \n\n\"" + oldName + "\"\n\n  na: \n\n\"" + newName + "\"\n\nPokračovať ?";
}

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> n;
  for (const auto& e : fs::directory_iterator(dir)) n.push_back(e.path().filename().string());
  std::sort(n.begin(), n.end());
  return n;
}

// The window as the operator meets it: shown, a file chosen with Panel1.
struct Window {
  test::TempDir dir{"kvr-rename"};
  test::ScriptedUi ui;
  TfKonvertNazovToSubor f{ui};

  Window() { f.FormShow(); }
  void Choose(const std::string& name) {
    ui.ExpectOpen(dir / name, [](const TFileDialog& d) { EXPECT_EQ(d.FileName, ""); });
    f.Panel1.Click();
  }
};

TEST(RenameName, TakesTheNameFieldWithoutTheDroppedBytes) {
  struct Case {
    const char* what;
    std::string field;  // bytes 20..49
    std::string name;
  };
  const Case cases[] = {
      {"a slash", "Cievka 12/3", "Cievka 123"},
      {"every dropped character", "A\"*,/:;<=>?[\\]|B", "AB"},
      {"zero bytes inside the field", std::string("AB\0\0CD", 6), "ABCD"},
      {"Windows-1252", "K\xF6rper \x80", "Körper €"},
      {"the whole 30 bytes", std::string(30, 'x'), std::string(30, 'x')},
      {"kept: blanks, points, minus", " a.b - c ", " a.b - c "},
      {"nothing", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes h(256, 0);
    h[19] = 'P';  // the bytes around the field are not part of the name
    h[50] = 'Q';
    std::copy(c.field.begin(), c.field.end(), h.begin() + 20);
    EXPECT_EQ(NameFromHeader(h), c.name);
  }
}

TEST(RenameName, ExtensionIsTheLastPointOfTheLastPart) {
  const std::pair<const char*, const char*> cases[] = {
      {"/a/prog.kvr", ".kvr"}, {"/a/x.tar.gz", ".gz"}, {"/a.d/name", ""}, {"C:\\a.d\\name", ""},
      {"name", ""},           {"/a/.kvr", ".kvr"},     {"/a/name.", "."},
  };
  for (const auto& [path, ext] : cases) EXPECT_EQ(FileExtension(path), ext) << path;
}

TEST(RenameWindow, ShowingSetsTheTextsAndForgetsTheFile) {
  Window w;
  w.Choose("a.kvr");
  w.f.FormShow();
  EXPECT_EQ(w.f.SuborKonv, "");
  EXPECT_EQ(w.f.Caption, " Konverzia:   Názov cievky  ==>  Názov súboru ");
  EXPECT_EQ(w.f.Panel1.Caption, "  SÚBOR:   ");
  EXPECT_EQ(w.f.Label1.Caption, "          K O N V E R Z I A    N Á Z V O V ");
  EXPECT_EQ(w.f.bKonvSubor.Caption, "Konverzia vybraného súboru");
  EXPECT_EQ(w.f.bKonvAdresar.Caption, "Konverzia celého adresára");
  EXPECT_EQ(w.f.chbPripona.Caption, " pri konverzii názvu zachovať príponu súboru ");
  EXPECT_EQ(w.f.chbChybaStoj.Caption, " hlásenie pri neúspešnej konverzii");
  EXPECT_FALSE(w.f.chbPripona.Checked);
  EXPECT_TRUE(w.f.chbChybaStoj.Checked);
  EXPECT_EQ(w.f.Label2.Caption, "");
  // Without a file both buttons only say so.
  w.ui.ExpectError("Vyber požadovaný súbor").ExpectError("Vyber ľubovolný súbor z požadovaného adresára");
  w.f.bKonvSubor.Click();
  w.f.bKonvAdresar.Click();
}

TEST(RenameWindow, ChoosingAFileShowsItAndEmptiesTheResult) {
  Window w;
  w.f.Label2.Caption = Counts(3, 1);
  w.Choose("a.kvr");
  EXPECT_EQ(w.f.SuborKonv, w.dir / "a.kvr");
  EXPECT_EQ(w.f.Panel1.Caption, "  SÚBOR:   " + (w.dir / "a.kvr"));
  EXPECT_EQ(w.f.Label2.Caption, "");
  // The next dialog starts in that folder; a cancelled one keeps the file.
  w.ui.ExpectOpen(std::nullopt, [&](const TFileDialog& d) { EXPECT_EQ(d.InitialDir, w.dir.path().string() + "/"); });
  w.f.Panel1.Click();
  EXPECT_EQ(w.f.SuborKonv, w.dir / "a.kvr");
}

TEST(RenameWindow, RenamesTheChosenFileAfterItsCoilName) {
  struct Case {
    const char* what;
    std::string field;
    bool keepExtension;
    std::string newName;
  };
  const Case cases[] = {
      {"slash and others dropped", "Cievka/12:A?", false, "Cievka12A"},
      {"extension kept", "Cievka/12", true, "Cievka12.kvr"},
      {"Windows-1252 name", "K\xF6rper 5", false, "Körper 5"},
      {"trailing blanks and points go", "Spule 7 . ", false, "Spule 7"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    const Bytes file = ProgramFile(c.field);
    w.dir.Write("prog.kvr", file);
    w.Choose("prog.kvr");
    w.f.chbPripona.Checked = c.keepExtension;
    w.f.bKonvSubor.Click();
    EXPECT_EQ(FilesIn(w.dir.path()), std::vector<std::string>{c.newName});
    EXPECT_EQ(w.dir.Read(c.newName), file);
    EXPECT_EQ(w.f.Label2.Caption, Counts(1, 0));
  }
}

TEST(RenameWindow, RefusesWhatIsNotAKvrGcProgram) {
  struct Case {
    const char* what;
    Bytes file;
  };
  const Case cases[] = {
      {"1205 bytes", ProgramFile("Coil", 1205)},
      {"KVR-T marker", ProgramFile("Coil", 68 * 3 + 1202, kMarkerT)},
      {"KVR-T with warnings", ProgramFile("Coil", 2000, {0x57, 0x52, 0x4E, 0x01})},
      {"3 bytes", Bytes{0x55, 0x43, 0x4E}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    w.dir.Write("prog.kvr", c.file);
    w.Choose("prog.kvr");
    w.ui.ExpectError("  SÚBOR:   " + (w.dir / "prog.kvr") + "  nie je navíjací predpis ");
    w.f.bKonvSubor.Click();
    EXPECT_EQ(w.dir.Read("prog.kvr"), c.file);
    EXPECT_EQ(w.f.Label2.Caption, Counts(0, 0));
  }
  // 1206 bytes with the marker is the shortest program.
  Window w;
  w.dir.Write("prog.kvr", ProgramFile("Coil", 1206));
  w.Choose("prog.kvr");
  w.f.bKonvSubor.Click();
  EXPECT_TRUE(w.dir.Exists("Coil"));
}

TEST(RenameWindow, AnEmptyNameFieldChangesNothing) {
  Window w;
  w.dir.Write("prog.kvr", ProgramFile(std::string("\0/\0|", 4)));
  w.Choose("prog.kvr");
  w.f.bKonvSubor.Click();
  EXPECT_EQ(FilesIn(w.dir.path()), std::vector<std::string>{"prog.kvr"});
  EXPECT_EQ(w.f.Label2.Caption, Counts(0, 0));
}

TEST(RenameWindow, ANameOfBlanksIsAFailedRename) {
  Window w;
  const Bytes file = ProgramFile("     ");
  w.dir.Write("prog.kvr", file);
  w.Choose("prog.kvr");
  w.ui.ExpectMessage(TMsgKind::Confirmation, FailedQuestion(w.dir / "prog.kvr", "     "), TMsgAnswer::Yes);
  w.f.bKonvSubor.Click();
  EXPECT_EQ(FilesIn(w.dir.path()), std::vector<std::string>{"prog.kvr"});
  EXPECT_EQ(w.dir.Read("prog.kvr"), file);
  EXPECT_EQ(w.f.Label2.Caption, Counts(0, 1));
}

TEST(RenameWindow, NeverReplacesAFileOfTheNewName) {
  for (const bool ask : {true, false}) {
    SCOPED_TRACE(ask ? "with the question" : "without it");
    Window w;
    const Bytes file = ProgramFile("Coil");
    const Bytes other = {'o', 't', 'h', 'e', 'r'};
    w.dir.Write("prog.kvr", file);
    w.dir.Write("Coil", other);
    w.Choose("prog.kvr");
    w.f.chbChybaStoj.Checked = ask;
    if (ask) w.ui.ExpectMessage(TMsgKind::Confirmation, FailedQuestion(w.dir / "prog.kvr", "Coil"), TMsgAnswer::No);
    w.f.bKonvSubor.Click();
    EXPECT_EQ(w.dir.Read("prog.kvr"), file);
    EXPECT_EQ(w.dir.Read("Coil"), other);
    EXPECT_EQ(w.f.Label2.Caption, Counts(0, 1));
  }
}

TEST(RenameWindow, AFolderOfTheNewNameIsNotReplacedEither) {
  Window w;
  w.dir.Write("prog.kvr", ProgramFile("Coil"));
  fs::create_directory(w.dir.path() / "Coil");
  w.Choose("prog.kvr");
  w.f.chbChybaStoj.Checked = false;
  w.f.bKonvSubor.Click();
  EXPECT_TRUE(fs::is_directory(w.dir.path() / "Coil"));
  EXPECT_TRUE(w.dir.Exists("prog.kvr"));
  EXPECT_EQ(w.f.Label2.Caption, Counts(0, 1));
}

TEST(RenameWindow, AFileThatHasItsNameAlreadyCountsAsRenamed) {
  Window w;
  const Bytes file = ProgramFile("Coil.kvr");
  w.dir.Write("Coil.kvr", file);
  w.Choose("Coil.kvr");
  w.f.bKonvSubor.Click();
  EXPECT_EQ(w.dir.Read("Coil.kvr"), file);
  EXPECT_EQ(w.f.Label2.Caption, Counts(1, 0));
}

TEST(RenameWindow, AFileThatCannotBeReadIsReportedAndNotCounted) {
  struct Case {
    const char* what;
    void (*make)(const test::TempDir&);
  };
  const Case cases[] = {
      {"gone since it was chosen", [](const test::TempDir&) {}},
      {"a folder now", [](const test::TempDir& d) { fs::create_directory(d.path() / "prog.kvr"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    c.make(w.dir);
    w.Choose("prog.kvr");
    w.ui.ExpectError(" Nemôžem otvoriť SuborKonv: " + (w.dir / "prog.kvr"));
    w.f.bKonvSubor.Click();
    EXPECT_EQ(w.f.Label2.Caption, Counts(0, 0));
  }
}

TEST(RenameWindow, FolderRunConvertsEveryOrdinaryFileInTheChosenFolder) {
  Window w;
  const fs::path cwd = fs::current_path();
  w.dir.Write("a.kvr", ProgramFile("Alpha"));
  w.dir.Write("b.txt", Bytes{'t', 'e', 'x', 't'});
  w.dir.Write("c.kvr", ProgramFile("Gamma/1"));
  w.dir.Write("d.kvr", ProgramFile("Alpha"));  // the name a.kvr takes first
  w.dir.Write("sub/e.kvr", ProgramFile("Epsilon"));
  w.Choose("c.kvr");
  w.f.chbPripona.Checked = true;
  // Boxes by name, with the name as the folder lists it.
  w.ui.ExpectError("  SÚBOR:   b.txt  nie je navíjací predpis ")
      .ExpectMessage(TMsgKind::Confirmation, FailedQuestion("d.kvr", "Alpha.kvr"), TMsgAnswer::Yes);
  w.f.bKonvAdresar.Click();
  EXPECT_EQ(FilesIn(w.dir.path()), (std::vector<std::string>{"Alpha.kvr", "Gamma1.kvr", "b.txt", "d.kvr", "sub"}));
  EXPECT_TRUE(w.dir.Exists("sub/e.kvr"));
  EXPECT_EQ(w.f.Label2.Caption, Counts(2, 1));
  EXPECT_EQ(fs::current_path(), cwd);
}

TEST(RenameWindow, NoAfterAFailedRenameStopsTheFolderRunAndShowsTheCounts) {
  Window w;
  w.dir.Write("a.kvr", ProgramFile("Alpha"));
  w.dir.Write("b.kvr", ProgramFile("taken"));
  w.dir.Write("c.kvr", ProgramFile("Gamma"));
  w.dir.Write("taken", Bytes{'x'});
  w.Choose("a.kvr");
  w.ui.ExpectMessage(TMsgKind::Confirmation, FailedQuestion("b.kvr", "taken"), TMsgAnswer::No);
  w.f.bKonvAdresar.Click();
  EXPECT_EQ(FilesIn(w.dir.path()), (std::vector<std::string>{"Alpha", "b.kvr", "c.kvr", "taken"}));
  EXPECT_EQ(w.f.Label2.Caption, Counts(1, 1));
  // The next run starts afresh and goes on after Yes.
  w.ui.ExpectMessage(TMsgKind::Confirmation, FailedQuestion("b.kvr", "taken"), TMsgAnswer::Yes)
      .ExpectError("  SÚBOR:   taken  nie je navíjací predpis ");
  w.f.bKonvAdresar.Click();
  EXPECT_EQ(FilesIn(w.dir.path()), (std::vector<std::string>{"Alpha", "Gamma", "b.kvr", "taken"}));
  EXPECT_EQ(w.f.Label2.Caption, Counts(2, 1));  // Alpha already has its name
}

TEST(RenameWindow, TheMainWindowCreatesItAndOpensItModally) {
  test::TempDir dir("kvr-rename-main");
  test::ScriptedUi ui;
  test::FakePlatform pl((dir.path() / "drives").string(), dir.path().string());
  TProg prog(ui, pl);
  prog.FormCreate();
  dir.Write("x/p.kvr", ProgramFile("Coil"));
  ui.ExpectModal("fKonvertNazovToSubor", [&](TForm& f) {
    auto& w = dynamic_cast<TfKonvertNazovToSubor&>(f);
    EXPECT_EQ(w.Panel1.Caption, "  SÚBOR:   ");
    ui.ExpectOpen(dir / "x/p.kvr");
    w.Panel1.Click();
    w.bKonvSubor.Click();
  });
  prog.mnNazovToSuborClick();
  EXPECT_TRUE(dir.Exists("x/Coil"));
}

TEST(RenameFiles, DryRunReportsWhatARunWouldDoAndChangesNothing) {
  test::TempDir dir("kvr-rename-dry");
  dir.Write("a.kvr", ProgramFile("B.kvr"));
  dir.Write("B.kvr", ProgramFile("Third"));
  dir.Write("c.kvr", ProgramFile("B.kvr"));
  dir.Write("d.kvr", ProgramFile("a.kvr"));
  TDryRun dry;
  // B.kvr exists; once it would have moved away, a.kvr may take its name, and
  // then c.kvr may not; d.kvr may take the name a.kvr left.
  const std::pair<const char*, TRenameResult> steps[] = {
      {"a.kvr", TRenameResult::Failed},
      {"B.kvr", TRenameResult::Renamed},
      {"a.kvr", TRenameResult::Renamed},
      {"c.kvr", TRenameResult::Failed},
      {"d.kvr", TRenameResult::Renamed},
  };
  for (const auto& [name, result] : steps) EXPECT_EQ(RenameAfterCoilName(dir / name, false, &dry).Result, result) << name;
  EXPECT_EQ(FilesIn(dir.path()), (std::vector<std::string>{"B.kvr", "a.kvr", "c.kvr", "d.kvr"}));
}

TEST(RenameFiles, RenameNoReplaceKeepsAnExistingTarget) {
  test::TempDir dir("kvr-rename-nr");
  dir.Write("a", Bytes{'a'});
  dir.Write("b", Bytes{'b'});
  std::error_code ec;
  EXPECT_FALSE(RenameNoReplace(dir.path() / "a", dir.path() / "b", ec));
  EXPECT_EQ(ec, std::errc::file_exists);
  EXPECT_EQ(dir.Read("a"), Bytes{'a'});
  EXPECT_EQ(dir.Read("b"), Bytes{'b'});
  EXPECT_TRUE(RenameNoReplace(dir.path() / "a", dir.path() / "c", ec));
  EXPECT_FALSE(ec);
  EXPECT_FALSE(dir.Exists("a"));
  EXPECT_EQ(dir.Read("c"), Bytes{'a'});
  EXPECT_FALSE(RenameNoReplace(dir.path() / "missing", dir.path() / "d", ec));
  EXPECT_EQ(ec, std::errc::no_such_file_or_directory);
}

}  // namespace
}  // namespace kvr
