// A scripted stand-in for the user interface: every message box, file dialog,
// modal showing and error report must have been announced, in order, with the
// answer to give. Anything else fails the test, and so does an unused entry.
#pragma once
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "form/ui_services.h"

namespace kvr::test {

class ScriptedUi : public IUi {
 public:
  ScriptedUi() = default;
  ~ScriptedUi() override;

  ScriptedUi& ExpectMessage(TMsgKind kind, std::string text, TMsgAnswer answer = TMsgAnswer::Ok);
  ScriptedUi& ExpectError(std::string text) { return ExpectMessage(TMsgKind::Error, std::move(text)); }
  // answer nullopt = the user cancels; check sees the dialog's settings.
  ScriptedUi& ExpectOpen(std::optional<std::string> answer, std::function<void(const TFileDialog&)> check = {});
  ScriptedUi& ExpectSave(std::optional<std::string> answer, std::function<void(const TFileDialog&)> check = {});
  // act plays the user in the modal form and returns; the form's ModalResult is returned.
  ScriptedUi& ExpectModal(std::string formName, std::function<void(TForm&)> act);
  ScriptedUi& ExpectReport(std::string textPart);

  // Everything scripted has been used.
  bool Done() const { return script_.empty(); }
  void Verify();

  // Posted work and timers are kept for the test to run.
  void RunPosted();
  void FireTimer(int id);
  std::vector<std::string> invalidated;  // "form/control"
  std::vector<std::string> shown;        // forms shown non-modally
  std::vector<TReport> printed;          // reports whose print preview was opened
  TScreenSize screen{1024, 768};

  TMsgAnswer Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) override;
  std::optional<std::string> OpenDialog(const TFileDialog& d) override;
  std::optional<std::string> SaveDialog(const TFileDialog& d) override;
  TModalResult ShowModal(TForm& f) override;
  void Show(TForm& f) override;
  void Hide(TForm& f) override;
  void Post(std::function<void()> fn) override;
  int StartTimer(int intervalMs, std::function<void()> fn) override;
  void StopTimer(int id) override;
  void Invalidate(TForm& f, const std::string& control) override;
  void Repaint(TForm& f, const std::string& control) override;
  TScreenSize ScreenSize() override { return screen; }
  void ReportError(const std::string& text) override;
  void PrintReport(const TReport& report) override { printed.push_back(report); }

 private:
  enum class Kind { Message, Open, Save, Modal, Report };
  struct Entry {
    explicit Entry(Kind k) : kind(k) {}
    Kind kind;
    TMsgKind msgKind = TMsgKind::Error;
    std::string text{};
    TMsgAnswer answer = TMsgAnswer::Ok;
    std::optional<std::string> path{};
    std::function<void(const TFileDialog&)> check{};
    std::function<void(TForm&)> act{};
  };
  Entry Next(Kind kind, const std::string& what);
  std::deque<Entry> script_;
  std::deque<std::function<void()>> posted_;
  struct Timer {
    int id;
    int interval;
    std::function<void()> fn;
    bool running;
  };
  std::vector<Timer> timers_;
  bool verified_ = false;
};

}  // namespace kvr::test
