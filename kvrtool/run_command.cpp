#include "kvrtool/run_command.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <span>
#include <system_error>
#include <utility>

#include "form/headless_ui.h"
#include "kvrtool/json.h"
#include "kvrtool/program_report.h"
#include "kvrtool/run_platform.h"
#include "kvrtool/script_ui.h"
#include "model/bobbin_files.h"
#include "model/codepage.h"
#include "model/context.h"
#include "model/desktop.h"
#include "model/machine.h"
#include "model/program.h"
#include "model/program_files.h"
#include "platform/platform.h"
#include "ui/errors_window.h"
#include "ui/info_window.h"
#include "ui/main_window.h"

namespace kvr::tool {

namespace {

namespace fs = std::filesystem;

constexpr int kDone = 0;
constexpr int kUsage = 1;
constexpr int kRefused = 2;
constexpr int kNotWritten = 3;

constexpr std::string_view kRunUsage =
    "usage: kvrtool run SCRIPT [FILE] [--model NAME] [--gear N] [--bobbin FILE] [--templates FILE]\n"
    "                  [--save OUT --to gc|t|tw] [--json]\n"
    "Creates the station's windows headless as at start-up (model \"KVR - 22\", gear 1, the default\n"
    "templates and no bobbin unless given), opens FILE as \"Öffnen\" does, plays the lines of SCRIPT\n"
    "as the operator's actions, then saves the program as convert does and prints the state.\n"
    "Exit status: 0 done, 1 usage error, 2 an input refused or unreadable, 3 output not written,\n"
    "4 the script failed (its line and why on standard error).\n";

struct TRunOptions {
  std::string script;
  std::optional<std::string> file;
  std::string model = "KVR - 22";
  int32_t gear = 1;
  std::optional<std::string> bobbin;
  std::optional<std::string> templates;
  std::optional<std::string> save;
  std::string format;  // gc, t, tw
  bool json = false;
};

int UsageError(const std::string& text) {
  std::cerr << "kvrtool: " << text << "\n" << kRunUsage;
  return kUsage;
}

std::string Absolute(const std::string& path) {
  std::error_code ec;
  const fs::path p = fs::absolute(fs::path(path), ec);
  return ec ? path : p.string();
}

// The desktop record the run starts from: the default one with the given
// model, gear, templates and bobbin, as a station that last ran with them
// would have written it. Empty when an input was refused (reported).
std::optional<TDesktop> StartDesktop(const TRunOptions& o, IPlatform& platform) {
  TDesktop d = DefaultDesktop();
  WriteShortString(d.Model, o.model, 20);
  d.Prevod = static_cast<uint8_t>(o.gear);
  if (!o.templates && !o.bobbin) return d;

  HeadlessUi ui;
  TKontext k(ui, platform);
  k.Stroj.Model = o.model;
  k.Stroj.Prevod = o.gear;
  NastavModel(k);
  ui.All.clear();
  auto refused = [&ui](const std::string& path, const std::string& why) {
    for (const std::string& s : ui.All) std::cerr << s << "\n";
    std::cerr << "kvrtool: " << path << ": " << why << "\n";
  };
  std::string current;  // the file being read
  try {
    if (o.templates) {
      current = *o.templates;
      const std::string path = Absolute(*o.templates);
      // A missing constants file means the default templates to the station;
      // one named on the command line must be there.
      if (!ReadWholeFile(path)) {
        refused(*o.templates, "cannot be read");
        return std::nullopt;
      }
      NacitajKonstanty(k, path);
      for (int s = 0; s < 9; ++s) d.Sablony[s] = k.KonstKroky[static_cast<size_t>(TemplateOfSlot(s).Index)];
      WriteShortString(d.MenoKonstant, platform.WindowsPathOf(path), 255);
    }
    if (o.bobbin) {
      current = *o.bobbin;
      const std::string path = Absolute(*o.bobbin);
      NacitajKostricku(k, path, d.Kostricka);
      if (!ui.All.empty()) {
        refused(*o.bobbin, "not a bobbin file");
        return std::nullopt;
      }
      WriteShortString(d.MenoKostricky, platform.WindowsPathOf(path), 255);
    }
  } catch (const std::exception& e) {
    refused(current, e.what());
    return std::nullopt;
  }
  return d;
}

const char* KindName(TMsgKind k) {
  switch (k) {
    case TMsgKind::Error:
      return "error";
    case TMsgKind::Information:
      return "information";
    case TMsgKind::Warning:
      return "warning";
    case TMsgKind::Confirmation:
      return "confirmation";
  }
  return "error";
}

const char* AnswerText(TMsgAnswer a) {
  switch (a) {
    case TMsgAnswer::Ok:
      return "ok";
    case TMsgAnswer::Yes:
      return "yes";
    case TMsgAnswer::No:
      return "no";
    case TMsgAnswer::Cancel:
      return "cancel";
  }
  return "ok";
}

std::vector<int> MarkedSteps(const TKontext& k) {
  std::vector<int> out;
  for (int i = 1; i <= kMaxKrokov; ++i)
    if (k.Vyber.Oznaceny(i)) out.push_back(i);
  return out;
}

std::string StateJson(const TKontext& k, std::optional<uint32_t> znacka, const std::vector<TShownMessage>& messages) {
  TJson j;
  j.ZaciatokObjektu();
  ProgramKeysJson(j, k, znacka, [&messages](TJson& o) {
    o.ZaciatokPola();
    for (const TShownMessage& m : messages) {
      o.ZaciatokObjektu();
      o.Kluc("kind").Text(KindName(m.kind));
      o.Kluc("text").Text(m.text);
      o.Kluc("answer").Text(AnswerText(m.answer));
      o.KoniecObjektu();
    }
    o.KoniecPola();
  });
  j.Kluc("AktKrok").Cislo(k.Program.AktKrok);
  j.Kluc("Zmeneny").Cislo(k.Program.Zmeneny);
  j.Kluc("BlokOd").Cislo(k.Vyber.BlokOd);
  j.Kluc("BlokDo").Cislo(k.Vyber.BlokDo);
  j.Kluc("VybraneKroky").ZaciatokPola();
  for (int i : MarkedSteps(k)) j.Cislo(i);
  j.KoniecPola();
  j.Kluc("KonstKroky").ZaciatokPola();
  for (size_t i = 0; i < k.KonstKroky.size(); ++i) KrokJson(j, k.KonstKroky[i], static_cast<int>(i));
  j.KoniecPola();
  j.KoniecObjektu();
  return j.Vysledok() + "\n";
}

std::string StateText(const TKontext& k, std::optional<uint32_t> znacka, const std::vector<TShownMessage>& messages) {
  std::string o = ProgramText(k, znacka);
  o += "AktKrok:         " + std::to_string(k.Program.AktKrok) + "\n";
  o += "Zmeneny:         " + std::to_string(k.Program.Zmeneny) + "\n";
  o += "Block:           " + std::to_string(k.Vyber.BlokOd) + " .. " + std::to_string(k.Vyber.BlokDo) + "\n";
  o += "VybraneKroky:   ";
  for (int i : MarkedSteps(k)) o += " " + std::to_string(i);
  o += "\n";
  for (size_t i = 0; i < k.KonstKroky.size(); ++i) {
    const TKrok& s = k.KonstKroky[i];
    char riadok[64];
    std::snprintf(riadok, sizeof riadok, "Vorlage %zu %-13s", i, NazovDruhu(DruhKroku(s)).c_str());
    o += riadok;
    o += " Hodnota=" + FormatujRealne(s.Hodnota) + " LRev=" + FormatujRealne(s.LRev) +
         " PRev=" + FormatujRealne(s.PRev) + " PosuvMM=" + FormatujRealne(s.PosuvMM) +
         " Otacky=" + std::to_string(static_cast<int32_t>(s.Otacky)) + "\n";
  }
  for (const TShownMessage& m : messages)
    o += std::string("Meldung ") + KindName(m.kind) + ": \"" + m.text + "\" -> " + AnswerText(m.answer) + "\n";
  return o;
}

void ReportFailure(const std::string& script, const TScriptFailure& f) {
  if (f.line > 0)
    std::cerr << "kvrtool: " << script << ":" << f.line << ": " << f.why << "\n";
  else
    std::cerr << "kvrtool: " << script << ": " << f.why << "\n";
}

int Run(const TRunOptions& o, const std::string& driveRoot) {
  const std::optional<std::vector<uint8_t>> text = ReadWholeFile(o.script);
  if (!text) {
    std::cerr << "kvrtool: " << o.script << ": cannot be read\n";
    return kRefused;
  }
  TParsedScript parsed =
      ParseScript(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
  if (parsed.failure) {
    ReportFailure(o.script, *parsed.failure);
    return kScriptFailed;
  }

  const fs::path station = fs::path(driveRoot) / "station";
  fs::create_directories(station);
  std::unique_ptr<IPlatform> drives = CreatePosixPlatform(driveRoot);
  // The files the station finds beside itself, from beside the tool: a copy,
  // so the run never changes the originals (the error descriptions are
  // edited in place).
  for (const char* name : {kObrazokStroja, kObrazokInfo, kSuborChyb}) {
    std::error_code ec;
    fs::copy_file(fs::path(drives->StartupFolder()) / name, station / name, ec);
  }
  RunPlatform platform(std::move(drives), station.string());

  const std::optional<TDesktop> desktop = StartDesktop(o, platform);
  if (!desktop) return kRefused;
  WriteFileSafely((station / kDesktopSubor).string(),
                  std::span<const uint8_t>(desktop->Bytes(), sizeof(TDesktop)));

  // Start-up as the station does it: the windows, the main window's creation
  // handler (which creates the others), then the main window shown.
  ScriptUi ui(std::move(parsed.actions));
  TProg prog(ui, platform);
  ui.SetWindows([&prog] { return prog.Windows(); });
  TKontext& k = prog.Kontext();
  ui.Dispatch([&prog] { prog.FormCreate(); });
  ui.Show(prog);
  ui.Idle();

  std::optional<uint32_t> znacka;
  if (o.file) {
    const std::string path = Absolute(*o.file);
    bool opened = false;
    try {
      opened = OpenProgramFile(k, path);
    } catch (const std::exception& e) {
      ui.ReportError(e.what());
    }
    if (!opened) {
      for (const TShownMessage& m : ui.Messages()) std::cerr << m.text << "\n";
      return kRefused;
    }
    znacka = ZnackaSuboru(path);
    ui.Idle();
  }

  if (!ui.Run()) {
    ReportFailure(o.script, *ui.Failure());
    return kScriptFailed;
  }

  if (o.save) {
    try {
      WriteProgramFile(k, *o.save, o.format == "gc" ? 0 : 1, o.format == "tw");
    } catch (const std::exception& e) {
      std::cerr << e.what() << "\n";
      return kNotWritten;
    }
  }
  std::cout << (o.json ? StateJson(k, znacka, ui.Messages()) : StateText(k, znacka, ui.Messages()));
  return kDone;
}

std::optional<int32_t> Integer(std::string_view s) {
  int32_t n = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return std::nullopt;
  return n;
}

}  // namespace

int RunCommand(const std::vector<std::string_view>& args, const std::string& driveRoot) {
  TRunOptions o;
  std::vector<std::string> positional;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string_view x = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return std::string(args[++i]);
    };
    if (x == "--json") {
      o.json = true;
    } else if (x == "--model") {
      std::optional<std::string> m = value();
      if (!m) return UsageError("--model needs a model name");
      if (!ModelZnamy(*m)) return UsageError("unknown model \"" + *m + "\"");
      o.model = *m;
    } else if (x == "--gear") {
      std::optional<std::string> g = value();
      std::optional<int32_t> n = g ? Integer(*g) : std::nullopt;
      if (!n || !PrevodPlatny(*n)) return UsageError("--gear needs 1, 2 or 3");
      o.gear = *n;
    } else if (x == "--bobbin" || x == "--templates" || x == "--save") {
      std::optional<std::string> f = value();
      if (!f || f->empty()) return UsageError(std::string(x) + " needs a file");
      (x == "--bobbin" ? o.bobbin : x == "--templates" ? o.templates : o.save) = *f;
    } else if (x == "--to") {
      std::optional<std::string> f = value();
      if (!f || (*f != "gc" && *f != "t" && *f != "tw")) return UsageError("--to needs gc, t or tw");
      o.format = *f;
    } else if (x.size() > 1 && x.front() == '-' && x != "-") {
      return UsageError("unknown option \"" + std::string(x) + "\"");
    } else {
      positional.emplace_back(x);
    }
  }
  if (positional.empty() || positional.size() > 2) return UsageError("run needs SCRIPT and at most one FILE");
  if (o.save.has_value() != !o.format.empty()) return UsageError("--save and --to go together");
  // The desktop record holds these names as short strings.
  for (const std::optional<std::string>* p : {&o.bobbin, &o.templates})
    if (*p && Absolute(**p).size() > 255) return UsageError("the path of \"" + **p + "\" is longer than 255 characters");
  o.script = positional[0];
  if (positional.size() == 2) o.file = positional[1];
  return Run(o, driveRoot);
}

}  // namespace kvr::tool
