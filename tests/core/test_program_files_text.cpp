// Text at the file edges: Windows-1252 short strings, INI files by Windows'
// rules, and the path captions.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "model/io.h"
#include "model/ini.h"
#include "model/codepage.h"
#include "model/program_files.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;

TEST(SuboryKodovanie, Utf8ToWindows1252) {
  struct Pripad {
    std::string utf8;
    std::string cp1252;
  };
  const Pripad pripady[] = {
      {"Körper", "K\xF6rper"},
      {"ÄÖÜäöüß", "\xC4\xD6\xDC\xE4\xF6\xFC\xDF"},
      {"5 €", "5 \x80"},
      {"„Spule“ – 2", "\x84Spule\x93 \x96 2"},
      {"Ω漢😀", "???"},         // no Windows-1252 character
      {"a\xC3", "a?"},          // cut sequence
      {"\xC0\xAF", "??"},       // overlong
      {"\xED\xA0\x80", "???"},  // surrogate
      {"\xFF", "?"},
  };
  for (const Pripad& p : pripady) EXPECT_EQ(Utf8NaCp1252(p.utf8), p.cp1252) << p.utf8;
}

TEST(SuboryKodovanie, EveryWindows1252ByteComesBackUnchanged) {
  std::string vsetky;
  for (int b = 1; b < 256; ++b) vsetky += static_cast<char>(b);
  const std::string utf8 = Cp1252NaUtf8(vsetky);
  EXPECT_EQ(Utf8NaCp1252(utf8), vsetky);
  EXPECT_EQ(PocetZnakov(utf8), 255u);
  EXPECT_EQ(Cp1252NaUtf8("\x80\x81\xF6"), "\u20AC\u0081\u00F6");
}

TEST(SuboryKodovanie, ShortStringsStayInsideTheirField) {
  uint8_t pole[22];
  std::fill(std::begin(pole), std::end(pole), uint8_t{0xEE});
  WriteShortString(pole, "Körper-Wicklung mit Überlänge", 20);
  EXPECT_EQ(pole[0], 20);
  EXPECT_EQ(pole[2], 0xF6);
  EXPECT_EQ(pole[21], 0xEE);  // beyond the field: untouched
  EXPECT_EQ(ReadShortString(pole, 20), "Körper-Wicklung mit ");
  // A length byte beyond the field is not followed past it.
  pole[0] = 200;
  EXPECT_EQ(PocetZnakov(ReadShortString(pole, 20)), 20u);
  WriteShortString(pole, "", 20);
  EXPECT_EQ(pole[0], 0);
  EXPECT_EQ(pole[1], 'K');  // the rest of the field keeps its bytes
}

TEST(SuboryKodovanie, CharacterCuts) {
  EXPECT_EQ(FirstChars("äöü", 2), "äö");
  EXPECT_EQ(PoslednychZnakov("äöü", 2), "öü");
  EXPECT_EQ(PoslednychZnakov("ab", 5), "ab");
}

struct SuboryIni : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("kvr-ini-" + std::to_string(std::random_device{}()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string Zapis(const std::string& text) {
    const fs::path p = dir / "Program.ini";
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
};

TEST_F(SuboryIni, ReadsByWindowsRules) {
  const TIniSubor ini(Zapis("; panel\r\n[warnings]\r\nStep_1 = erste \r\nSTEP_1=zweite\r\n"
                            "STEP_2=\"  mit Blanks  \"\r\nSTEP_3=K\xF6rper = 1 ; kein Kommentar\r\n"
                            "[Andere]\r\nSTEP_4=x\r\n"));
  EXPECT_TRUE(ini.Nacitany());
  EXPECT_EQ(ini.CitajText("WARNINGS", "STEP_1"), "erste");
  EXPECT_EQ(ini.CitajText("Warnings", "step_2"), "  mit Blanks  ");
  EXPECT_EQ(ini.CitajText("WARNINGS", "STEP_3"), "Körper = 1 ; kein Kommentar");
  EXPECT_EQ(ini.CitajBajty("WARNINGS", "STEP_3"), "K\xF6rper = 1 ; kein Kommentar");
  EXPECT_EQ(ini.CitajText("WARNINGS", "STEP_4", "leer"), "leer");
}

TEST_F(SuboryIni, MissingFileReadsAsEmpty) {
  const TIniSubor ini((dir / "fehlt.ini").string());
  EXPECT_FALSE(ini.Nacitany());
  EXPECT_EQ(ini.CitajText("WARNINGS", "STEP_1", "d"), "d");
}

TEST_F(SuboryIni, UTF8SignatureMakesTheValuesUtf8) {
  const TIniSubor ini(Zapis("\xEF\xBB\xBF[WARNINGS]\nSTEP_1=Körper\n"));
  EXPECT_EQ(ini.CitajText("WARNINGS", "STEP_1"), "Körper");
}

TEST_F(SuboryIni, WritesWhatItReadsBack) {
  const std::string cesta = Zapis("[KVR]\r\nWindingProgram=alt\r\n[Sonst]\r\nA=1\r\n");
  {
    TIniSubor ini(cesta);
    ini.ZapisText("kvr", "windingprogram", "D:/WINDING PROGRAMS/Körper.prg");
    ini.ZapisText("NEU", "X", "y");
    ini.Uloz();
  }
  const TIniSubor znova(cesta);
  EXPECT_EQ(znova.CitajText("KVR", "WindingProgram"), "D:/WINDING PROGRAMS/Körper.prg");
  EXPECT_EQ(znova.CitajBajty("KVR", "WindingProgram"), "D:/WINDING PROGRAMS/K\xF6rper.prg");
  EXPECT_EQ(znova.CitajText("Sonst", "A"), "1");
  EXPECT_EQ(znova.CitajText("NEU", "X"), "y");
}

TEST_F(SuboryIni, SaveIntoAMissingFolderFails) {
  TIniSubor ini((dir / "nie" / "x.ini").string());
  ini.ZapisText("A", "B", "C");
  EXPECT_THROW(ini.Uloz(), TIoError);
}

TEST(SuboryCesty, NamesAndShortenedPaths) {
  EXPECT_EQ(NazovSuboru("D:\\CONST_BOBBIN\\Korper\\a.kor"), "a.kor");
  EXPECT_EQ(NazovSuboru("/home/op/b.kor"), "b.kor");
  EXPECT_EQ(NazovSuboru("c.kor"), "c.kor");
  EXPECT_EQ(NazovSuboru("D:\\dir\\"), "");
  EXPECT_EQ(FolderOf("D:\\WINDING PROGRAMS\\x.prg"), "D:\\WINDING PROGRAMS\\");
  EXPECT_EQ(FolderOf("/a/b/x.prg"), "/a/b/");
  EXPECT_EQ(FolderOf("x.prg"), "");

  const std::string p47(47, 'a');
  EXPECT_EQ(SkratCestu(p47), p47);
  const std::string p48 = "0123456" + std::string(41, 'z');
  EXPECT_EQ(SkratCestu(p48), "..." + std::string(41, 'z'));
  // Characters, not bytes: 47 umlauts stay, 48 are cut.
  std::string u47;
  for (int i = 0; i < 47; ++i) u47 += "ö";
  EXPECT_EQ(SkratCestu(u47), u47);
  EXPECT_EQ(PocetZnakov(SkratCestu(u47 + "ö")), 44u);
}

}  // namespace
}  // namespace kvr
