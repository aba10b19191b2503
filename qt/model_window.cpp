#include "qt/model_window.h"

#include <QComboBox>

#include "qt/binder.h"
#include "ui/model_window.h"

namespace kvr {

QtModelWindow::QtModelWindow(TModel& form, QtBinder& binder, QWidget* parent)
    : QDialog(parent), view_(binder.Bind(form, this, this)) {
  // The whole model list opens at once.
  if (auto* cb = qobject_cast<QComboBox*>(view_.Widget(form.cbModel.Name()))) cb->setMaxVisibleItems(15);
}

}  // namespace kvr
