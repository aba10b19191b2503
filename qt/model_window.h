// The model window: a fixed dialog with the model and gear lists.
#pragma once
#include <QDialog>

namespace kvr {

class QtBinder;
class QtFormView;
class TModel;

class QtModelWindow : public QDialog {
  Q_OBJECT

 public:
  QtModelWindow(TModel& form, QtBinder& binder, QWidget* parent = nullptr);

  QtFormView& View() const { return view_; }

 private:
  QtFormView& view_;
};

}  // namespace kvr
