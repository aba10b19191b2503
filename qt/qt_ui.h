// The station's user interface services on Qt widgets: message boxes, file
// dialogs, showing forms, posted work and timers. Every piece of the logic it
// runs goes through the binder's dispatch.
#pragma once
#include <QObject>
#include <QStringList>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "qt/binder.h"
#include "form/ui_services.h"

class QDialog;
class QTimer;
class QWidget;

namespace kvr {

// "Text|*.a;*.b|..." as Qt name filters: "Text (*.a *.b)". "*.*" matches every
// name, with or without a dot, as it does on the station's home system.
QStringList QtNameFilters(const std::string& filter);

class QtUi : public IUi {
 public:
  QtUi();
  ~QtUi() override;
  QtUi(const QtUi&) = delete;
  QtUi& operator=(const QtUi&) = delete;

  QtBinder& Binder() { return binder_; }
  // The context whose dispatcher runs every event (set once the main window exists).
  void SetKontext(TKontext& k) { binder_.SetKontext(&k); }

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
  TScreenSize ScreenSize() override;
  void ReportError(const std::string& text) override;
  // Qt's print preview, A4 portrait; its print button asks for the printer
  // (a PDF file among them).
  void PrintReport(const TReport& report) override;

 private:
  // The bound window of f; a form without a window of its own gets a plain
  // dialog laid out by the design geometry.
  QtFormView& ViewFor(TForm& f);
  QWidget* DialogParent() const;
  std::optional<std::string> FileDialog(const TFileDialog& d, bool save);

  // Declared before what it binds: the windows go first.
  QtBinder binder_;
  std::vector<std::unique_ptr<QDialog>> ownDialogs_;
  std::unique_ptr<QObject> guard_;  // context of posted work and owner of the timers
  std::map<int, QTimer*> timers_;
  int nextTimer_ = 1;
};

}  // namespace kvr
