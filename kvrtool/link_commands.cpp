#include "kvrtool/link_commands.h"

#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "link/link_window.h"
#include "model/context.h"
#include "model/machine.h"
#include "model/program_files.h"
#include "platform/platform.h"
#include "qt/loop_ui.h"
#include "qt/qt_serial_port.h"
#include "sim/simulated_controller.h"

namespace kvr::tool {

namespace {

namespace fs = std::filesystem;

constexpr int kUsage = 1;
constexpr int kRefused = 2;
constexpr int kNotWritten = 3;

int Usage(const std::string& text) {
  std::cerr << "kvrtool: " << text << "\nusage:\n" << kLinkUsage;
  return kUsage;
}

struct Options {
  std::string command;
  std::string file;
  std::string port;
  std::string model = "KVR - 22";
  int32_t gear = 1;
  std::string trace;
  std::string program;  // simulate
};

// The fixed paths of the system for this run (the received program's file,
// the warnings file), removed when the run ends.
class DriveRoot {
 public:
  DriveRoot() {
    std::string t = (fs::temp_directory_path() / "kvrtool-link-XXXXXX").string();
    if (mkdtemp(t.data()) == nullptr) throw std::runtime_error("kvrtool: no temporary folder");
    root_ = t;
    fs::create_directories(root_ / "C" / "DSQ" / "DSQ_disp");
  }
  ~DriveRoot() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  DriveRoot(const DriveRoot&) = delete;
  DriveRoot& operator=(const DriveRoot&) = delete;
  std::string Path() const { return root_.string(); }

 private:
  fs::path root_;
};

// Knows when a received program has been taken.
class ToolHost : public ILinkHost {
 public:
  void SetOnLine() override { taken = true; }
  bool taken = false;
};

class Progress {
 public:
  void Packet(size_t done, size_t all) {
    if (all == 0) return;
    constexpr size_t kWidth = 30;
    const size_t filled = std::min(kWidth, done * kWidth / all);
    std::cerr << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, '-') << "] " << done << "/" << all
              << " packets" << std::flush;
    open_ = true;
  }
  void Line(const std::string& text) {
    End();
    std::cerr << text << "\n";
  }
  void End() {
    if (open_) std::cerr << "\n";
    open_ = false;
  }

 private:
  bool open_ = false;
};

bool RunUntil(const std::function<bool()>& pred, int ms) {
  QElapsedTimer t;
  t.start();
  while (!pred()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

int Transfer(const Options& o) {
  int argc = 1;
  char name[] = "kvrtool";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);

  DriveRoot root;
  const std::unique_ptr<IPlatform> platform = CreatePosixPlatform(root.Path());
  QtLoopUi ui;
  TKontext k(ui, *platform);
  k.Stroj.Model = o.model;
  k.Stroj.Prevod = o.gear;
  NastavModel(k);
  ui.Messages.clear();
  Progress progress;

  const bool send = o.command == "send";
  if (send) {
    bool opened = false;
    try {
      opened = OpenProgramFile(k, o.file);
    } catch (const std::exception& e) {
      ui.Messages.emplace_back(e.what());
    }
    if (!opened) {
      for (const std::string& m : ui.Messages) std::cerr << m << "\n";
      return kRefused;
    }
    for (const std::string& m : ui.Messages) std::cerr << m << "\n";
  }

  QtSerialPort port;
  ToolHost host;
  TfSP sp(k, &host);
  k.Link.Port = &port;
  k.Link.MenoPortu = o.port;
  k.Link.ZapisujZaznamy = !o.trace.empty();
  k.Link.AdresarZaznamu = o.trace;
  std::string status;
  std::vector<std::string> errors;
  sp.OnStatus = [&](const std::string& s) {
    // The connect text comes twice as a transfer starts; once is enough here.
    if (!s.empty() && s != status) progress.Line(s);
    status = s;
  };
  sp.OnPaket = [&](size_t done, size_t all) { progress.Packet(done, all); };
  ui.OnText = [&](const std::string& t) {
    errors.push_back(t);
    progress.Line(t);
  };

  sp.InicComPort();
  if (!port.IsOpen()) {
    std::cerr << "kvrtool: " << port.ErrorText() << "\n";
    return kTransferFailed;
  }
  try {
    if (send)
      sp.PcNav();
    else
      sp.NavPc();
  } catch (const std::exception& e) {
    progress.Line(e.what());
    return kTransferFailed;
  }
  // The link's own time-outs end every transfer.
  RunUntil([&] { return k.Link.StavPrenosu == kBezPrenosu; }, 24 * 3600 * 1000);
  // Let posted work run: error boxes, storing the received program.
  const size_t before = errors.size();
  if (!send && status == " Übertragung OK ")
    RunUntil([&] { return host.taken || errors.size() > before; }, 30000);
  RunUntil([] { return false; }, 50);
  progress.End();
  if (status != " Übertragung OK ") {
    if (errors.empty()) std::cerr << "kvrtool: transfer failed" << (status.empty() ? "" : ": " + status) << "\n";
    sp.ClosePort();
    return kTransferFailed;
  }
  sp.ClosePort();
  if (send) return 0;
  if (!host.taken) return kTransferFailed;
  try {
    WriteProgramFile(k, o.file, 1, false);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return kNotWritten;
  }
  return 0;
}

int Simulate(const Options& o) {
  SimulatedController sim;
  if (!o.program.empty()) {
    DriveRoot root;
    const std::unique_ptr<IPlatform> platform = CreatePosixPlatform(root.Path());
    QtLoopUi ui;
    TKontext k(ui, *platform);
    k.Stroj.Model = o.model;
    k.Stroj.Prevod = o.gear;
    NastavModel(k);
    ui.Messages.clear();
    if (!OpenProgramFile(k, o.program)) {
      for (const std::string& m : ui.Messages) std::cerr << m << "\n";
      return kRefused;
    }
    const std::vector<uint8_t> image = ProgramImage(k, o.program, k.Program.PocetKrokov, false);
    sim.SetProgram({image.begin(), image.end() - static_cast<std::ptrdiff_t>(kPataNovaSoZnackou)},
                   NazovSuboru(o.program));
  }
  sim.Start();
  std::cout << sim.DevicePath() << std::endl;
  // Serves until a signal ends the tool.
  for (;;) pause();
}

}  // namespace

bool IsLinkCommand(std::string_view c) { return c == "send" || c == "receive" || c == "simulate"; }

int LinkCommand(const std::vector<std::string_view>& a) {
  Options o;
  o.command = std::string(a.at(0));
  std::vector<std::string> files;
  for (size_t i = 1; i < a.size(); ++i) {
    const std::string_view x = a[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= a.size()) return std::nullopt;
      return std::string(a[++i]);
    };
    if (x == "--port" && o.command != "simulate") {
      auto v = value();
      if (!v || v->empty()) return Usage("--port needs a DEVICE");
      o.port = *v;
    } else if (x == "--trace" && o.command != "simulate") {
      auto v = value();
      if (!v) return Usage("--trace needs a folder");
      o.trace = *v;
    } else if (x == "--program" && o.command == "simulate") {
      auto v = value();
      if (!v) return Usage("--program needs a FILE");
      o.program = *v;
    } else if (x == "--model") {
      auto v = value();
      if (!v || !ModelZnamy(*v)) return Usage("--model needs a known model name");
      o.model = *v;
    } else if (x == "--gear") {
      auto v = value();
      int32_t n = 0;
      if (!v || std::from_chars(v->data(), v->data() + v->size(), n).ec != std::errc() || !PrevodPlatny(n))
        return Usage("--gear needs 1, 2 or 3");
      o.gear = n;
    } else if (x.size() > 1 && x.front() == '-') {
      return Usage("unknown option \"" + std::string(x) + "\"");
    } else {
      files.emplace_back(x);
    }
  }
  if (o.command == "simulate") {
    if (!files.empty()) return Usage("simulate takes no FILE");
    return Simulate(o);
  }
  if (files.size() != 1) return Usage(o.command + (o.command == "send" ? " needs one FILE" : " needs one OUT.kvr"));
  if (o.port.empty()) return Usage(o.command + " needs --port DEVICE");
  o.file = files[0];
  return Transfer(o);
}

}  // namespace kvr::tool
