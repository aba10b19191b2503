// The bobbin editor's own window: its menu bar over the generic binding of
// its controls. Enter in the description line presses no button: the
// operator types there on the on-screen keyboard, and its Enter key would
// otherwise press DRAW.
#pragma once
#include <QDialog>

namespace kvr {

class QtBinder;
class QtFormView;
class TfKostricka;

class QtBobbinEditorWindow : public QDialog {
  Q_OBJECT

 public:
  QtBobbinEditorWindow(TfKostricka& form, QtBinder& binder, QWidget* parent = nullptr);

  QtFormView& View() const { return *view_; }

 private:
  QtFormView* view_ = nullptr;
};

}  // namespace kvr
