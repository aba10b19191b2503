// What the logic asks of the main window, and nothing more: the logic never
// sees the window's controls. The station's main window implements it; where
// there is no main window (the command-line tool, the benchmark, model tests)
// the context holds one that does nothing.
#pragma once
#include <string>

namespace kvr {

class IMainWindow {
 public:
  virtual ~IMainWindow() = default;

  // Shows step n (0: none) in the step panel and below the drawing.
  virtual void ZobrazParametre(int n) = 0;
  // Repaints the coil drawing later (from the event loop) or at once.
  virtual void RepaintLater() = 0;
  virtual void RepaintNow() = 0;
  // Scrolls the drawing so that step n's end point is in view; a step outside
  // 1..350 scrolls to the bottom of the coil.
  virtual void NastavVertPos(int n) = 0;
  // The program line and the bobbin and constants captions from the store.
  virtual void VypisProgCaption() = 0;
  // A text of its own in the program line (the shift window's end coordinate).
  virtual void ShowProgramLine(const std::string& text) = 0;
  // The model, gear and state panels and the gear button after the model or
  // gear changed.
  virtual void ShowModelAndGear() = 0;
  // Online mode ended (a new or opened program): the mode panels follow.
  virtual void SetOffLine() {}
};

class NoMainWindow final : public IMainWindow {
 public:
  void ZobrazParametre(int) override {}
  void RepaintLater() override {}
  void RepaintNow() override {}
  void NastavVertPos(int) override {}
  void VypisProgCaption() override {}
  void ShowProgramLine(const std::string&) override {}
  void ShowModelAndGear() override {}
};

}  // namespace kvr
