// Writes the seed corpora of the fuzz targets into OUT/<target>/: the test
// fixtures, and files the station writes itself (the sample program in every
// format it saves, old-format files built from the old fixture, a bobbin, the
// default constants and desktop, INI texts, Errors.de, keypad entries).
// Usage: fuzz_seeds OUT SOURCE_ROOT
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz/station.h"
#include "model/desktop.h"
#include "model/bobbin_files.h"
#include "model/real48.h"
#include "model/program_files.h"
#include "model/sample_program.h"

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

namespace {

fs::path g_out;  // set once in main; the seeds' folder

void Seed(const std::string& target, const std::string& name, const Bytes& bytes) {
  fs::create_directories(g_out / target);
  std::ofstream f(g_out / target / name, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

void Seed(const std::string& target, const std::string& name, const std::string& text) {
  Seed(target, name, Bytes(text.begin(), text.end()));
}

Bytes ReadFile(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

Bytes Prefixed(uint8_t config, const Bytes& b) {
  Bytes r{config};
  r.insert(r.end(), b.begin(), b.end());
  return r;
}

Bytes Marker(uint32_t m) {
  return {static_cast<uint8_t>(m), static_cast<uint8_t>(m >> 8), static_cast<uint8_t>(m >> 16),
          static_cast<uint8_t>(m >> 24)};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: fuzz_seeds OUT SOURCE_ROOT\n");
    return 2;
  }
  g_out = argv[1];
  const fs::path root = argv[2];
  // Configuration bytes: "KVR - 22" gear 1 (old-format tables, gear changes),
  // "KVR - 100" gear 2 (tables), "KVR - 500" gear 1 (no tables).
  const uint8_t configs[] = {0, 9 + 15, 12};

  std::vector<std::pair<std::string, Bytes>> programs;
  for (const auto& e : fs::directory_iterator(root / "tests" / "data"))
    if (e.path().extension() == ".kvr") programs.emplace_back(e.path().filename().string(), ReadFile(e.path()));

  kvr::fuzz::Station st;
  kvr::TKontext& k = *st.k;
  kvr::SampleProgram(k, 24);
  const std::string ini = kvr::WarningsIniPath(k);
  const std::string warnings = "[WARNINGS]\r\nSTEP_1=Draht pr\xFC" "fen\r\nSTEP_3=\"Achtung Kante\"\r\n";
  {
    std::ofstream(ini, std::ios::binary) << warnings;
  }
  kvr::WriteProgramFile(k, st.Path("s.gc"), 0, false);
  kvr::WriteProgramFile(k, st.Path("s.t"), 1, false);
  kvr::WriteProgramFile(k, st.Path("s.tw"), 1, true);
  // The largest programs: 350 steps, and an image beyond the 32768-byte buffer.
  {
    kvr::fuzz::Station big;
    kvr::SampleProgram(*big.k, 350);
    kvr::WriteProgramFile(*big.k, big.Path("s350.t"), 1, false);
    programs.emplace_back("sample350_t", big.Read(big.Path("s350.t")));
    Bytes oversized(32768 + 68 + 1202, 0);
    const Bytes mt = Marker(kvr::kZnackaT);
    oversized.insert(oversized.end(), mt.begin(), mt.end());
    programs.emplace_back("oversized_t", oversized);
  }
  programs.emplace_back("sample_gc", st.Read(st.Path("s.gc")));
  programs.emplace_back("sample_t", st.Read(st.Path("s.t")));
  programs.emplace_back("sample_tw", st.Read(st.Path("s.tw")));

  // Old formats 2 and 3 from the records of the old-format-1 fixture.
  const Bytes old1 = ReadFile(root / "tests" / "data" / "kvrtool_old1.kvr");
  if (old1.size() > 4) {
    const Bytes records(old1.begin(), old1.end() - 4);
    Bytes old2 = records;
    old2.resize(old2.size() + 548, 0);
    const Bytes m2 = Marker(kvr::kZnackaStary2);
    old2.insert(old2.end(), m2.begin(), m2.end());
    programs.emplace_back("old2", old2);
    Bytes old3 = records;
    Bytes trailer(706, 0);
    const std::string model = "KVR - 22", gear = "PREVODP";
    trailer[0] = static_cast<uint8_t>(model.size());
    std::copy(model.begin(), model.end(), trailer.begin() + 1);
    trailer[42] = static_cast<uint8_t>(gear.size());
    std::copy(gear.begin(), gear.end(), trailer.begin() + 43);
    old3.insert(old3.end(), trailer.begin(), trailer.end());
    const Bytes m3 = Marker(kvr::kZnackaStary3);
    old3.insert(old3.end(), m3.begin(), m3.end());
    programs.emplace_back("old3", old3);
  }
  for (const auto& [name, bytes] : programs)
    for (uint8_t c : configs) Seed("fuzz_program", name + "_" + std::to_string(c), Prefixed(c, bytes));

  // Records: the sample's first three steps in both current encodings, and
  // the old fixture's first record.
  const Bytes t = st.Read(st.Path("s.t")), gc = st.Read(st.Path("s.gc"));
  for (uint8_t c : configs)
    for (int i = 1; i <= 3; ++i) {
      const auto idx = static_cast<uint8_t>((i - 1) * 4);
      Bytes rt{c, idx};
      rt.insert(rt.end(), t.begin() + 68 * i, t.begin() + 68 * (i + 1));
      Seed("fuzz_records", "t" + std::to_string(i) + "_" + std::to_string(c), rt);
      Bytes rg{c, static_cast<uint8_t>(idx + 1)};
      rg.insert(rg.end(), gc.begin() + 64 * i, gc.begin() + 64 * (i + 1));
      Seed("fuzz_records", "gc" + std::to_string(i) + "_" + std::to_string(c), rg);
      if (old1.size() >= 11) {
        Bytes ro{c, 2};
        ro.insert(ro.end(), old1.begin(), old1.begin() + 11);
        Seed("fuzz_records", "old_" + std::to_string(c), ro);
      }
    }

  // Bobbins: the sample's 502-byte record and the older 382-byte layout.
  const kvr::TKostricka& b = k.Kostricka;
  const auto* bb = reinterpret_cast<const uint8_t*>(&b);
  Seed("fuzz_bobbin", "bobbin502", Bytes(bb, bb + sizeof(kvr::TKostricka)));
  Bytes b382(bb, bb + 376);
  b382.insert(b382.end(), bb + 496, bb + 502);
  Seed("fuzz_bobbin", "bobbin382", b382);

  kvr::PredvoleneKonstanty(k);
  kvr::UlozKonstanty(k, st.Path("c.kvr"));
  for (uint8_t c : configs) Seed("fuzz_constants", "default_" + std::to_string(c), Prefixed(c, st.Read(st.Path("c.kvr"))));

  const kvr::TDesktop d = kvr::DefaultDesktop();
  Seed("fuzz_desktop", "default", Bytes(d.Bytes(), d.Bytes() + sizeof(kvr::TDesktop)));

  Seed("fuzz_warnings_ini", "warnings", warnings);
  Seed("fuzz_warnings_ini", "from_tw", Bytes(st.Read(ini)));

  // FuzzedDataProvider strings end at a lone backslash.
  Seed("fuzz_ini_update", "wm_cfg", "KVR\\xWindingProgram\\xD:/WINDING PROGRAMS/a.prg\\x"
                                    "; WM\r\n[Machine]\r\nPort = 3\r\nnur Text\r\n\r\n[KVR]\r\n"
                                    "windingprogram = alt.prg\r\nWindingProgram=zweite\r\nTail=1");
  Seed("fuzz_ini_update", "new_section", "NEU\\xSTEP_2\\x  \"x\"  \\x[A]\rB=1\rC");
  Seed("fuzz_ini_update", "warnings", "WARNINGS\\xSTEP_3\\xneu\\x" + warnings);

  Seed("fuzz_errors_text", "Errors.de", ReadFile(root / "assets" / "Errors.de"));
  Seed("fuzz_errors_text", "utf8", std::string("\xEF\xBB\xBF" "Fehler 1: Körper\nFehler 2\r\n"));

  for (const char* v : {"12.5", "  -0.001", "1e3", "99999.99", "3.4E38", "1.7e39", "0", ".5"})
    Seed("fuzz_keypad", std::string("v") + std::to_string(std::hash<std::string>{}(v) % 100000), Prefixed(1, Bytes(v, v + std::strlen(v))));

  Seed("fuzz_script", "example", ReadFile(root / "tests" / "data" / "run_example.txt"));
  Seed("fuzz_script", "dialogs", "click TProg.mnINFO\nclose TfInfo\nclick TProg.mnOptionsModel\n"
                                 "select TModel.cbModel 3\nclick TModel.bOK\nclick TProg.mnUlozT\nfile cancel\n"
                                 "click TProg.BKrok\nkeypad 4\nclick TProg.bOtacky\nkeypad .\nkeypad cancel\n"
                                 "mouse TProg.PaintBox1 down 200 400\nmouse TProg.PaintBox1 move 200 10\n"
                                 "mouse TProg.PaintBox1 up 210 300 ctrl\nclick TProg.mnSuborExit\nanswer no\n");
  // The link: a controller's answers to a send and a whole receive of the
  // sample program, framed, behind the configuration and seed bytes.
  {
    auto frame = [](const Bytes& payload) {
      Bytes f{16, 4};
      uint8_t x = 0;
      for (uint8_t b : payload) {
        f.push_back(b);
        if (b == 16) f.push_back(b);
        x = static_cast<uint8_t>(x ^ b);
      }
      f.push_back(x);
      if (x == 16) f.push_back(x);
      f.push_back(16);
      f.push_back(3);
      return f;
    };
    Bytes send{2, 7};
    for (const Bytes& m : {Bytes{77, 2, 3, 0, 0, 0, 0, 22, 1, 1}, Bytes{130, 1, 0}, Bytes{130, 2, 0}, Bytes{3},
                           Bytes{128, 0, 0}, Bytes{32, 1, 2, 3, 4, 0, 0, 0, 0, 5, 6, 7, 0x80, 2, 0, '1'}, Bytes{0}}) {
      const Bytes f = frame(m);
      send.insert(send.end(), f.begin(), f.end());
    }
    Seed("fuzz_link", "send", send);
    kvr::fuzz::Station st2;
    st2.SetModel(0);
    kvr::SampleProgram(*st2.k, 40);
    const Bytes file = kvr::ProgramImage(*st2.k, "x", st2.k->Program.PocetKrokov, false);
    const Bytes image(file.begin(), file.end() - 1202);
    for (const uint8_t online : {uint8_t{0}, uint8_t{1}}) {
      Bytes receive{static_cast<uint8_t>(4 | online), 3};
      const uint16_t n = static_cast<uint16_t>(image.size());
      Bytes f = frame({77, 2, 3, 0, 0, static_cast<uint8_t>(n & 0xFF), static_cast<uint8_t>(n >> 8), 22, 1, 1});
      receive.insert(receive.end(), f.begin(), f.end());
      f = frame({133, 'S', 'P', 0});
      receive.insert(receive.end(), f.begin(), f.end());
      uint16_t paket = 0;
      for (size_t i = 0; i < image.size(); i += 128) {
        ++paket;
        Bytes p{129, static_cast<uint8_t>(paket >> 8), static_cast<uint8_t>(paket & 0xFF)};
        p.insert(p.end(), image.begin() + static_cast<std::ptrdiff_t>(i),
                 image.begin() + static_cast<std::ptrdiff_t>(std::min(image.size(), i + 128)));
        f = frame(p);
        receive.insert(receive.end(), f.begin(), f.end());
      }
      f = frame({128, 0, 0});
      receive.insert(receive.end(), f.begin(), f.end());
      Seed("fuzz_link", online ? "receive_online" : "receive", receive);
    }
  }
  return 0;
}
