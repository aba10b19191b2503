// The station's user interface played by a script: the operator's clicks,
// keypad entries and answers come from its lines, one action a line, and
// between two lines it does what the station's idle event loop does (posted
// work runs, invalidated paint boxes are repainted). Timers never fire.
//
// Windows are found by class name ("T" + the form's name) among the windows
// the station lists; controls by their names.
#pragma once
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/report.h"
#include "form/ui_services.h"

namespace kvr::tool {

enum class TActionKind { Click, Up, Down, Select, Mouse, Keypad, Text, Answer, File, Close };
enum class TMouseAction { Down, Move, Up };

// One line of a script.
struct TAction {
  int line = 0;
  TActionKind kind = TActionKind::Click;
  std::string form;     // class name, for actions on a window or control
  std::string control;
  int index = 0;        // select
  TMouseAction mouse = TMouseAction::Down;
  int x = 0;
  int y = 0;
  bool ctrl = false;
  bool cancel = false;  // keypad, text, file
  std::string text;     // keypad, text, file
  TMsgAnswer answer = TMsgAnswer::Ok;
};

struct TScriptFailure {
  int line = 0;  // 0: before the first line ran
  std::string why;
};

// A script's text as its actions; blank lines and lines starting with '#'
// are skipped. Words are separated by blanks; a word with blanks is written
// in double quotes, a quote inside it doubled. Either the actions or why a
// line is not one.
struct TParsedScript {
  std::vector<TAction> actions;
  std::optional<TScriptFailure> failure;
};
TParsedScript ParseScript(std::string_view text);

// The control of a spin button's half: "SpinButton1" up is "SpinButton1Up".
std::string SpinHalf(const std::string& spinButton, bool up);

struct TShownMessage {
  TMsgKind kind = TMsgKind::Information;
  std::string text;
  TMsgAnswer answer = TMsgAnswer::Ok;
};

class ScriptUi final : public IUi {
 public:
  explicit ScriptUi(std::vector<TAction> script);
  ScriptUi(const ScriptUi&) = delete;
  ScriptUi& operator=(const ScriptUi&) = delete;

  // The station's windows, looked up again for every line.
  void SetWindows(std::function<std::vector<TForm*>()> windows) { windows_ = std::move(windows); }

  // Runs one event through the station's dispatcher.
  void Dispatch(const std::function<void()>& fn);
  // What the idle event loop does: posted work, then repaints, until quiet.
  void Idle();
  // Runs the lines that are left, in order, each followed by Idle. False
  // when the script failed (see Failure).
  bool Run();

  const std::optional<TScriptFailure>& Failure() const { return failure_; }
  // Every message box of the run, in order, with the answer it got.
  const std::vector<TShownMessage>& Messages() const { return messages_; }

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
  TScreenSize ScreenSize() override { return {1024, 768}; }
  void ReportError(const std::string& text) override;
  // A script prints on no printer: the reports are kept, not shown.
  void PrintReport(const TReport& report) override { printed_.push_back(report); }

 private:
  std::vector<TReport> printed_;
  void Fail(std::string why);
  void RunLine(const TAction& a);
  // The next action when it is of the given kind, taken from the script.
  const TAction* Take(TActionKind kind);
  std::optional<std::string> FileDialog(const TFileDialog& d, const char* what);

  TForm* FindForm(const std::string& className) const;
  // The window that takes the operator's input, or why it does not.
  TForm* InputForm(const TAction& a);
  TControl* FindControlOf(TForm& f, const std::string& name);
  // Why the operator cannot reach the control (hidden or disabled, itself or
  // a container), or nothing.
  std::optional<std::string> Unreachable(const TForm& f, const TControl& c) const;
  // The operator's click on a control, as the Qt binder handles it.
  void Click(TForm& f, TControl& c);
  void Select(TForm& f, TControl& c, int index);
  void Mouse(TForm& f, TControl& c, const TAction& a);
  void Keypad(const TAction& a);
  void TextInput(const TAction& a);
  // The window's close box.
  void CloseBox(TForm& f);

  void InvalidateBox(TForm& f, const std::string& control);
  void Paint(TForm& f, TControl& c);

  std::vector<TAction> script_;
  std::size_t next_ = 0;
  int line_ = 0;  // the line running now
  std::function<std::vector<TForm*>()> windows_;
  std::optional<TScriptFailure> failure_;
  std::vector<TShownMessage> messages_;
  std::vector<TForm*> modal_;  // modal showings, innermost last
  std::deque<std::function<void()>> posted_;
  std::vector<std::pair<TForm*, std::string>> invalid_;  // paint boxes to repaint
  int painting_ = 0;
  bool mouseHeld_ = false;  // the left button is down on a paint box
  int nextTimer_ = 1;
};

}  // namespace kvr::tool
