// A user interface without a screen that runs on Qt's event loop: posted work
// and timers run from the loop (so a serial port's notifications, the link's
// dispatcher and its time-outs work), message boxes and error reports are
// recorded and passed on, questions count as cancelled. Used by the command
// line tool's link commands and by tests that need a real event loop.
#pragma once
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "form/ui_services.h"

class QTimer;

namespace kvr {

class QtLoopUi : public IUi {
 public:
  QtLoopUi();
  ~QtLoopUi() override;
  QtLoopUi(const QtLoopUi&) = delete;
  QtLoopUi& operator=(const QtLoopUi&) = delete;

  std::vector<std::string> Messages;  // message boxes
  std::vector<std::string> Reports;   // general error reports
  // Called with every message box and report as it comes.
  std::function<void(const std::string&)> OnText;

  TMsgAnswer Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
  std::optional<std::string> OpenDialog(const TFileDialog&) override { return std::nullopt; }
  std::optional<std::string> SaveDialog(const TFileDialog&) override { return std::nullopt; }
  TModalResult ShowModal(TForm&) override { return TModalResult::Cancel; }
  void Show(TForm&) override {}
  void Hide(TForm&) override {}
  void Post(std::function<void()> fn) override;
  int StartTimer(int intervalMs, std::function<void()> fn) override;
  void StopTimer(int id) override;
  void Invalidate(TForm&, const std::string&) override {}
  void Repaint(TForm&, const std::string&) override {}
  TScreenSize ScreenSize() override { return {1024, 768}; }
  void ReportError(const std::string& text) override;
  // Nothing to print on: a transfer never prints.
  void PrintReport(const TReport&) override {}

 private:
  void Run(const std::function<void()>& fn);
  std::unique_ptr<QObject> guard_;
  std::map<int, QTimer*> timers_;
  int nextTimer_ = 1;
};

}  // namespace kvr
