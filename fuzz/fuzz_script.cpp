// The run command's scripts: the parser, then the script played on a headless
// station holding the sample program. File dialogs are always cancelled: an
// input names no file to read or write.
#include <stdlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/station.h"
#include "kvrtool/run_platform.h"
#include "kvrtool/script_ui.h"
#include "model/sample_program.h"
#include "ui/main_window.h"

namespace {

namespace fs = std::filesystem;

// Lines played at most, so an input's run stays short.
constexpr size_t kMaxActions = 64;

class Root {
 public:
  Root() {
    std::string templ = (fs::temp_directory_path() / "kvr-fuzz-script-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) std::abort();
    path = templ;
    fs::create_directories(path / "C" / "DSQ" / "DSQ_disp");
  }
  ~Root() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  Root(const Root&) = delete;
  Root& operator=(const Root&) = delete;
  fs::path path;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kvr;
  static Root root;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;

  tool::TParsedScript p = tool::ParseScript(text);
  if (p.failure) {
    if (!p.actions.empty()) fuzz::Fail("a failed parse kept actions");
    if (p.failure->line < 1 || p.failure->line > lines) fuzz::Fail("a parse failure outside the script's lines");
    return 0;
  }
  int previous = 0;
  for (const tool::TAction& a : p.actions) {
    if (a.line <= previous || a.line > lines) fuzz::Fail("action lines out of order or outside the script");
    previous = a.line;
    const bool onControl = a.kind == tool::TActionKind::Click || a.kind == tool::TActionKind::Up ||
                           a.kind == tool::TActionKind::Down || a.kind == tool::TActionKind::Select ||
                           a.kind == tool::TActionKind::Mouse;
    if (onControl && (a.form.empty() || a.control.empty())) fuzz::Fail("an action on a control names none");
  }
  if (p.actions.size() > kMaxActions) p.actions.resize(kMaxActions);
  for (tool::TAction& a : p.actions)
    if (a.kind == tool::TActionKind::File) a.cancel = true;

  // A fresh station folder for every input: what one run writes there (the
  // desktop at "Ende", the error descriptions) must not reach the next.
  const fs::path station = root.path / "station";
  std::error_code ec;
  fs::remove_all(station, ec);
  fs::create_directories(station);
  tool::RunPlatform platform(CreatePosixPlatform(root.path.string()), station.string());
  tool::ScriptUi ui(std::move(p.actions));
  TProg prog(ui, platform);
  ui.SetWindows([&prog] { return prog.Windows(); });
  ui.Dispatch([&prog] { prog.FormCreate(); });
  ui.Show(prog);
  SampleProgram(prog.Kontext(), 12);
  prog.RepaintLater();
  const bool done = ui.Run();
  if (done == ui.Failure().has_value()) fuzz::Fail("Run and Failure disagree");
  if (!done && ui.Failure()->line > lines) fuzz::Fail("a failure outside the script's lines");
  return 0;
}
