#include "qt/bobbin_editor_window.h"

#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "qt/binder.h"
#include "ui/bobbin_editor_window.h"

namespace kvr {

QtBobbinEditorWindow::QtBobbinEditorWindow(TfKostricka& form, QtBinder& binder, QWidget* parent) : QDialog(parent) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(0);
  auto* bar = new QMenuBar(this);
  lay->setMenuBar(bar);
  auto* container = new QWidget(this);
  container->setObjectName(QStringLiteral("fKostrickaClient"));
  lay->addWidget(container);
  view_ = &binder.Bind(form, this, container, bar);
  for (const TControl* c : form.Controls())
    if (auto* b = qobject_cast<QPushButton*>(view_->Widget(c->Name()))) b->setAutoDefault(false);
}

}  // namespace kvr
