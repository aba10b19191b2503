// kvrtool: the station's program files from the command line, for operators'
// batch work and for scripts. It runs the station's own open and save code
// headless: no dialogs are ever asked, messages are collected and printed.
//
//   kvrtool info FILE [--json] [--model NAME] [--gear N]
//   kvrtool convert IN OUT --to gc|t|tw [--model NAME] [--gear N]
//   kvrtool layers FILE [--json] [--model NAME] [--gear N]
//   kvrtool render FILE OUT.png [--zoom Z] [--model NAME] [--gear N]
//   kvrtool rename PATH... [--keep-extension] [--dry-run] [--json]
//   kvrtool run SCRIPT [FILE] [--model NAME] [--gear N] [--bobbin FILE] [--templates FILE]
//               [--save OUT --to gc|t|tw] [--json]
//   kvrtool check FILE [--json] [--model NAME] [--gear N]
//   kvrtool list FILE [--json] [--model NAME] [--gear N]
//   kvrtool print FILE OUT.pdf [--model NAME] [--gear N]
//   kvrtool send FILE --port DEVICE / receive OUT.kvr --port DEVICE / simulate
//
// Exit status: 0 done, 1 usage error, 2 the input file was refused or could
// not be read, 3 the output file (or standard output) could not be written,
// 4 a script failed, 5 a transfer failed, 6 a rename failed. Ended by SIGHUP, SIGINT, SIGQUIT or
// SIGTERM, it removes its temporary folder and then dies of that signal.
#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include "model/io.h"
#include "model/codepage.h"
#include "model/little_endian.h"
#include "model/program.h"
#include "model/machine.h"
#include "model/program_files.h"
#include "platform/platform.h"
#include "form/headless_ui.h"
#include "model/context.h"
#include "form/ui_services.h"
#include "kvrtool/json.h"
#include "kvrtool/program_report.h"
#include "kvrtool/image.h"
#include "kvrtool/link_commands.h"
#include "kvrtool/rename_command.h"
#include "kvrtool/run_command.h"
#include "kvrtool/listing_commands.h"
#include "form/canvas.h"
#include "view/coil_drawing.h"

namespace kvr::tool {

namespace {

namespace fs = std::filesystem;

constexpr int kOk = 0;
constexpr int kChybaPouzitia = 1;
constexpr int kOdmietnuty = 2;
constexpr int kChybaZapisu = 3;

constexpr std::string_view kPouzitie =
    "usage: kvrtool info FILE [--json] [--model NAME] [--gear N]\n"
    "       kvrtool convert IN OUT --to gc|t|tw [--model NAME] [--gear N]\n"
    "       kvrtool layers FILE [--json] [--model NAME] [--gear N]\n"
    "       kvrtool render FILE OUT.png [--zoom Z] [--model NAME] [--gear N]\n"
    "       kvrtool rename PATH... [--keep-extension] [--dry-run] [--json]\n"
    "       kvrtool run SCRIPT [FILE] [--model NAME] [--gear N] [--bobbin FILE] [--templates FILE]\n"
    "                   [--save OUT --to gc|t|tw] [--json]\n"
    "       kvrtool check FILE [--json] [--model NAME] [--gear N]\n"
    "       kvrtool list FILE [--json] [--model NAME] [--gear N]\n"
    "       kvrtool print FILE OUT.pdf [--model NAME] [--gear N]\n"
    "       kvrtool send FILE --port DEVICE [--model NAME] [--gear N] [--trace DIR]\n"
    "       kvrtool receive OUT.kvr --port DEVICE [--model NAME] [--gear N] [--trace DIR]\n"
    "       kvrtool simulate [--program FILE]\n"
    "Opens FILE as the station's open command does, starting from model \"KVR - 22\", gear 1\n"
    "(or the given ones, which the old formats 1 and 2 need), and prints what the program\n"
    "store then holds, or writes OUT as the station's save command of that format does\n"
    "(gc: KVR-G/C, t: KVR-T, tw: KVR-T with the warnings that IN brought).\n"
    "layers repaints the coil drawing once headless and prints the layer list;\n"
    "render writes the drawing as a PNG image (zoom 100 to 300 percent, default 100).\n"
    "rename renames KVR-G/C files (or every file of a folder) after their coil names.\n"
    "run plays a script of the operator's actions on the station's windows (see the README).\n"
    "check runs the station's \"Kontrolle\" (the step errors are its result: exit status 0);\n"
    "list prints the listing window's rows after it; print writes its printed listing as a PDF file.\n"
    "send and receive transfer a program to and from a machine controller on DEVICE;\n"
    "simulate serves a simulated controller and prints the DEVICE to use.\n"
    "Exit status: 0 done, 1 usage error, 2 input refused or unreadable, 3 output not written,\n"
    "4 a script failed, 5 a transfer failed, 6 a rename failed.\n";

// ---- Headless station ---------------------------------------------------------


// Removes the run's temporary folder when a signal ends the tool. The signals
// are blocked in every thread (main blocks them before any thread exists) and
// taken by a thread of their own with sigwait, so the folder is removed
// outside any signal handler; then the signal is raised again, so the caller
// sees the tool die of it. A signal that was ignored when the tool started
// (nohup, a background job) stays ignored.
class SignalCleanup {
 public:
  static constexpr int kSignals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM};
  // Ends the waiting thread at a normal exit; blocked, so never lost.
  static constexpr int kWake = SIGUSR2;

  // Blocks the signals in the calling thread, which every later thread inherits.
  static sigset_t BlockSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, kWake);
    for (int sig : kSignals) {
      struct sigaction old {};
      if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
      sigaddset(&set, sig);
    }
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
    return set;
  }

  explicit SignalCleanup(const sigset_t& set) : set_(set), thread_([this] { Wait(); }) {}
  ~SignalCleanup() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      ending_ = true;
    }
    pthread_kill(thread_.native_handle(), kWake);
    thread_.join();
  }
  SignalCleanup(const SignalCleanup&) = delete;
  SignalCleanup& operator=(const SignalCleanup&) = delete;

  // Runs fn (which creates or removes the folder) so that no signal's cleanup
  // runs in between, and from then on removes `folder` when a signal comes.
  template <class F>
  void Guard(F&& fn) {
    std::lock_guard<std::mutex> lock(mutex_);
    folder_ = std::forward<F>(fn)();
  }

 private:
  void Wait() {
    for (;;) {
      int sig = 0;
      if (sigwait(&set_, &sig) != 0) continue;
      std::lock_guard<std::mutex> lock(mutex_);
      if (ending_) return;
      std::error_code ec;
      if (!folder_.empty()) fs::remove_all(folder_, ec);
      signal(sig, SIG_DFL);
      sigset_t one;
      sigemptyset(&one);
      sigaddset(&one, sig);
      pthread_sigmask(SIG_UNBLOCK, &one, nullptr);
      raise(sig);
      _exit(128 + sig);
    }
  }

  sigset_t set_;
  std::mutex mutex_;
  fs::path folder_;
  bool ending_ = false;
  std::thread thread_;  // last: it starts with everything above in place
};

// The drive root of this run: the fixed paths of the system (the warnings
// file above all) live in it, and it goes when the run ends, however it ends.
class TDocasnyKoren {
 public:
  explicit TDocasnyKoren(SignalCleanup& upratovanie) : upratovanie_(upratovanie) {
    upratovanie_.Guard([this] {
      std::random_device rd;
      const fs::path tmp = fs::temp_directory_path();
      for (int pokus = 0; pokus < 100 && koren_.empty(); ++pokus) {
        char meno[32];
        std::snprintf(meno, sizeof meno, "kvrtool-%08x%08x", rd(), rd());
        fs::path p = tmp / meno;
        std::error_code ec;
        if (fs::create_directory(p, ec)) koren_ = p;
      }
      return koren_;
    });
    if (koren_.empty()) throw std::runtime_error("kvrtool: no temporary folder in " + fs::temp_directory_path().string());
    fs::create_directories(koren_ / "C" / "DSQ" / "DSQ_disp");
  }
  ~TDocasnyKoren() {
    upratovanie_.Guard([this] {
      std::error_code ec;
      fs::remove_all(koren_, ec);
      return fs::path();
    });
  }
  TDocasnyKoren(const TDocasnyKoren&) = delete;
  TDocasnyKoren& operator=(const TDocasnyKoren&) = delete;
  std::string Cesta() const { return koren_.string(); }

 private:
  SignalCleanup& upratovanie_;
  fs::path koren_;
};

struct TVolby {
  std::string prikaz;
  std::vector<std::string> subory;
  bool json = false;
  std::string model = "KVR - 22";
  int32_t prevod = 1;
  std::string format;  // convert: gc, t, tw
  int zoom = 100;      // render
};

int ChybaPouzitia(const std::string& text) {
  std::cerr << "kvrtool: " << text << "\n" << kPouzitie;
  return kChybaPouzitia;
}

std::optional<int32_t> CeleCislo(std::string_view s) {
  int32_t n = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return n;
}

void VypisSpravy(const std::vector<std::string>& spravy) {
  for (const std::string& s : spravy) std::cerr << s << "\n";
}

std::string InfoJson(const TKontext& k, uint32_t znacka, const std::vector<std::string>& spravy) {
  TJson j;
  j.ZaciatokObjektu();
  ProgramKeysJson(j, k, znacka, [&spravy](TJson& o) {
    o.ZaciatokPola();
    for (const std::string& s : spravy) o.Text(s);
    o.KoniecPola();
  });
  j.KoniecObjektu();
  return j.Vysledok() + "\n";
}

std::string InfoText(const TKontext& k, uint32_t znacka) { return ProgramText(k, znacka); }

std::string VrstvyJson(const TKontext& k, const std::vector<std::string>& spravy) {
  TJson j;
  j.ZaciatokObjektu();
  j.Kluc("OknoLava").Realne(k.Pohlad.OknoLava);
  j.Kluc("OknoPrava").Realne(k.Pohlad.OknoPrava);
  j.Kluc("messages").ZaciatokPola();
  for (const std::string& s : spravy) j.Text(s);
  j.KoniecPola();
  j.Kluc("layers").ZaciatokPola();
  for (int i = 1; i <= std::min(k.Program.PocetKrokov, kMaxKrokov); ++i) {
    const TBodKroku& b = k.BodyKrokov[static_cast<size_t>(i)];
    uint8_t poloha[6];
    uint8_t vyska[6];
    b.Poloha.ToBytes(poloha);
    b.Vyska.ToBytes(vyska);
    j.ZaciatokObjektu();
    j.Kluc("index").Cislo(i);
    j.Kluc("Druh").Cislo(b.Druh);
    j.Kluc("Smer").Cislo(b.Smer);
    j.Kluc("Poloha").Realne(b.Poloha);
    j.Kluc("Vyska").Realne(b.Vyska);
    j.Kluc("BodX").Cislo(b.BodX);
    j.Kluc("BodY").Cislo(b.BodY);
    j.Kluc("PocetVrstiev").Cislo(b.PocetVrstiev);
    j.Kluc("PolohaRaw").Text(Hex(poloha, 6));
    j.Kluc("VyskaRaw").Text(Hex(vyska, 6));
    j.KoniecObjektu();
  }
  j.KoniecPola();
  j.KoniecObjektu();
  return j.Vysledok() + "\n";
}

std::string VrstvyText(const TKontext& k) {
  std::string o = "Fenster: " + FormatujRealne(k.Pohlad.OknoLava) + " .. " + FormatujRealne(k.Pohlad.OknoPrava) +
                  " mm\n";
  o += "Schritt Druh Smer Poloha Vyska BodX BodY Lagen\n";
  for (int i = 1; i <= std::min(k.Program.PocetKrokov, kMaxKrokov); ++i) {
    const TBodKroku& b = k.BodyKrokov[static_cast<size_t>(i)];
    o += std::to_string(i) + " " + std::to_string(b.Druh) + " " + std::to_string(b.Smer) + " " +
         FormatujRealne(b.Poloha) + " " + FormatujRealne(b.Vyska) + " " + std::to_string(b.BodX) + " " +
         std::to_string(b.BodY) + " " + std::to_string(b.PocetVrstiev) + "\n";
  }
  return o;
}

int Spusti(const TVolby& v, SignalCleanup& upratovanie) {
  TDocasnyKoren koren(upratovanie);
  std::unique_ptr<IPlatform> platforma = CreatePosixPlatform(koren.Cesta());
  HeadlessUi ui;
  TKontext k(ui, *platforma);
  k.Stroj.Model = v.model;
  k.Stroj.Prevod = v.prevod;
  NastavModel(k);
  ui.All.clear();

  const std::string& vstup = v.subory[0];
  uint32_t znacka = 0;
  bool nacitany = false;
  try {
    nacitany = OpenProgramFile(k, vstup);
    if (nacitany) znacka = ZnackaSuboru(vstup);
  } catch (const std::exception& e) {
    ui.All.emplace_back(e.what());
    nacitany = false;
  }
  if (!nacitany) {
    VypisSpravy(ui.All);
    return kOdmietnuty;
  }

  if (IsListingCommand(v.prikaz)) return ListingCommand(k, ui, v.prikaz, v.subory, v.json);
  if (v.prikaz == "layers") {
    // The paint box at its design size with the scroll bar at its start.
    NullCanvas c(kSirkaKresby, kVyskaKresby);
    PaintCoil(k, c);
    VypisSpravy(ui.All);
    std::cout << (v.json ? VrstvyJson(k, ui.All) : VrstvyText(k));
    return kOk;
  }
  if (v.prikaz == "render") {
    const bool ok = UlozObrazKresby(k, v.subory[1], v.zoom);
    VypisSpravy(ui.All);
    if (!ok) {
      std::cerr << " Kann man nicht speichern: \"" << v.subory[1] << "\"\n";
      return kChybaZapisu;
    }
    return kOk;
  }
  VypisSpravy(ui.All);

  if (v.prikaz == "info") {
    std::cout << (v.json ? InfoJson(k, znacka, ui.All) : InfoText(k, znacka));
    return kOk;
  }
  try {
    WriteProgramFile(k, v.subory[1], v.format == "gc" ? 0 : 1, v.format == "tw");
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return kChybaZapisu;
  }
  return kOk;
}

int Hlavna(int argc, char** argv, SignalCleanup& upratovanie) {
  std::vector<std::string_view> a(argv + 1, argv + argc);
  if (a.empty()) return ChybaPouzitia("no command");
  if (a[0] == "--help" || a[0] == "-h" || a[0] == "help") {
    std::cout << kPouzitie;
    return kOk;
  }
  if (a[0] == "rename") return RenameCommand({a.begin() + 1, a.end()});
  if (a[0] == "run") {
    TDocasnyKoren koren(upratovanie);
    return RunCommand({a.begin() + 1, a.end()}, koren.Cesta());
  }
  if (IsLinkCommand(a[0])) return LinkCommand(a);
  TVolby v;
  v.prikaz = std::string(a[0]);
  if (v.prikaz != "info" && v.prikaz != "convert" && v.prikaz != "layers" && v.prikaz != "render" &&
      !IsListingCommand(v.prikaz))
    return ChybaPouzitia("unknown command \"" + v.prikaz + "\"");
  for (size_t i = 1; i < a.size(); ++i) {
    const std::string_view x = a[i];
    auto hodnota = [&]() -> std::optional<std::string> {
      if (i + 1 >= a.size()) return std::nullopt;
      return std::string(a[++i]);
    };
    if (x == "--json" && (v.prikaz == "info" || v.prikaz == "layers" || v.prikaz == "check" || v.prikaz == "list")) {
      v.json = true;
    } else if (x == "--model") {
      std::optional<std::string> m = hodnota();
      if (!m) return ChybaPouzitia("--model needs a model name");
      if (!ModelZnamy(*m)) return ChybaPouzitia("unknown model \"" + *m + "\"");
      v.model = *m;
    } else if (x == "--gear") {
      std::optional<std::string> g = hodnota();
      std::optional<int32_t> n = g ? CeleCislo(*g) : std::nullopt;
      if (!n || !PrevodPlatny(*n)) return ChybaPouzitia("--gear needs 1, 2 or 3");
      v.prevod = *n;
    } else if (x == "--zoom" && v.prikaz == "render") {
      std::optional<std::string> z = hodnota();
      std::optional<int32_t> n = z ? CeleCislo(*z) : std::nullopt;
      if (!n || *n < 100 || *n > 300) return ChybaPouzitia("--zoom needs a percentage from 100 to 300");
      v.zoom = *n;
    } else if (x == "--to" && v.prikaz == "convert") {
      std::optional<std::string> f = hodnota();
      if (!f || (*f != "gc" && *f != "t" && *f != "tw")) return ChybaPouzitia("--to needs gc, t or tw");
      v.format = *f;
    } else if (x.size() > 1 && x.front() == '-' && x != "-") {
      return ChybaPouzitia("unknown option \"" + std::string(x) + "\"");
    } else {
      v.subory.emplace_back(x);
    }
  }
  if ((v.prikaz == "info" || v.prikaz == "layers") && v.subory.size() != 1)
    return ChybaPouzitia(v.prikaz + " needs one FILE");
  if (v.prikaz == "render" && v.subory.size() != 2) return ChybaPouzitia("render needs FILE and OUT.png");
  if ((v.prikaz == "check" || v.prikaz == "list") && v.subory.size() != 1) return ChybaPouzitia(v.prikaz + " needs one FILE");
  if (v.prikaz == "print" && v.subory.size() != 2) return ChybaPouzitia("print needs FILE and OUT.pdf");
  if (v.prikaz == "convert") {
    if (v.subory.size() != 2) return ChybaPouzitia("convert needs IN and OUT");
    if (v.format.empty()) return ChybaPouzitia("convert needs --to gc|t|tw");
  }
  return Spusti(v, upratovanie);
}

}  // namespace

}  // namespace kvr::tool

int main(int argc, char** argv) {
  // A reader that went away (a pipe into head) fails the write instead of
  // killing the tool, so the temporary folder still goes.
  signal(SIGPIPE, SIG_IGN);
  const sigset_t signaly = kvr::tool::SignalCleanup::BlockSignals();
  int vysledok = 3;
  {
    kvr::tool::SignalCleanup upratovanie(signaly);
    try {
      vysledok = kvr::tool::Hlavna(argc, argv, upratovanie);
    } catch (const std::exception& e) {
      std::cerr << "kvrtool: " << e.what() << "\n";
      vysledok = 3;
    }
  }
  std::cout.flush();
  if (!std::cout && vysledok == 0) vysledok = 3;
  return vysledok;
}
