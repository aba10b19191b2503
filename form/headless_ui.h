// A user interface without a screen: it records every message box and error
// report and asks the user nothing. Message boxes with only OK answer OK,
// questions and dialogs count as cancelled. Used where the station's code
// runs headless (the command-line tool, the benchmark) and by tests that only
// look at what was said.
#pragma once
#include <string>
#include <vector>

#include "form/ui_services.h"

namespace kvr {

class HeadlessUi final : public IUi {
 public:
  std::vector<std::string> Messages;  // message boxes
  std::vector<std::string> Reports;   // general error reports
  std::vector<std::string> All;       // both, in the order they came
  std::vector<TReport> Printed;       // reports whose print preview was asked for

  TMsgAnswer Message(TMsgKind, const std::string& text, TMsgButtons buttons) override {
    Messages.push_back(text);
    All.push_back(text);
    return buttons == TMsgButtons::Ok ? TMsgAnswer::Ok : TMsgAnswer::Cancel;
  }
  std::optional<std::string> OpenDialog(const TFileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveDialog(const TFileDialog&) override { return std::nullopt; }
  TModalResult ShowModal(TForm&) override { return TModalResult::Cancel; }
  void Show(TForm&) override {}
  void Hide(TForm&) override {}
  void Post(std::function<void()>) override {}
  int StartTimer(int, std::function<void()>) override { return 0; }
  void StopTimer(int) override {}
  void Invalidate(TForm&, const std::string&) override {}
  void Repaint(TForm&, const std::string&) override {}
  TScreenSize ScreenSize() override { return {1024, 768}; }
  void ReportError(const std::string& text) override {
    Reports.push_back(text);
    All.push_back(text);
  }
  void PrintReport(const TReport& report) override { Printed.push_back(report); }
};

}  // namespace kvr
