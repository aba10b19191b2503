// What the logic asks of the user interface. The station implements it with
// Qt; tests implement it with a scripted fake that answers each request from a
// prepared script.
#pragma once
#include <functional>
#include <optional>
#include <string>

#include "form/form.h"
#include "form/report.h"

namespace kvr {

enum class TMsgKind { Error, Information, Warning, Confirmation };
enum class TMsgButtons { Ok, YesNo, YesNoCancel };
enum class TMsgAnswer { Ok, Yes, No, Cancel };

// The answer of a box closed without a button: the most cautious one it offers.
inline TMsgAnswer OdpovedBezTlacidla(TMsgButtons buttons) {
  switch (buttons) {
    case TMsgButtons::Ok:
      return TMsgAnswer::Ok;
    case TMsgButtons::YesNo:
      return TMsgAnswer::No;
    case TMsgButtons::YesNoCancel:
      return TMsgAnswer::Cancel;
  }
  return TMsgAnswer::Cancel;
}

struct TFileDialog {
  std::string Title;
  std::string InitialDir;
  std::string FileName;  // proposed name
  std::string Filter;    // e.g. "Programme (*.kvr)|*.kvr|Alle (*.*)|*.*"
};

struct TScreenSize {
  int Width = 0;
  int Height = 0;
};

class IUi {
 public:
  virtual ~IUi() = default;

  virtual TMsgAnswer Message(TMsgKind kind, const std::string& text, TMsgButtons buttons) = 0;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> OpenDialog(const TFileDialog& d) = 0;
  virtual std::optional<std::string> SaveDialog(const TFileDialog& d) = 0;

  virtual TModalResult ShowModal(TForm& f) = 0;
  virtual void Show(TForm& f) = 0;
  virtual void Hide(TForm& f) = 0;

  // Runs fn later from the event loop (the original's posted window messages).
  virtual void Post(std::function<void()> fn) = 0;
  // Periodic timer; returns an id for StopTimer.
  virtual int StartTimer(int intervalMs, std::function<void()> fn) = 0;
  virtual void StopTimer(int id) = 0;

  // Marks a control (a paint box) or a whole form for repainting later, or
  // repaints it at once.
  virtual void Invalidate(TForm& f, const std::string& control) = 0;
  virtual void Repaint(TForm& f, const std::string& control) = 0;

  virtual TScreenSize ScreenSize() = 0;

  // The application's general error report (input/output errors and other
  // failures that ended an operation).
  virtual void ReportError(const std::string& text) = 0;

  // Opens the print preview of a report, from which the operator prints it
  // (to a printer or a file) or closes the preview.
  virtual void PrintReport(const TReport& report) = 0;

  // Shortcuts for the common message boxes.
  void Error(const std::string& text) { Message(TMsgKind::Error, text, TMsgButtons::Ok); }
  void Info(const std::string& text) { Message(TMsgKind::Information, text, TMsgButtons::Ok); }
  void Warning(const std::string& text) { Message(TMsgKind::Warning, text, TMsgButtons::Ok); }
};

}  // namespace kvr
