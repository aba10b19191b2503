// The main window: the menu bar of the main form's menu entries over the
// controls laid out by their design geometry.
#pragma once
#include <QMainWindow>

namespace kvr {

class QtBinder;
class QtFormView;
class TProg;

class QtProgOkno : public QMainWindow {
  Q_OBJECT

 public:
  QtProgOkno(TProg& prog, QtBinder& binder, QWidget* parent = nullptr);

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
