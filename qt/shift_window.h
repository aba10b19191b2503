// The shift window's own window: the generic binding, plus the hardware
// keyboard on its keys as on the keypad's.
#pragma once
#include <QDialog>

namespace kvr {

class QtBinder;
class QtFormView;
class TfPosun;

class QtShiftWindow : public QDialog {
  Q_OBJECT

 public:
  QtShiftWindow(TfPosun& form, QtBinder& binder, QWidget* parent = nullptr);

  QtFormView& View() const { return *view_; }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override;

 private:
  TfPosun& form_;
  QtBinder& binder_;
  QtFormView* view_ = nullptr;
};

}  // namespace kvr
