#include "qt/shift_window.h"

#include <QKeyEvent>
#include <QPushButton>

#include "qt/binder.h"
#include "qt/keypad_window.h"
#include "ui/shift_window.h"

namespace kvr {

QtShiftWindow::QtShiftWindow(TfPosun& form, QtBinder& binder, QWidget* parent)
    : QDialog(parent), form_(form), binder_(binder) {
  view_ = &binder_.Bind(form_, this, this);
  // Touch keys with the keypad's faces: large digits, a bold point and "C".
  QFont f = font();
  if (f.pointSizeF() > 0) f.setPointSizeF(f.pointSizeF() * 1.6);
  for (const TControl* c : {&form_.Panel1, &form_.Button0, &form_.Button1, &form_.Button2, &form_.Button3,
                            &form_.Button4, &form_.Button5, &form_.Button6, &form_.Button7, &form_.Button8,
                            &form_.Button9, &form_.ButtonBODKA, &form_.ButtonDEL})
    if (QWidget* w = view_->Widget(c->Name())) {
      QFont b = f;
      if (c == &form_.ButtonBODKA || c == &form_.ButtonDEL) b.setBold(true);
      if (c == &form_.ButtonBODKA && b.pointSizeF() > 0) b.setPointSizeF(b.pointSizeF() * 1.8);
      w->setFont(b);
    }
  // A touched key keeps no focus, so the keyboard always reaches the keys.
  for (const TControl* c : form_.Controls()) {
    QWidget* w = view_->Widget(c->Name());
    if (w == nullptr) continue;
    w->setFocusPolicy(Qt::NoFocus);
    w->installEventFilter(this);
    // Enter has no key here: it must not press "LINKS" as the dialog's default.
    if (auto* b = qobject_cast<QPushButton*>(w)) b->setAutoDefault(false);
  }
  installEventFilter(this);
}

bool QtShiftWindow::eventFilter(QObject* o, QEvent* e) {
  if (e->type() != QEvent::KeyPress || !isVisible()) return QDialog::eventFilter(o, e);
  const char c = QtZnakKlavesy(*static_cast<QKeyEvent*>(e));
  if (c == 0) return QDialog::eventFilter(o, e);
  bool handled = false;
  binder_.Dispatch([this, c, &handled] { handled = form_.KeyPress(c); });
  return handled || QDialog::eventFilter(o, e);
}

}  // namespace kvr
