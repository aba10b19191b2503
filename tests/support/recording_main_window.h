// A main window double that records what the logic asked of it, one line per
// call ("ZobrazParametre 3", "RepaintLater", ...), in order.
#pragma once
#include <string>
#include <vector>

#include "model/main_window.h"

namespace kvr::test {

struct RecordingMainWindow final : IMainWindow {
  std::vector<std::string> calls;

  void ZobrazParametre(int n) override { calls.push_back("ZobrazParametre " + std::to_string(n)); }
  void RepaintLater() override { calls.emplace_back("RepaintLater"); }
  void RepaintNow() override { calls.emplace_back("RepaintNow"); }
  void NastavVertPos(int n) override { calls.push_back("NastavVertPos " + std::to_string(n)); }
  void VypisProgCaption() override { calls.emplace_back("VypisProgCaption"); }
  void ShowProgramLine(const std::string& text) override { calls.push_back("ShowProgramLine " + text); }
  void ShowModelAndGear() override { calls.emplace_back("ShowModelAndGear"); }
};

}  // namespace kvr::test
