// Program files: the six formats opened into the store, the writers byte for
// byte, refusals that leave the store as it was, and the open and save
// commands with their dialogs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "model/io.h"
#include "model/codepage.h"
#include "model/little_endian.h"
#include "model/program.h"
#include "model/machine.h"
#include "model/program_files.h"
#include "support/fake_platform.h"
#include "support/fake_ui.h"
#include "model/context.h"
#include "form/events.h"
#include "ui/file_menu.h"
#include "view/captions.h"

namespace kvr {
namespace {

namespace fs = std::filesystem;
using Bajty = std::vector<uint8_t>;

double D(const Real48& r) { return static_cast<double>(r.Get()); }

// ---- Fixture bytes ----------------------------------------------------------

void Pridaj(Bajty& b, const Bajty& x) { b.insert(b.end(), x.begin(), x.end()); }
void PridajZnacku(Bajty& b, uint32_t z) {
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(z >> (8 * i)));
}

// A short string field of `pole` bytes (length byte included), rest zeros.
void Kratky(Bajty& b, size_t off, std::string_view cp1252) {
  b[off] = static_cast<uint8_t>(cp1252.size());
  std::copy(cp1252.begin(), cp1252.end(), b.begin() + static_cast<std::ptrdiff_t>(off + 1));
}

// KVR-T record of a windings step on KVR - 22 gear 1 (max speed 3000, W 32):
// 123.45 turns from 10 to 50 mm, stop cycle, speed 3000, run-up 2, run-down 3,
// feed 1.0 mm (131072 units), clockwise.
Bajty ZaznamTVinutie() {
  Bajty r(68, 0);
  r[0] = 1;
  r[1] = 1;
  r[3] = 0x40;
  PutU32(&r[4], 12345);
  PutU32(&r[8], 1000);
  r[11] = 0;
  PutU32(&r[12], 5000);
  PutU16(&r[16], 1023);
  r[18] = 0x21;
  PutU32(&r[20], 131072);
  return r;
}

// KVR-T gear step to gear 2 (the step holds 0.02).
Bajty ZaznamTPrevod() {
  Bajty r(68, 0);
  r[0] = 5;
  r[1] = 1;
  r[3] = 0x30;
  PutU32(&r[4], 2);  // gear 2: the step holds 0.02
  return r;
}

// KVR-G/C record of a windings step: 123.4 turns from 10 to 50 mm, speed code
// 1023 (the full speed of the gear), feed 1.0 mm.
Bajty ZaznamGCVinutie() {
  Bajty r(64, 0);
  r[0] = 1;
  r[1] = 1;
  r[2] = 0x00;
  r[3] = 0x12;
  r[4] = 0x34;
  r[6] = 0x01;
  r[9] = 0x05;
  r[11] = 6;
  r[12] = 255;
  r[13] = 0x02;
  return r;
}

// Old record of a windings step: stop cycle, 123.4 turns from 10.0 to 50.0,
// feed code 10, speed code 30; and of a jump to 25.0.
Bajty ZaznamStaryVinutie() { return {0x10, 0x00, 0x12, 0x34, 0x01, 0x00, 0x05, 0x00, 0x00, 0x10, 0x1E}; }
Bajty ZaznamStarySkok() { return {0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x02, 0x50, 0x00, 0x00, 0x00}; }

// Trailer with model, gear name, bobbin path and a pattern in every byte that
// the system does not interpret.
Bajty Pata(std::string_view model, std::string_view prevod, std::string_view kostricka = {}) {
  Bajty t(kPataNova, 0);
  for (size_t i = 21; i < 42; ++i) t[i] = static_cast<uint8_t>(0xA0 + i);
  for (size_t i = kPataKoniecKostricky; i < kPataNova; ++i) t[i] = static_cast<uint8_t>(i * 7);
  Kratky(t, 0, model);
  Kratky(t, 42, prevod);
  Kratky(t, 63, kostricka);
  for (size_t i = 144; i < 384; ++i) t[i] = static_cast<uint8_t>(i);  // chambers
  Real48(10.5L).ToBytes(&t[384]);
  return t;
}

// Header record: total correction 1234.5, HlavParam1 7, HlavParam2 3, HlavParam3 1.
Bajty Hlavicka(size_t rec) {
  Bajty h(rec, 0);
  h[5] = 0x01;
  h[6] = 0x23;
  h[7] = 0x45;
  h[8] = 7;
  h[9] = 0x20;
  h[10] = 1;
  return h;
}

Bajty SuborNovy(uint32_t znacka, const std::vector<Bajty>& zaznamy, const Bajty& pata) {
  Bajty b = Hlavicka(znacka == kZnackaGC ? 64 : 68);
  for (const Bajty& z : zaznamy) Pridaj(b, z);
  Pridaj(b, pata);
  PridajZnacku(b, znacka);
  return b;
}

const char kIni[] = "[Warnings]\r\nstep_1=Draht pr\xFC" "fen\r\nSTEP_3=  \"Achtung Kante\"  \r\n"
                    "STEP_4=0123456789012345678901234567890123456789012345678901234\r\n";

Bajty SuborTW(const Bajty& t, std::string_view ini) {
  Bajty b = t;
  b.insert(b.end(), ini.begin(), ini.end());
  PridajZnacku(b, kZnackaTW);
  return b;
}

Bajty Stary(uint32_t znacka, size_t pata, const Bajty& stara = {}) {
  Bajty b = ZaznamStaryVinutie();
  Pridaj(b, ZaznamStarySkok());
  if (!stara.empty())
    Pridaj(b, stara);
  else
    b.resize(b.size() + pata, 0x5A);
  PridajZnacku(b, znacka);
  return b;
}

// ---- Fixture ------------------------------------------------------------------

struct SuboryTest : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("kvr-subory-" + std::to_string(std::random_device{}()));
  test::ScriptedUi ui;
  test::FakePlatform pl{(dir / "drives").string()};
  TKontext k{ui, pl};
  // The open and save commands of the menu "DATEI", on a window of their own.
  TForm okno{"Prog", ""};
  FileMenu subor{okno, k};

  void SetUp() override {
    fs::create_directories(dir / "drives" / "C" / "DSQ" / "DSQ_disp");
    k.Stroj.Model = "KVR - 22";
    k.Stroj.Prevod = 1;
    NastavModel(k);
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir, ec);
  }

  std::string Cesta(const std::string& meno) const { return (dir / meno).string(); }
  std::string Zapis(const std::string& meno, const Bajty& b) const {
    std::ofstream(dir / meno, std::ios::binary).write(reinterpret_cast<const char*>(b.data()),
                                                      static_cast<std::streamsize>(b.size()));
    return Cesta(meno);
  }
  static Bajty Citaj(const std::string& cesta) {
    std::ifstream in(cesta, std::ios::binary);
    return Bajty(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::string Ini() const { return WarningsIniPath(k); }

  // A program of n steps as the station builds them.
  void Program(int n) {
    for (int i = 1; i <= n; ++i) {
      TKrok& s = k.Program.Kroky[i];
      s.Druh = kDruhWicklung;
      s.TypCyklu = i == n ? kCyklusEnde : kCyklusStop;
      s.Hodnota = 100.0L + i;
      s.LRev = 5.0L;
      s.PRev = 20.0L + i;
      s.PosuvMM = ZaokruhliPosuv(k.Stroj, 0.25L);
      s.Otacky = 3000;
      s.Rozbeh = 2;
      s.Dobeh = 4;
      s.Kryt = 1;
      s.Nulovat = i == 1;
      s.SmerOtac = 1;
      s.Vstup[2] = 1;
      s.VystupStav(3) = 0x80;
      s.VystupOneskorenie(3) = 250;
      s.AutKorL = 0.5L;
      s.Vrstvy = 3;
    }
    PrepocitajKroky(k.Program);
  }
};

// ---- The six formats ----------------------------------------------------------

struct PripadFormatu {
  const char* nazov;
  std::function<Bajty()> subor;
  int pocetKrokov;
  std::function<void(const TKontext&)> over;
};

void OverVinutie(const TKrok& s, double zavity, int32_t otacky, double posuv) {
  EXPECT_EQ(s.Druh, kDruhWicklung);
  EXPECT_EQ(s.TypCyklu, kCyklusStop);
  EXPECT_NEAR(D(s.Hodnota), zavity, 1e-6);
  EXPECT_NEAR(D(s.LRev), 10.0, 1e-6);
  EXPECT_NEAR(D(s.PRev), 50.0, 1e-6);
  EXPECT_EQ(static_cast<int32_t>(s.Otacky), otacky);
  EXPECT_NEAR(D(s.PosuvMM), posuv, 1e-9);
}

TEST_F(SuboryTest, EachOfTheSixFormatsOpensIntoTheStore) {
  const std::vector<PripadFormatu> pripady = {
      {"OLD1", [] { return Stary(kZnackaStary1, 0); }, 2,
       [](const TKontext& kx) {
         // KVR - 22 gear 1: feed code 10 is 128 / 1164, speed code 30 is 3000 rpm.
         OverVinutie(kx.Program.Kroky[1], 123.4, 3000, 0.110);
         EXPECT_EQ(kx.Program.Kroky[2].Druh, kDruhSprung);
         EXPECT_NEAR(D(kx.Program.Kroky[2].Hodnota), 25.0, 1e-6);
         EXPECT_EQ(kx.Subory.HlavParam2, 1);
       }},
      {"OLD2", [] { return Stary(kZnackaStary2, 548); }, 2,
       [](const TKontext& kx) { OverVinutie(kx.Program.Kroky[1], 123.4, 3000, 0.110); }},
      {"OLD3",
       [] {
         Bajty t(706, 0);
         Kratky(t, 0, "KVR - 22");
         Kratky(t, 42, "PREVODP");
         Kratky(t, 63, "D:\\CONST_BOBBIN\\Korper\\a.kor");
         t[144] = 0x81;
         return Stary(kZnackaStary3, 0, t);
       },
       2,
       [koren = (dir / "drives").string()](const TKontext& kx) {
         // Gear 2 from the trailer: feed code 10 is 64 / 582, speed code 30 is 6000 rpm.
         EXPECT_EQ(kx.Stroj.Prevod, 2);
         OverVinutie(kx.Program.Kroky[1], 123.4, 6000, 0.110);
         // The panel PC's path, as a path of this machine.
         EXPECT_EQ(kx.Program.MenoKostricky, koren + "/D/CONST_BOBBIN/Korper/a.kor");
         EXPECT_EQ(kx.Kostricka.Bytes()[256], 0x81);
       }},
      {"KVR-G/C", [] { return SuborNovy(kZnackaGC, {ZaznamGCVinutie()}, Pata("KVR - 22", "PREVODD")); }, 1,
       [](const TKontext& kx) {
         OverVinutie(kx.Program.Kroky[1], 123.4, 3000, 1.0);
         EXPECT_NEAR(D(kx.Subory.CelkovaKorekcia), 1234.5, 1e-6);
         EXPECT_EQ(kx.Subory.HlavParam1, 7);
         EXPECT_EQ(kx.Subory.HlavParam2, 3);
         EXPECT_EQ(kx.Subory.HlavParam3, 1);
       }},
      {"KVR-T", [] { return SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 22", "PREVODD")); }, 1,
       [](const TKontext& kx) {
         OverVinutie(kx.Program.Kroky[1], 123.45, 3000, 1.0);
         EXPECT_EQ(kx.Program.Kroky[1].Rozbeh, 2);
         EXPECT_EQ(kx.Program.Kroky[1].Dobeh, 3);
         EXPECT_EQ(kx.Subory.HlavParam2, 3);
         EXPECT_EQ(kx.Subory.PataSuboru[30], 0xA0 + 30);
       }},
      {"KVR-T+W",
       [] { return SuborTW(SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 22", "PREVODD")), kIni); }, 1,
       [](const TKontext& kx) {
         OverVinutie(kx.Program.Kroky[1], 123.45, 3000, 1.0);
         EXPECT_EQ(kx.Program.Warningy[1], "Draht prüfen");
         EXPECT_EQ(kx.Program.Warningy[2], "");
         EXPECT_EQ(kx.Program.Warningy[3], "Achtung Kante");
         EXPECT_EQ(kx.Program.Warningy[4], "01234567890123456789012345678901234567890123456789");
       }},
  };
  for (const PripadFormatu& p : pripady) {
    SCOPED_TRACE(p.nazov);
    k.Stroj.Model = "KVR - 22";
    k.Stroj.Prevod = 1;
    k.Program.Zmeneny = 1;
    std::string meno = p.nazov;
    std::replace_if(meno.begin(), meno.end(), [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    const std::string cesta = Zapis(meno + ".prg", p.subor());
    ASSERT_TRUE(OpenProgramFile(k, cesta));
    EXPECT_EQ(k.Program.PocetKrokov, p.pocetKrokov);
    EXPECT_EQ(k.Program.MenoSuboru, cesta);
    EXPECT_EQ(k.Program.PoslednyOtvor, cesta);
    EXPECT_EQ(k.Program.AktAdresar, dir.string() + "/");
    EXPECT_EQ(k.Program.Zmeneny, 0);
    EXPECT_EQ(k.Stroj.Model, "KVR - 22");
    p.over(k);
    ui.Verify();
  }
}

TEST_F(SuboryTest, FileWithWarningsSplitsItsTextIntoTheWarningsFile) {
  const Bajty t = SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 22", "PREVODD"));
  const std::string cesta = Zapis("w.prg", SuborTW(t, kIni));
  ASSERT_TRUE(OpenProgramFile(k, cesta));
  const Bajty ini = Citaj(Ini());
  // The INI text exactly, without the end marker of the program file.
  EXPECT_EQ(std::string(ini.begin(), ini.end()), std::string(kIni));
  EXPECT_EQ(Hladaj_Zaciatok_Warningov(k, cesta), t.size());
}

TEST_F(SuboryTest, TheWarningsSplitWhereAWholeKvrTImageEnds) {
  const Bajty vnutorna = {0x54, 0x43, 0x4E, 0x03};
  // A KVR-T image of n steps, with the inner marker at its end.
  const auto obraz = [&](size_t n, uint8_t vypln) {
    Bajty b(68 * (n + 1) + 1198, vypln);
    Pridaj(b, vnutorna);
    return b;
  };
  const auto tw = [&](Bajty b, const Bajty& text) {
    Pridaj(b, text);
    PridajZnacku(b, kZnackaTW);
    return b;
  };
  Bajty sMarkerom = obraz(2, 0x11);
  std::copy(vnutorna.begin(), vnutorna.end(), sMarkerom.begin() + 68 * 2 + 64);  // bytes 64..67 of step 2
  std::copy(vnutorna.begin(), vnutorna.end(), sMarkerom.begin() + 68 * 3 + 500);  // inside the trailer
  struct Pripad {
    const char* nazov;
    Bajty subor;
    size_t p;
    Bajty warningy;
  };
  const std::vector<Pripad> pripady = {
      {"no steps, no text", tw(obraz(0, 0), {}), 68 + 1202, {}},
      {"three steps and a text", tw(obraz(3, 0), {'a', 'b'}), 68 * 4 + 1202, {'a', 'b'}},
      // The marker's bytes in a step record and in the trailer split nothing.
      {"marker in a step and the trailer", tw(sMarkerom, {'x'}), 68 * 3 + 1202, {'x'}},
      // In the text right behind the image, and one whole record later: the
      // first whole image ends the program, the rest is text.
      {"marker in the text", tw(obraz(1, 0), Bajty{'s', 0x54, 0x43, 0x4E, 0x03}), 68 * 2 + 1202,
       {'s', 0x54, 0x43, 0x4E, 0x03}},
      {"marker a record later in the text", tw(obraz(0, 0), [&] {
         Bajty t(64, ' ');
         Pridaj(t, vnutorna);
         return t;
       }()),
       68 + 1202, [&] {
         Bajty t(64, ' ');
         Pridaj(t, vnutorna);
         return t;
       }()},
      // No place where the marker closes a whole image.
      {"image one byte short", tw([&] {
         Bajty b = obraz(1, 0);
         b.erase(b.begin());
         return b;
       }(), {'x'}), 0, {}},
      {"marker alone", tw(vnutorna, {'x'}), 0, {}},
      {"no marker", tw(Bajty(2000, 0x20), {}), 0, {}},
      {"empty", {}, 0, {}},
  };
  for (const Pripad& c : pripady) {
    SCOPED_TRACE(c.nazov);
    const TRozdelenie r = SplitWarnings(c.subor);
    EXPECT_EQ(r.p, c.p);
    EXPECT_EQ(KvrTImageEnd(c.subor), c.p);
    EXPECT_EQ(r.warningy, c.warningy);
  }
}

TEST_F(SuboryTest, AFileWithWarningsThatTheStationWroteOpensAndSavesUnchanged) {
  // A trapezoid of 172.36 mm left and 8.46 mm right puts 54 43 4E 03 into
  // bytes 64..67 of its record, and the warnings text holds the same bytes.
  Program(3);
  k.Program.Kroky[2].TrapezL = 172.36L;
  k.Program.Kroky[2].TrapezP = 8.46L;
  const std::string text = "[WARNINGS]\r\nSTEP_2=Kante TCN\x03 pr\xFC" "fen\r\nSTEP_3=Ende\r\n";
  const Bajty ini(text.begin(), text.end());
  const std::string cesta = Cesta("tw.prg");
  UlozProgramTW(k, cesta, 3, ini);
  const Bajty prvy = Citaj(cesta);
  ASSERT_EQ(prvy.size(), 68u * 4 + 1202 + ini.size() + 4);
  ASSERT_TRUE(std::equal(prvy.begin() + 68 * 2 + 64, prvy.begin() + 68 * 3, Bajty{0x54, 0x43, 0x4E, 0x03}.begin()));
  for (int cyklus = 1; cyklus <= 3; ++cyklus) {
    SCOPED_TRACE(cyklus);
    k.Program.Kroky.Vymaz();
    ASSERT_TRUE(OpenProgramFile(k, cesta));
    ui.Verify();
    EXPECT_EQ(k.Program.PocetKrokov, 3);
    EXPECT_EQ(Citaj(Ini()), ini);
    EXPECT_EQ(k.Program.Warningy[2], "Kante TCN\x03 prüfen");
    EXPECT_EQ(k.Program.Warningy[3], "Ende");
    EXPECT_EQ(k.Stroj.Model, "KVR - 22");
    EXPECT_NEAR(D(k.Program.Kroky[2].TrapezL), 172.36, 1e-9);
    EXPECT_NEAR(D(k.Program.Kroky[2].TrapezP), 8.46, 1e-9);
    WriteProgramFile(k, cesta, 1, true);
    EXPECT_EQ(Citaj(cesta), prvy);
  }
}

TEST_F(SuboryTest, KvrGcSpeedsSurviveEveryOpenAndSave) {
  struct Pripad {
    const char* model;
    int32_t prevod;
    int32_t otacky;  // rounded to a machine speed first
  };
  const std::vector<Pripad> pripady = {
      {"KVR - 100", 1, 3},  // once 3, 2, 1, 0 over three cycles
      {"KVR - 100", 1, 299},
      {"KVR - 22", 1, 1200},
      {"KVR - 22", 1, 1},
      {"KVR - 200", 1, 1},
      {"KVR - 200", 1, 75},
      {"KVR - 32", 3, 5999},
  };
  for (const Pripad& c : pripady) {
    SCOPED_TRACE(std::string(c.model) + " gear " + std::to_string(c.prevod) + " speed " + std::to_string(c.otacky));
    k.Stroj.Model = c.model;
    k.Stroj.Prevod = c.prevod;
    NastavModel(k);
    k.Program.Kroky.Vymaz();
    Program(1);
    const int32_t otacky = ZaokruhliOtacky(k.Stroj, PrevodKroku(k.Stroj, k.Program.Kroky, k.Program.AktKrok), c.otacky);
    k.Program.Kroky[1].Otacky = otacky;
    const std::string cesta = Cesta("speed.gc");
    UlozProgramGC(k, cesta, 1);
    const Bajty prvy = Citaj(cesta);
    for (int cyklus = 1; cyklus <= 3; ++cyklus) {
      ASSERT_TRUE(OpenProgramFile(k, cesta));
      EXPECT_EQ(static_cast<int32_t>(k.Program.Kroky[1].Otacky), otacky) << "cycle " << cyklus;
      UlozProgramGC(k, cesta, 1);
      EXPECT_EQ(Citaj(cesta), prvy) << "cycle " << cyklus;
    }
  }
}

TEST_F(SuboryTest, AProgramSavedAgainCarriesTheBobbinItCameWith) {
  const std::string fehlt = "D:\\CONST_BOBBIN\\Korper\\fehlt.kor";  // on no drive of this machine
  struct Pripad {
    const char* nazov;
    std::string predtym;  // the bobbin current before the file is opened
    std::string vSubore;  // the trailer's bobbin path
    std::string ocakavane;
  };
  const std::vector<Pripad> pripady = {
      {"missing bobbin file, none current", "", fehlt, (dir / "drives/D/CONST_BOBBIN/Korper/fehlt.kor").string()},
      {"missing bobbin file, another current", Cesta("alt.kor"), fehlt,
       (dir / "drives/D/CONST_BOBBIN/Korper/fehlt.kor").string()},
      {"no bobbin, another current", Cesta("alt.kor"), "", ""},
      {"a bobbin outside the drives", "", "/srv/spulen/x.kor", "/srv/spulen/x.kor"},
  };
  for (const Pripad& c : pripady) {
    SCOPED_TRACE(c.nazov);
    Bajty pata = Pata("KVR - 22", "PREVODD", Utf8NaCp1252(c.vSubore));
    if (c.vSubore.empty()) std::fill(pata.begin() + 144, pata.begin() + 390, uint8_t{0});
    const std::string cesta = Zapis("b.prg", SuborNovy(kZnackaT, {ZaznamTVinutie()}, pata));
    k.Program.MenoKostricky = c.predtym;
    k.Kostricka.Komory[5].KomoraL = 99.0L;
    ASSERT_TRUE(OpenProgramFile(k, cesta));
    EXPECT_EQ(k.Program.MenoKostricky, c.ocakavane);
    EXPECT_EQ(std::memcmp(k.Kostricka.Bytes() + 256, &pata[144], 240), 0);
    const std::string ulozeny = Cesta("b2.prg");
    UlozProgramT(k, ulozeny, k.Program.PocetKrokov);
    const Bajty b = Citaj(ulozeny);
    ASSERT_EQ(b.size(), 68u * 2 + 1202);
    // Path (in the panel PC's form), chambers and offset as they came.
    EXPECT_TRUE(std::equal(pata.begin() + 63, pata.begin() + 390, b.begin() + 68 * 2 + 63));
  }
}

TEST_F(SuboryTest, OpeningAProgramWithoutWarningsDropsThePreviousOnes) {
  const Bajty t = SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 22", "PREVODD"));
  ASSERT_TRUE(OpenProgramFile(k, Zapis("w.prg", SuborTW(t, kIni))));
  ASSERT_EQ(k.Program.Warningy[1], "Draht prüfen");
  ASSERT_TRUE(OpenProgramFile(k, Zapis("t.prg", t)));
  EXPECT_FALSE(fs::exists(Ini()));
  for (int i = 1; i <= kMaxKrokov; ++i) EXPECT_EQ(k.Program.Warningy[static_cast<size_t>(i)], "") << i;
}

// ---- Writers ------------------------------------------------------------------

TEST_F(SuboryTest, SavedFilesHaveTheirSizesAndReopenWithTheSameProgram) {
  for (const int n : {0, 1, 7, 350}) {
    for (const bool gc : {false, true}) {
      SCOPED_TRACE(std::to_string(n) + (gc ? " KVR-G/C" : " KVR-T"));
      k.Program.Kroky.Vymaz();
      Program(n);
      const TKrokyPole povodne = k.Program.Kroky;
      const std::string cesta = Cesta(gc ? "rt.gc" : "rt.t");
      gc ? UlozProgramGC(k, cesta, n) : UlozProgramT(k, cesta, n);
      const Bajty prvy = Citaj(cesta);
      EXPECT_EQ(prvy.size(), (gc ? 64u : 68u) * static_cast<size_t>(n + 1) + 1202u);
      EXPECT_EQ(GetU32(&prvy[prvy.size() - 4]), gc ? uint32_t{kZnackaGC} : uint32_t{kZnackaT});

      k.Program.Kroky.Vymaz();
      ASSERT_TRUE(OpenProgramFile(k, cesta));
      EXPECT_EQ(k.Program.PocetKrokov, n);
      for (int i = 1; i <= n; ++i) {
        const TKrok& a = povodne[i];
        const TKrok& b = k.Program.Kroky[i];
        EXPECT_EQ(b.Druh, a.Druh);
        EXPECT_EQ(b.TypCyklu, a.TypCyklu);
        EXPECT_NEAR(D(b.Hodnota), D(a.Hodnota), 1e-6);
        EXPECT_NEAR(D(b.PRev), D(a.PRev), 1e-6);
        EXPECT_NEAR(D(b.PosuvMM), D(a.PosuvMM), 1e-9);
        EXPECT_EQ(b.Nulovat, a.Nulovat);
        EXPECT_EQ(b.VystupOneskorenie(3), 250);
      }
      // Saving what was read gives the same bytes again.
      gc ? UlozProgramGC(k, cesta, n) : UlozProgramT(k, cesta, n);
      EXPECT_EQ(Citaj(cesta), prvy);
    }
  }
}

TEST_F(SuboryTest, TrailerPassesItsUninterpretedBytesOn) {
  const Bajty t = Pata("KVR - 22", "PREVODD");
  ASSERT_TRUE(OpenProgramFile(k, Zapis("a.prg", SuborNovy(kZnackaT, {ZaznamTVinutie()}, t))));
  k.Stroj.Prevod = 3;
  NastavModel(k);
  const std::string cesta = Cesta("b.gc");
  UlozProgramGC(k, cesta, k.Program.PocetKrokov);
  const Bajty b = Citaj(cesta);
  const size_t pata = b.size() - 1202;
  for (size_t i = 21; i < 42; ++i) EXPECT_EQ(b[pata + i], t[i]) << i;
  for (size_t i = 390; i < 1198; ++i) EXPECT_EQ(b[pata + i], t[i]) << i;
  EXPECT_EQ(ReadShortString(&b[pata + 42], 20), "PREVODH");
  // Header values pass on as read.
  EXPECT_EQ(b[5], 0x01);
  EXPECT_EQ(b[6], 0x23);
  EXPECT_EQ(b[7], 0x45);
  EXPECT_EQ(b[8], 7);
  EXPECT_EQ(b[9], 0x20);
  EXPECT_EQ(b[10], 1);
}

TEST_F(SuboryTest, WithoutBobbinNameTheBobbinFieldsAreZeros) {
  std::fill(k.Subory.PataSuboru.begin(), k.Subory.PataSuboru.end(), uint8_t{0xEE});
  k.Kostricka.Komory[0].KomoraP = 40.0L;
  k.Kostricka.Abstand = 10.0L;
  k.Program.MenoKostricky.clear();
  Program(2);
  const std::string cesta = Cesta("z.t");
  UlozProgramT(k, cesta, 2);
  const Bajty b = Citaj(cesta);
  const size_t pata = 68 * 3;
  for (size_t i = 144; i < 390; ++i) EXPECT_EQ(b[pata + i], 0) << i;
  EXPECT_EQ(b[pata + 63], 0);
  EXPECT_EQ(b[pata + 390], 0xEE);
  EXPECT_EQ(ReadShortString(&b[pata], 20), "KVR - 22");
}

TEST_F(SuboryTest, BobbinWithNameGoesIntoTheTrailerInWindows1252) {
  const std::string kostricka = Cesta("Körper.kor");
  Zapis("Körper.kor", Bajty(502, 0));
  k.Program.MenoKostricky = kostricka;
  k.Kostricka.Komory[2].KomoraL = 12.5L;
  k.Kostricka.Abstand = 7.0L;
  Program(1);
  const std::string cesta = Cesta("k.t");
  UlozProgramT(k, cesta, 1);
  const Bajty b = Citaj(cesta);
  const uint8_t* t = &b[68 * 2];
  const std::string cp = Utf8NaCp1252(kostricka);
  ASSERT_EQ(t[63], cp.size());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t + 64), cp.size()), cp);
  EXPECT_NE(cp.find("K\xF6rper"), std::string::npos);
  EXPECT_EQ(std::memcmp(t + 144, k.Kostricka.Bytes() + 256, 246), 0);

  // Reopened: the name comes back as the same UTF-8 text, the chambers with it.
  k.Program.MenoKostricky = "x";
  k.Kostricka = TKostricka{};
  ASSERT_TRUE(OpenProgramFile(k, cesta));
  EXPECT_EQ(k.Program.MenoKostricky, kostricka);
  EXPECT_NEAR(D(k.Kostricka.Komory[2].KomoraL), 12.5, 1e-9);
  EXPECT_NEAR(D(k.Kostricka.Abstand), 7.0, 1e-9);
}

TEST_F(SuboryTest, KvrGcHeaderCarriesTheFileNameWithoutFolder) {
  struct Pripad {
    std::string meno;
    std::string ocakavane;  // Windows-1252 bytes, cut to 30
  };
  const std::vector<Pripad> pripady = {
      {"Spule.prg", "Spule.prg"},
      {"Körper_und_ein_sehr_langer_Name_1234.prg", "K\xF6rper_und_ein_sehr_langer_Nam"},
  };
  Program(1);
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.meno);
    const std::string cesta = Cesta(p.meno);
    UlozProgramGC(k, cesta, 1);
    const Bajty b = Citaj(cesta);
    std::string pole(b.begin() + 20, b.begin() + 50);
    EXPECT_EQ(pole.substr(0, p.ocakavane.size()), p.ocakavane);
    EXPECT_EQ(pole.substr(p.ocakavane.size()), std::string(30 - p.ocakavane.size(), '\0'));
    EXPECT_EQ(b[19], 0);
    EXPECT_EQ(b[50], 0);
  }
}

TEST_F(SuboryTest, ReceivedImageIsStoredWithAFreshTrailer) {
  std::fill(k.Subory.PataSuboru.begin(), k.Subory.PataSuboru.end(), uint8_t{0x11});
  for (size_t i = 0; i < 136; ++i) k.Subory.SuborBuf[i] = static_cast<uint8_t>(i + 1);
  const std::string cesta = Cesta("prij.tmp");
  UlozPrijatyObraz(k, cesta, 136, kZnackaT, 2, "KVR - 100 mit einem langen Namen");
  const Bajty b = Citaj(cesta);
  ASSERT_EQ(b.size(), 136u + 1202u);
  EXPECT_TRUE(std::equal(b.begin(), b.begin() + 136, k.Subory.SuborBuf.begin()));
  const uint8_t* t = &b[136];
  EXPECT_EQ(ReadShortString(t, 20), "KVR - 100 mit einem ");
  EXPECT_EQ(t[21], 0);
  EXPECT_EQ(ReadShortString(t + 42, 20), "PREVODP");
  EXPECT_EQ(t[63], 0);
  for (size_t i = 144; i < 390; ++i) EXPECT_EQ(t[i], 0) << i;
  EXPECT_EQ(t[22], 0x11);
  EXPECT_EQ(t[1000], 0x11);
  EXPECT_EQ(GetU32(&b[b.size() - 4]), uint32_t{kZnackaT});
}

// ---- Refusals -----------------------------------------------------------------

// Everything a refused file must leave as it was.
struct Snimka {
  TProgram program;
  std::string model;
  int32_t prevod;
  Bajty kostricka;
  Bajty pata;
  long double korekcia;
  int32_t h1, h2, h3;
  Bajty ini;

  static Snimka Z(const TKontext& k, const std::string& ini) {
    Snimka s{k.Program,
             k.Stroj.Model,
             k.Stroj.Prevod,
             Bajty(k.Kostricka.Bytes(), k.Kostricka.Bytes() + sizeof(TKostricka)),
             Bajty(k.Subory.PataSuboru.begin(), k.Subory.PataSuboru.end()),
             k.Subory.CelkovaKorekcia,
             k.Subory.HlavParam1,
             k.Subory.HlavParam2,
             k.Subory.HlavParam3,
             SuboryTest::Citaj(ini)};
    return s;
  }
  void Porovnaj(const Snimka& o) const {
    EXPECT_TRUE(program.Kroky == o.program.Kroky);
    EXPECT_EQ(program.PocetKrokov, o.program.PocetKrokov);
    EXPECT_EQ(program.KrokEnde, o.program.KrokEnde);
    EXPECT_EQ(program.Zmeneny, o.program.Zmeneny);
    EXPECT_EQ(program.Warningy, o.program.Warningy);
    EXPECT_EQ(program.MenoSuboru, o.program.MenoSuboru);
    EXPECT_EQ(program.PoslednyOtvor, o.program.PoslednyOtvor);
    EXPECT_EQ(program.AktAdresar, o.program.AktAdresar);
    EXPECT_EQ(program.MenoKostricky, o.program.MenoKostricky);
    EXPECT_EQ(model, o.model);
    EXPECT_EQ(prevod, o.prevod);
    EXPECT_EQ(kostricka, o.kostricka);
    EXPECT_EQ(pata, o.pata);
    EXPECT_EQ(korekcia, o.korekcia);
    EXPECT_EQ(h1, o.h1);
    EXPECT_EQ(h2, o.h2);
    EXPECT_EQ(h3, o.h3);
    EXPECT_EQ(ini, o.ini);
  }
};

TEST_F(SuboryTest, RefusedFilesLeaveTheStoreAsItWas) {
  struct Pripad {
    const char* nazov;
    std::string model;  // the machine model selected when the file is opened
    Bajty subor;
    std::string sprava;  // "%" stands for the path in double quotes
  };
  const Bajty pata = Pata("KVR - 22", "PREVODD");
  std::vector<Bajty> vela(351, ZaznamTVinutie());
  std::vector<Bajty> velky(482, Bajty(68, 0));
  Bajty stary31 = Stary(kZnackaStary1, 0);
  stary31[10] = 0x1F;
  Bajty kratky(100, 0);
  PridajZnacku(kratky, kZnackaT);
  // Files cut short (or grown) by a byte inside their image.
  const auto bezBajtu = [](Bajty b, size_t odKonca) {
    b.erase(b.end() - static_cast<std::ptrdiff_t>(odKonca));
    return b;
  };
  const Bajty tCely = SuborNovy(kZnackaT, {ZaznamTVinutie()}, pata);
  Bajty bezHlavicky(kPataNova, 0);
  PridajZnacku(bezHlavicky, kZnackaT);
  Bajty stary1Dlhy = Stary(kZnackaStary1, 0);
  stary1Dlhy.insert(stary1Dlhy.begin(), 0x00);
  Bajty pataStara3(706, 0);
  Kratky(pataStara3, 0, "KVR - 22");
  Bajty rychly = ZaznamTVinutie();
  PutU16(&rychly[16], 1024);
  const std::string poskodeny = std::string(kTextPoskodeny) + "%";
  const std::string nie(kTextNieJeProgram);
  const std::vector<Pripad> pripady = {
      {"3 bytes", "KVR - 22", {0x54, 0x43, 0x4E}, nie},
      {"unknown marker", "KVR - 22", {1, 2, 3, 4, 5, 6, 7, 8}, nie},
      {"more than 350 steps", "KVR - 22", SuborNovy(kZnackaT, vela, pata), std::string(kTextViacKrokov) + "%"},
      {"image beyond the buffer", "KVR - 22", SuborNovy(kZnackaT, velky, pata), std::string(kTextPrilisVelky) + "%"},
      {"warnings without KVR-T part", "KVR - 22", SuborTW(Bajty(2000, 0x20), kIni), std::string(kTextBezKvrT) + "%"},
      {"warnings after a short KVR-T part", "KVR - 22", SuborTW({0x54, 0x43, 0x4E, 0x03}, kIni),
       std::string(kTextPoskodeny) + "%"},
      {"KVR-T shorter than its trailer", "KVR - 22", kratky, std::string(kTextPoskodeny) + "%"},
      {"KVR-T without a header record", "KVR - 22", bezHlavicky, poskodeny},
      {"KVR-T cut before its trailer", "KVR - 22", bezBajtu(tCely, 1203), poskodeny},
      {"KVR-T cut before its marker", "KVR - 22", bezBajtu(tCely, 5), poskodeny},
      {"KVR-G/C cut before its marker", "KVR - 22",
       bezBajtu(SuborNovy(kZnackaGC, {ZaznamGCVinutie()}, pata), 5), poskodeny},
      {"KVR-T+W whose image was cut", "KVR - 22", SuborTW(bezBajtu(tCely, 5), kIni), poskodeny},
      {"old format 1 with a byte too many", "KVR - 22", stary1Dlhy, poskodeny},
      {"old format 2 cut", "KVR - 22", bezBajtu(Stary(kZnackaStary2, 548), 553), poskodeny},
      {"old format 3 cut", "KVR - 22", bezBajtu(Stary(kZnackaStary3, 0, pataStara3), 711), poskodeny},
      {"KVR-T speed code above 1023", "KVR - 22", SuborNovy(kZnackaT, {ZaznamTVinutie(), rychly}, pata),
       " Schritt 2: Drehzahlcode 1024 größer als 1023 !"},
      {"KVR-T+W speed code above 1023", "KVR - 22", SuborTW(SuborNovy(kZnackaT, {rychly}, pata), kIni),
       " Schritt 1: Drehzahlcode 1024 größer als 1023 !"},
      {"old format for a model without code tables", "KVR - 60", Stary(kZnackaStary1, 0),
       std::string(kTextStaryFormatModel) + "KVR - 60 !"},
      {"old record with speed code 31", "KVR - 22", stary31, " Schritt 1: unbekannter Drehzahlcode 31 !"},
  };
  // A program with warnings is current.
  const Bajty t = SuborNovy(kZnackaT, {ZaznamTVinutie(), ZaznamTPrevod()}, Pata("KVR - 32", "PREVODP"));
  const std::string povodny = Zapis("povodny.prg", SuborTW(t, kIni));
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.nazov);
    k.Stroj.Model = "KVR - 22";
    k.Stroj.Prevod = 1;
    ASSERT_TRUE(OpenProgramFile(k, povodny));
    k.Stroj.Model = p.model;
    NastavModel(k);
    k.Program.Zmeneny = 1;
    const Snimka pred = Snimka::Z(k, Ini());
    const std::string cesta = Zapis("odmietnuty.prg", p.subor);
    std::string sprava = p.sprava;
    if (const size_t i = sprava.find('%'); i != std::string::npos) sprava.replace(i, 1, "\"" + cesta + "\"");
    ui.ExpectError(sprava);
    EXPECT_FALSE(OpenProgramFile(k, cesta));
    ui.Verify();
    Snimka::Z(k, Ini()).Porovnaj(pred);
  }
}

TEST_F(SuboryTest, AnythingButARegularFileIsRefusedWithOneMessageBeforeItIsOpened) {
  const std::string fifo = Cesta("pipe.prg");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);  // opening it for reading would block
  fs::create_directory(dir / "ordner.prg");
  const struct {
    std::string cesta;
    std::string sprava;
  } pripady[] = {
      {Cesta("fehlt.prg"), std::string(kTextNeotvori) + "\"" + Cesta("fehlt.prg") + "\""},
      {Cesta("ordner.prg"), std::string(kTextNieJeSubor) + "\"" + Cesta("ordner.prg") + "\""},
      {fifo, std::string(kTextNieJeSubor) + "\"" + fifo + "\""},
      {"", std::string(kTextBezMena)},
  };
  const std::string dobry = Zapis("dobry.prg", SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 22", "PREVODD")));
  ASSERT_TRUE(OpenProgramFile(k, dobry));
  for (const auto& c : pripady) {
    SCOPED_TRACE(c.cesta);
    ui.ExpectError(c.sprava);
    EXPECT_FALSE(OpenProgramFile(k, c.cesta));
    ui.Verify();
    EXPECT_EQ(k.Program.MenoSuboru, dobry);
    EXPECT_EQ(k.Program.PocetKrokov, 1);
    // Every reader refuses it the same way, without opening it.
    EXPECT_FALSE(ReadWholeFile(c.cesta).has_value());
    ui.ExpectError(c.sprava);
    EXPECT_EQ(ZistiTypSuboru(k, c.cesta), 0u);
    ui.Verify();
  }
}

TEST_F(SuboryTest, ExactlyThreeHundredFiftyStepsAreTaken) {
  std::vector<Bajty> z(350, ZaznamTVinutie());
  ASSERT_TRUE(OpenProgramFile(k, Zapis("350.prg", SuborNovy(kZnackaT, z, Pata("KVR - 22", "PREVODD")))));
  EXPECT_EQ(k.Program.PocetKrokov, 350);
}

TEST_F(SuboryTest, GearStepOnAModelWithAFixedGearIsReportedOnce) {
  const Bajty t = SuborNovy(kZnackaT, {ZaznamTPrevod(), ZaznamTPrevod()}, Pata("KVR - 22", "PREVODD"));
  ui.ExpectError(std::string(kTextStalyPrevod));
  int32_t pocet = -1;
  ASSERT_TRUE(NacitajProgram(k, Zapis("g.prg", t), kZnackaT, pocet));
  EXPECT_EQ(pocet, 2);
  EXPECT_EQ(k.Program.PocetKrokov, 2);
}

TEST_F(SuboryTest, GearStepToTheFixedGearItselfIsNoChange) {
  Bajty prevod1 = ZaznamTPrevod();
  PutU32(&prevod1[4], 1);  // gear 1, stored as 0.01
  const Bajty t = SuborNovy(kZnackaT, {prevod1}, Pata("KVR - 22", "PREVODD"));
  int32_t pocet = -1;
  ASSERT_TRUE(NacitajProgram(k, Zapis("g1.prg", t), kZnackaT, pocet));
  EXPECT_EQ(k.Program.Kroky[1].Druh, kDruhGetriebe);
}

TEST_F(SuboryTest, UnknownModelInTheFileIsCorrectedOnce) {
  const Bajty t = SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 999", "PREVODD"));
  ui.ExpectError("MODEL UNBEKANNT! [einstellen: KVR 22]");
  ASSERT_TRUE(OpenProgramFile(k, Zapis("m.prg", t)));
  EXPECT_EQ(k.Stroj.Model, "KVR - 22");
}

// ---- Commands -----------------------------------------------------------------

TEST_F(SuboryTest, SaveMenuEntriesAskWithTheirTitleAndKeyboard) {
  struct Pripad {
    int polozka;
    const char* titul;
    uint32_t znacka;
  };
  const std::vector<Pripad> pripady = {
      {0, "Speichern format KVR-G,KVR-C", kZnackaGC},
      {1, "Speichern format  KVR-T", kZnackaT},
      {2, "Speichern format  KVR-T", kZnackaTW},
  };
  // A program with warnings is current: its folder is where the dialogs start.
  const Bajty t = SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 22", "PREVODD"));
  const std::string povodny = Zapis("povodny.prg", SuborTW(t, kIni));
  ASSERT_TRUE(OpenProgramFile(k, povodny));
  fs::create_directory(dir / "ziel");
  int klavesnica = 0;
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.polozka);
    k.Program.Zmeneny = 1;
    k.Subory.Ulozene = 0;
    const std::string ciel = (dir / "ziel" / ("neu" + std::to_string(p.polozka) + ".prg")).string();
    const std::string navrh = k.Program.MenoSuboru;
    ui.ExpectSave(ciel, [&](const TFileDialog& d) {
      EXPECT_EQ(d.Title, p.titul);
      EXPECT_EQ(d.FileName, navrh);
      EXPECT_EQ(d.InitialDir, dir.string() + "/");
      EXPECT_EQ(pl.keyboardStarts, klavesnica + 1);
      EXPECT_EQ(pl.keyboardCloses, klavesnica);
    });
    subor.UlozMenu(p.polozka);
    ++klavesnica;
    EXPECT_EQ(pl.keyboardStarts, klavesnica);
    EXPECT_EQ(pl.keyboardCloses, klavesnica);
    EXPECT_EQ(k.Subory.Ulozene, 1);
    EXPECT_EQ(k.Program.Zmeneny, 0);
    EXPECT_EQ(k.Program.MenoSuboru, ciel);
    EXPECT_EQ(k.Program.PoslednySubor, ciel);
    EXPECT_EQ(k.Program.AktAdresar, (dir / "ziel").string() + "/");
    const Bajty b = Citaj(ciel);
    ASSERT_GE(b.size(), 4u);
    EXPECT_EQ(GetU32(&b[b.size() - 4]), p.znacka);
    if (p.znacka == kZnackaTW) {
      // The file names no bobbin, so its bobbin fields are written as zeros.
      Bajty ocakavane = t;
      std::fill(ocakavane.begin() + 68 * 2 + 144, ocakavane.begin() + 68 * 2 + 390, uint8_t{0});
      ocakavane.insert(ocakavane.end(), std::begin(kIni), std::end(kIni) - 1);
      PridajZnacku(ocakavane, kZnackaTW);
      EXPECT_EQ(b, ocakavane);
    }
    ui.Verify();
  }
}

TEST_F(SuboryTest, SaveDialogStartsInTheRightFolder) {
  struct Pripad {
    const char* nazov;
    std::string meno, otvor, akt;
    std::string ocakavane;
  };
  const std::vector<Pripad> pripady = {
      {"current file: folder of the last opened", "/p/a.prg", "/q/b.prg", "/r/", "/q/"},
      {"no current file: the folder of the last read or save", "", "/q/b.prg", "/r/", "/r/"},
      {"nothing yet: the programs folder", "", "", "", (dir / "drives" / "D" / "WINDING PROGRAMS").string() + "/"},
  };
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.nazov);
    k.Program.MenoSuboru = p.meno;
    k.Program.PoslednyOtvor = p.otvor;
    k.Program.AktAdresar = p.akt;
    ui.ExpectSave(std::nullopt, [&](const TFileDialog& d) { EXPECT_EQ(d.InitialDir, p.ocakavane); });
    k.Subory.Ulozene = 1;
    subor.UlozMenu(1);
    EXPECT_EQ(k.Subory.Ulozene, 0);
    ui.ExpectOpen(std::nullopt, [&](const TFileDialog& d) { EXPECT_EQ(d.InitialDir, p.ocakavane); });
    subor.OtvorSubor();
    ui.Verify();
  }
  EXPECT_EQ(pl.keyboardStarts, 3);
  EXPECT_EQ(pl.keyboardCloses, 3);
}

TEST_F(SuboryTest, FailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  Program(3);
  const std::string stary = Cesta("stary.prg");
  UlozProgramT(k, stary, 3);
  const Bajty obsah = Citaj(stary);
  k.Program.MenoSuboru = stary;
  k.Program.PoslednySubor = stary;

  struct Pripad {
    const char* nazov;
    std::string ciel;
    std::function<void()> priprav;
  };
  const std::vector<Pripad> pripady = {
      {"folder does not exist", Cesta("chyba/novy.prg"), [] {}},
      // The file beside the target cannot be created: the target stays whole.
      {"old file in place", stary, [&] { fs::create_directory(stary + ".kvr-tmp"); }},
  };
  for (const Pripad& p : pripady) {
    SCOPED_TRACE(p.nazov);
    p.priprav();
    k.Program.Kroky[1].Hodnota = 999.0L;
    k.Program.Zmeneny = 1;
    ui.ExpectSave(p.ciel).ExpectReport(" Kann man nicht speichern: \"" + p.ciel + "\"");
    RunEvent(*k.Ui, [&] { subor.UlozMenu(1); });
    ui.Verify();
    EXPECT_EQ(k.Program.Zmeneny, 1);
    EXPECT_EQ(k.Subory.Ulozene, 0);
    EXPECT_EQ(k.Program.MenoSuboru, stary);
    EXPECT_EQ(k.Program.PoslednySubor, stary);
    EXPECT_EQ(Citaj(stary), obsah);
    EXPECT_FALSE(fs::exists(p.ciel) && p.ciel != stary);
  }
  EXPECT_EQ(pl.keyboardStarts, 2);
  EXPECT_EQ(pl.keyboardCloses, 2);
}

TEST_F(SuboryTest, OpenCommandOpensTheChosenFile) {
  const std::string cesta =
      Zapis("a.prg", SuborNovy(kZnackaT, {ZaznamTVinutie()}, Pata("KVR - 22", "PREVODD")));
  const std::string ine = Zapis("b.txt", {'h', 'a', 'l', 'l', 'o'});
  ui.ExpectOpen(cesta, [](const TFileDialog& d) { EXPECT_EQ(d.Title, "Öffnen"); });
  k.Pohlad.PevnaLava = 3.0L;
  k.Program.Online = 1;
  subor.OtvorSubor();
  EXPECT_EQ(k.Program.Online, 0);
  EXPECT_EQ(k.Program.PocetKrokov, 1);
  EXPECT_EQ(static_cast<long double>(k.Pohlad.PevnaLava), 0.0L);
  // The view window was unset: it now spans the machine.
  EXPECT_EQ(static_cast<long double>(k.Pohlad.OknoPrava), 210.0L);

  ui.ExpectOpen(ine).ExpectError(std::string(kTextNieJeProgram));
  subor.OtvorSubor();
  EXPECT_EQ(k.Program.MenoSuboru, cesta);
}

TEST(ProgramCaptionsOf, TheCaptionsFollowTheFiles) {
  test::FakePlatform pl("/drives");
  TProgram p;
  p.MenoKostricky = "D:\\CONST_BOBBIN\\Korper\\Körper 1.kor";
  p.MenoKonstant = "/home/op/konst/k2.kvr";
  p.PoslednySubor = "/x/ulozeny.prg";
  ProgramCaptions c = ProgramCaptionsOf(p, pl);
  EXPECT_EQ(c.Kostricka, "KÖRPER NAME:\rKörper 1.kor");
  EXPECT_EQ(c.Konstanty, "KONSTANTEN NAME:\rk2.kvr");
  EXPECT_EQ(c.Program, "/x/ulozeny.prg");
  p.PoslednyOtvor = "/winding/programs/folder/of/many/letters/Spule_Nummer_12.prg";
  c = ProgramCaptionsOf(p, pl);
  EXPECT_EQ(c.Program, "..." + p.PoslednyOtvor.substr(p.PoslednyOtvor.size() - 41));
  // Under the drive root the operator reads the panel PC's path.
  p.PoslednyOtvor = pl.MapSystemPath("D:\\WINDING PROGRAMS\\Spule 12.prg");
  EXPECT_EQ(ProgramCaptionsOf(p, pl).Program, "D:\\WINDING PROGRAMS\\Spule 12.prg");
  p.PoslednyOtvor.clear();
  p.PoslednySubor = pl.MapSystemPath("E:\\a.prg");
  EXPECT_EQ(ProgramCaptionsOf(p, pl).Program, "E:\\a.prg");
}

}  // namespace
}  // namespace kvr
