// The keypad's window: the generic binding, plus the hardware keyboard. Every
// key pressed anywhere in the window goes to the keypad first, so Enter means
// OK even while a digit key has the focus.
#pragma once
#include <QDialog>

class QKeyEvent;

namespace kvr {

class QtBinder;
class QtFormView;
class TVstup;

// The keypad's character for a key of the hardware keyboard, or 0 for a key
// it has no use for (anything with Ctrl or Alt among them).
char QtZnakKlavesy(const QKeyEvent& e);

class QtKeypadWindow : public QDialog {
  Q_OBJECT

 public:
  QtKeypadWindow(TVstup& form, QtBinder& binder, QWidget* parent = nullptr);

  QtFormView& View() const { return *view_; }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  TVstup& form_;
  QtBinder& binder_;
  QtFormView* view_ = nullptr;
};

}  // namespace kvr
