#include "qt/main_window.h"

#include <QCloseEvent>
#include <QMenuBar>

#include "qt/binder.h"
#include "ui/main_window.h"

namespace kvr {

namespace {

QtFormView& Bind(QtMainWindow& w, TProg& prog, QtBinder& binder) {
  auto* central = new QWidget(&w);
  central->setObjectName(QStringLiteral("ProgClient"));
  w.setCentralWidget(central);
  return binder.Bind(prog, &w, central, w.menuBar());
}

}  // namespace

QtMainWindow::QtMainWindow(TProg& prog, QtBinder& binder, QWidget* parent)
    : QMainWindow(parent), view_(Bind(*this, prog, binder)) {}

void QtMainWindow::closeEvent(QCloseEvent* e) {
  QMainWindow::closeEvent(e);
  if (e->isAccepted()) emit closed();
}

}  // namespace kvr
