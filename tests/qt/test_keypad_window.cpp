#include "qt/keypad_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <gtest/gtest.h>

#include "qt/binder.h"
#include "qt/qt_helpers.h"
#include "qt/qt_ui.h"
#include "support/fake_platform.h"
#include "tools/keypad.h"
#include "model/context.h"

namespace kvr {
namespace {

void Stlac(QWidget* w, int key, const QString& text = {}, Qt::KeyboardModifiers mod = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, mod, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mod, text);
  QApplication::sendEvent(w, &release);
}

// The key that should have closed the keypad did not: say so and close it,
// so that the test fails instead of waiting for ever.
void FailIfStillOpen(QDialog* d) {
  if (d->isVisible() && d->result() == 0) {
    ADD_FAILURE() << "the keypad is still open";
    d->reject();
  }
}

class VstupOknoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui.SetKontext(k);
    ui.Binder().Dispatch([this] { f.FormCreate(); });
  }
  template <class T>
  T* W(const char* name) {
    T* w = okno.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  test::UnexpectedBoxGuard guard;
  QtUi ui;
  test::FakePlatform pl;
  TKontext k{ui, pl};
  TVstup f{k};
  QtKeypadWindow okno{f, ui.Binder()};
};

TEST_F(VstupOknoTest, TypedKeysReachTheKeypadWhicheverKeyHasTheFocus) {
  k.Dialogy.DruhParametra = 2;
  QString display;
  test::WhenModal<QtKeypadWindow>([&](QtKeypadWindow* d) {
    EXPECT_EQ(d, &okno);
    // Sent to a digit key: Enter must accept, not press that key.
    QWidget* five = W<QPushButton>("Button5");
    Stlac(five, Qt::Key_1, QStringLiteral("1"));
    Stlac(five, Qt::Key_Comma, QStringLiteral(","), Qt::KeypadModifier);
    Stlac(five, Qt::Key_2, QStringLiteral("2"));
    Stlac(five, Qt::Key_5, QStringLiteral("5"), Qt::KeypadModifier);
    Stlac(five, Qt::Key_X, QStringLiteral("x"));
    Stlac(five, Qt::Key_3, QStringLiteral("3"), Qt::ControlModifier);
    display = W<QLabel>("Panel1")->text();
    Stlac(five, Qt::Key_Return, QStringLiteral("\r"));
    FailIfStillOpen(d);
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Ok);
  EXPECT_EQ(display, QStringLiteral("1.25"));
  EXPECT_EQ(k.Dialogy.VstupText, "1.25");
}

TEST_F(VstupOknoTest, EscapeCancelsAndBackspaceClears) {
  QString display = QStringLiteral("?");
  test::WhenModal<QtKeypadWindow>([&](QtKeypadWindow* d) {
    QWidget* ok = W<QPushButton>("ButtonOK");
    Stlac(ok, Qt::Key_7, QStringLiteral("7"));
    Stlac(ok, Qt::Key_Backspace, QStringLiteral("\b"));
    display = W<QLabel>("Panel1")->text();
    Stlac(ok, Qt::Key_Escape, QStringLiteral("\x1b"));
    FailIfStillOpen(d);
  });
  EXPECT_EQ(ui.ShowModal(f), TModalResult::Cancel);
  EXPECT_EQ(display, QString());
  EXPECT_EQ(k.Program.Zmeneny, 0);
}

TEST_F(VstupOknoTest, StaysOnTopWithoutCloseBoxAndDrawsTheKeysAsDesigned) {
  const Qt::WindowFlags flags = okno.windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_TRUE(W<QPushButton>("ButtonBODKA")->font().bold());
  EXPECT_EQ(W<QPushButton>("ButtonDEL")->palette().color(QPalette::Button), QColor(255, 0, 0));
  EXPECT_EQ(W<QPushButton>("Button1")->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(okno.pos(), QPoint(f.Bounds.Left, f.Bounds.Top));
}

}  // namespace
}  // namespace kvr
