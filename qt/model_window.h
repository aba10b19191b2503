// The model window: a fixed dialog with the model and gear lists.
#pragma once
#include <QDialog>

namespace kvr {

class QtBinder;
class QtFormView;
class TModel;

class QtModelOkno : public QDialog {
  Q_OBJECT

 public:
  QtModelOkno(TModel& form, QtBinder& binder, QWidget* parent = nullptr);

  QtFormView& View() const { return view_; }

 private:
  QtFormView& view_;
};

}  // namespace kvr
