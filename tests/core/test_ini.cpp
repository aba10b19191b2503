// The panel software's INI files: one key changed, every other byte kept.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "model/desktop.h"
#include "model/ini.h"
#include "model/io.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"
#include "model/context.h"

namespace kvr {
namespace {

TEST(IniWrite, ChangesOneLineOfAMessyFile) {
  struct Pripad {
    const char* co;
    std::string pred;
    std::string po;
  };
  const Pripad pripady[] = {
      {"comments, blanks, spaces around = and a trailing comment",
       "; Panel\r\n\r\n[KVR]\r\n  WindingProgram \t= D:/alt.prg ; alt\r\nOther = 1 ; bleibt\r\n",
       "; Panel\r\n\r\n[KVR]\r\nWindingProgram=D:/neu.prg\r\nOther = 1 ; bleibt\r\n"},
      {"section and key compare without case; the file's spelling stays",
       "[kvr]\nwindingprogram=x\n", "[kvr]\nwindingprogram=D:/neu.prg\n"},
      {"the first of duplicate keys", "[KVR]\r\nWindingProgram=a\r\nWindingProgram=b\r\n",
       "[KVR]\r\nWindingProgram=D:/neu.prg\r\nWindingProgram=b\r\n"},
      {"a line without = is kept and is no key", "[KVR]\r\nWindingProgram\r\nWindingProgram=a\r\nfrei\r\n",
       "[KVR]\r\nWindingProgram\r\nWindingProgram=D:/neu.prg\r\nfrei\r\n"},
      {"lone CR", "[A]\rWindingProgram=1\r[KVR]\rWindingProgram=a\rY=2\r",
       "[A]\rWindingProgram=1\r[KVR]\rWindingProgram=D:/neu.prg\rY=2\r"},
      {"mixed line ends", "[KVR]\r\nA=1\nWindingProgram=a\rB=2\r\n",
       "[KVR]\r\nA=1\nWindingProgram=D:/neu.prg\rB=2\r\n"},
      {"no final newline", "[KVR]\r\nWindingProgram=a", "[KVR]\r\nWindingProgram=D:/neu.prg"},
      {"UTF-8 signature kept", "\xEF\xBB\xBF[KVR]\nWindingProgram=a\n", "\xEF\xBB\xBF[KVR]\nWindingProgram=D:/neu.prg\n"},
      {"a commented-out key is no key", "[KVR]\n;WindingProgram=a\n",
       "[KVR]\nWindingProgram=D:/neu.prg\n;WindingProgram=a\n"},
      {"missing key after the section's last key", "[KVR]\r\nA=1\r\n; X\r\n\r\n[X]\r\nB=2\r\n",
       "[KVR]\r\nA=1\r\nWindingProgram=D:/neu.prg\r\n; X\r\n\r\n[X]\r\nB=2\r\n"},
      {"a missing key's line ends as the line before it, never joining a following LF",
       "[A]\rB=\n[KVR]\r\n\nX\r", "[A]\rB=\n[KVR]\r\nWindingProgram=D:/neu.prg\r\n\nX\r"},
      {"missing key in an empty section", "[KVR]\r\n[X]\r\n", "[KVR]\r\nWindingProgram=D:/neu.prg\r\n[X]\r\n"},
      {"missing key, last line without newline", "[KVR]\nA=1", "[KVR]\nA=1\nWindingProgram=D:/neu.prg"},
      {"only the first section of a name counts", "[KVR]\nA=1\n[kvr]\nWindingProgram=a\n",
       "[KVR]\nA=1\nWindingProgram=D:/neu.prg\n[kvr]\nWindingProgram=a\n"},
      {"a key before any section is in none", "WindingProgram=a\n[ KVR ]\n",
       "WindingProgram=a\n[ KVR ]\nWindingProgram=D:/neu.prg\n"},
      {"missing section appended with the file's line end", "[X]\nB=2\n", "[X]\nB=2\n[KVR]\nWindingProgram=D:/neu.prg\n"},
      {"missing section after a last line without newline", "[X]\r\nB=2",
       "[X]\r\nB=2\r\n[KVR]\r\nWindingProgram=D:/neu.prg\r\n"},
      {"a header without ] is no section", "[KVR\r\nWindingProgram=a\r\n",
       "[KVR\r\nWindingProgram=a\r\n[KVR]\r\nWindingProgram=D:/neu.prg\r\n"},
      {"empty file", "", "[KVR]\r\nWindingProgram=D:/neu.prg\r\n"},
  };
  for (const Pripad& p : pripady) {
    const std::string po = IniSetValue(p.pred, "KVR", "WindingProgram", "D:/neu.prg");
    EXPECT_EQ(po, p.po) << p.co;
    EXPECT_EQ(IniFindValue(po, "kvr", "windingprogram"), std::optional<std::string>("D:/neu.prg")) << p.co;
  }
}

TEST(IniRead, WindowsRulesOnMessyFiles) {
  struct Pripad {
    const char* co;
    std::string text;
    std::optional<std::string> hodnota;  // of [WARNINGS] STEP_1
  };
  const Pripad pripady[] = {
      {"blanks around = and the value", "[warnings]\r\nStep_1 \t=  erste \t\r\n", "erste"},
      {"first of duplicate keys", "[WARNINGS]\nSTEP_1=a\nSTEP_1=b\n", "a"},
      {"double quotes", "[WARNINGS]\nSTEP_1=\"  x ; y  \"\n", "  x ; y  "},
      {"single quotes", "[WARNINGS]\nSTEP_1='x'\n", "x"},
      {"one quote only", "[WARNINGS]\nSTEP_1=\"x\n", "\"x"},
      {"no trailing comment", "[WARNINGS]\nSTEP_1=a ; b\n", "a ; b"},
      {"= in the value", "[WARNINGS]\nSTEP_1=a=b\n", "a=b"},
      {"empty value", "[WARNINGS]\nSTEP_1=\nSTEP_1=b\n", ""},
      {"line without =", "[WARNINGS]\nSTEP_1\n", std::nullopt},
      {"comment", "[WARNINGS]\n; STEP_1=a\n", std::nullopt},
      {"lone CR", "[X]\rSTEP_1=x\r[WARNINGS]\rSTEP_2=b\rSTEP_1=a\r", "a"},
      {"no final newline", "[WARNINGS]\r\nSTEP_1=a", "a"},
      {"only the first section of a name", "[WARNINGS]\nSTEP_2=a\n[WARNINGS]\nSTEP_1=b\n", std::nullopt},
      {"key of another section", "[WARNINGS]\n[X]\nSTEP_1=a\n", std::nullopt},
      {"signature before the first section", "\xEF\xBB\xBF[WARNINGS]\nSTEP_1=a\n", "a"},
  };
  for (const Pripad& p : pripady) EXPECT_EQ(IniFindValue(p.text, "WARNINGS", "STEP_1"), p.hodnota) << p.co;
}

TEST(IniWrite, RefusesKeysThatWouldChangeOtherLines) {
  struct Pripad {
    const char* sekcia;
    const char* kluc;
    const char* hodnota;
  };
  const Pripad pripady[] = {
      {"KVR", "WindingProgram", "a\r\nB=1"}, {"KVR", "WindingProgram", "a\rb"}, {"KVR", "Winding=Program", "a"},
      {"KVR", "", "a"},  {"", "A", "a"},   {"K]VR", "A", "a"},   {"KVR", ";A", "a"}, {"KVR", " A", "a"},
      {"KVR", "[A", "a"}, {"KVR\n", "A", "a"},
  };
  for (const Pripad& p : pripady)
    EXPECT_THROW(IniSetValue("[KVR]\r\nA=1\r\n", p.sekcia, p.kluc, p.hodnota), TIoError) << p.sekcia << "/" << p.kluc;
}

TEST(IniWrite, WindingProgramKeepsThePanelSoftwaresFile) {
  test::TempDir dir;
  test::ScriptedUi ui;
  test::FakePlatform pl((dir.path() / "drives").string());
  TKontext k(ui, pl);
  const std::string pred =
      "; WM\r\n[Machine]\r\nPort = 3\r\nnur Text\r\n\r\n[KVR]\r\nwindingprogram = alt.prg\r\nWindingProgram=zweite\r\nTail=1";
  dir.Write("drives/C/DSQ/WM_cfg.ini", std::vector<uint8_t>(pred.begin(), pred.end()));
  ZapisWindingProgram(k, "D:\\WINDING PROGRAMS\\neu.prg");
  const std::vector<uint8_t> b = dir.Read("drives/C/DSQ/WM_cfg.ini");
  EXPECT_EQ(std::string(b.begin(), b.end()),
            "; WM\r\n[Machine]\r\nPort = 3\r\nnur Text\r\n\r\n[KVR]\r\nwindingprogram=D:/WINDING PROGRAMS/neu.prg\r\n"
            "WindingProgram=zweite\r\nTail=1");
  EXPECT_FALSE(dir.Exists("drives/C/DSQ/WM_cfg.ini.kvr-tmp"));
}

}  // namespace
}  // namespace kvr
