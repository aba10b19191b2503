// The bobbin editor's and the shift window's own Qt windows: the keys they answer.
#include "qt/shift_window.h"

#include "qt/bobbin_editor_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "model/context.h"
#include "qt/binder.h"
#include "qt/qt_helpers.h"
#include "qt/qt_ui.h"
#include "support/fake_platform.h"
#include "tools/keypad.h"
#include "ui/bobbin_editor_window.h"
#include "ui/shift_window.h"

namespace kvr {
namespace {

void Stlac(QWidget* w, int key, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}

TEST(ShiftWindowQt, TypedKeysReachTheDisplayAndEscapeCancels) {
  test::UnexpectedBoxGuard guard;
  QtUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TVstup vstup{k};
  TfKostricka editor{k, vstup};
  TfPosun f{k, editor};
  QtShiftWindow okno{f, ui.Binder()};
  ui.SetKontext(k);
  k.Dialogy.VstupText = "9";

  QString display;
  test::WhenModal<QtShiftWindow>([&](QtShiftWindow* d) {
    QWidget* left = d->findChild<QPushButton*>(QStringLiteral("ButtonLeft"));
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->focusPolicy(), Qt::NoFocus);
    Stlac(left, Qt::Key_7, QStringLiteral("7"));
    Stlac(left, Qt::Key_Backspace, QStringLiteral("\b"));
    Stlac(left, Qt::Key_2, QStringLiteral("2"));
    Stlac(left, Qt::Key_Comma, QStringLiteral(","));
    Stlac(left, Qt::Key_5, QStringLiteral("5"));
    Stlac(left, Qt::Key_Return, QStringLiteral("\r"));  // no key of the window: nothing shifts
    display = d->findChild<QLabel*>(QStringLiteral("Panel1"))->text();
    Stlac(left, Qt::Key_Escape, QStringLiteral("\x1b"));
    if (d->isVisible() && d->result() == 0) {
      ADD_FAILURE() << "the shift window is still open";
      d->reject();
    }
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Cancel);
  EXPECT_EQ(display, QStringLiteral("2.5"));
  EXPECT_EQ(k.Dialogy.VstupText, "");
}

}  // namespace
}  // namespace kvr

namespace kvr {
namespace {

TEST(BobbinEditorQt, EnterInTheDescriptionClosesNothing) {
  test::UnexpectedBoxGuard guard;
  QtUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TVstup vstup{k};
  TfKostricka f{k, vstup};
  QtBobbinEditorWindow okno{f, ui.Binder()};
  ui.SetKontext(k);
  bool open = false;
  test::WhenModal<QtBobbinEditorWindow>([&](QtBobbinEditorWindow* d) {
    QWidget* e = d->findChild<QWidget*>(QStringLiteral("ePopis"));
    ASSERT_NE(e, nullptr);
    e->setFocus();
    Stlac(e, Qt::Key_Return, QStringLiteral("\r"));
    QApplication::processEvents();
    open = d->isVisible();
    d->reject();
  });
  ui.ShowModal(f);
  EXPECT_TRUE(open);
  EXPECT_EQ(pl.keyboardStarts, 1);
}

}  // namespace
}  // namespace kvr
