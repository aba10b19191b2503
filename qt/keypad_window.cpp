#include "qt/keypad_window.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QShowEvent>

#include "qt/binder.h"
#include "tools/keypad.h"

namespace kvr {

char QtZnakKlavesy(const QKeyEvent& e) {
  if (e.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
  switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return '\r';
    case Qt::Key_Escape:
      return '\x1b';
    case Qt::Key_Backspace:
      return '\b';
    case Qt::Key_Delete:
      return '\x7f';
    default:
      break;
  }
  const QString t = e.text();
  if (t.size() != 1 || t.at(0).unicode() < 0x20 || t.at(0).unicode() >= 0x7F) return 0;
  return static_cast<char>(t.at(0).unicode());
}

QtKeypadWindow::QtKeypadWindow(TVstup& form, QtBinder& binder, QWidget* parent)
    : QDialog(parent), form_(form), binder_(binder) {
  // Touch keys: a larger face for the whole window, taken as the binder's base font.
  QFont f = font();
  if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() * 1.6);
  setFont(f);
  view_ = &binder_.Bind(form_, this, this);

  if (QWidget* bodka = view_->Widget(form_.ButtonBODKA.Name())) {
    QFont b = bodka->font();
    b.setBold(true);
    if (b.pointSizeF() > 0) b.setPointSizeF(b.pointSizeF() * 1.8);
    bodka->setFont(b);
  }
  if (QWidget* del = view_->Widget(form_.ButtonDEL.Name())) {
    QFont b = del->font();
    b.setBold(true);
    del->setFont(b);
  }
  // Touching a key leaves the focus on OK.
  for (const TControl* c : form_.Controls()) {
    QWidget* w = view_->Widget(c->Name());
    if (w == nullptr) continue;
    if (c != &form_.ButtonOK) w->setFocusPolicy(Qt::NoFocus);
    w->installEventFilter(this);
  }
  if (auto* ok = qobject_cast<QPushButton*>(view_->Widget(form_.ButtonOK.Name()))) ok->setDefault(true);
  installEventFilter(this);
}

bool QtKeypadWindow::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::KeyPress || !isVisible()) return QDialog::eventFilter(o, e);
  const char c = QtZnakKlavesy(*static_cast<QKeyEvent*>(e));
  if (c == 0) return QDialog::eventFilter(o, e);
  bool handled = false;
  binder_.Dispatch([this, c, &handled] { handled = form_.KeyPress(c); });
  return handled || QDialog::eventFilter(o, e);
}

void QtKeypadWindow::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (QWidget* ok = view_->Widget(form_.ButtonOK.Name())) ok->setFocus(Qt::OtherFocusReason);
}

}  // namespace kvr
