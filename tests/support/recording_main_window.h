// A main window double that records what the logic asked of it, one line per
// call ("ZobrazParametre 3", "Prekresli", ...), in order.
#pragma once
#include <string>
#include <vector>

#include "model/main_window.h"

namespace kvr::test {

struct RecordingMainWindow final : IMainWindow {
  std::vector<std::string> calls;

  void ZobrazParametre(int n) override { calls.push_back("ZobrazParametre " + std::to_string(n)); }
  void Prekresli() override { calls.emplace_back("Prekresli"); }
  void PrekresliHned() override { calls.emplace_back("PrekresliHned"); }
  void NastavVertPos(int n) override { calls.push_back("NastavVertPos " + std::to_string(n)); }
  void VypisProgCaption() override { calls.emplace_back("VypisProgCaption"); }
  void ZobrazTextProgramu(const std::string& text) override { calls.push_back("ZobrazTextProgramu " + text); }
  void ZobrazModel() override { calls.emplace_back("ZobrazModel"); }
};

}  // namespace kvr::test
