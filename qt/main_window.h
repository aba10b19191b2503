// The main window: the menu bar of the main form's menu entries over the
// controls laid out by their design geometry. Its close box asks the main
// form's FormClose (the save question, the desktop file, the starter) through
// the binder, as every window's does; the window closes only when it agrees.
#pragma once
#include <QMainWindow>

namespace kvr {

class QtBinder;
class QtFormView;
class TProg;

class QtMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  QtMainWindow(TProg& prog, QtBinder& binder, QWidget* parent = nullptr);

  QtFormView& View() const { return view_; }

 signals:
  // The window has closed: the station ends, whatever other windows are open.
  void closed();

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  QtFormView& view_;
};

}  // namespace kvr
