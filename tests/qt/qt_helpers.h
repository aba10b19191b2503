// Helpers for driving Qt windows in tests: answering modal windows from the
// event loop and a minimal recording user interface.
#pragma once
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "form/ui_services.h"

namespace kvr::test {

// Runs act on the next modal window of type T once it is up (from the event
// loop the modal showing runs); fails the test when none comes.
template <class T>
void WhenModal(std::function<void(T*)> act, int timeoutMs = 5000) {
  auto* t = new QTimer(qApp);
  auto since = std::make_shared<QElapsedTimer>();
  since->start();
  QObject::connect(t, &QTimer::timeout, t, [t, act, since, timeoutMs] {
    T* w = qobject_cast<T*>(QApplication::activeModalWidget());
    if (w != nullptr && w->isVisible()) {
      t->stop();
      t->deleteLater();
      act(w);
    } else if (since->elapsed() > timeoutMs) {
      t->stop();
      t->deleteLater();
      ADD_FAILURE() << "no modal " << T::staticMetaObject.className() << " came up";
      if (QWidget* m = QApplication::activeModalWidget()) m->close();
    }
  });
  t->start(5);
}

// Clicks the button of a message box with this text.
inline void Click(QMessageBox* box, const QString& text) {
  for (QAbstractButton* b : box->buttons())
    if (b->text() == text) {
      b->click();
      return;
    }
  ADD_FAILURE() << "no button " << text.toStdString();
  box->close();
}

// Fails the test on any message box nobody waits for, and answers it with its
// default button so that the test goes on instead of hanging.
class UnexpectedBoxGuard {
 public:
  UnexpectedBoxGuard() : timer_(std::make_unique<QTimer>()) {
    QObject::connect(timer_.get(), &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || !box->isVisible()) {
        seen_ = nullptr;
        return;
      }
      if (box != seen_) {
        seen_ = box;
        since_.start();
      } else if (since_.elapsed() > 1000) {
        ADD_FAILURE() << "unexpected message: " << box->text().toStdString();
        seen_ = nullptr;
        if (QAbstractButton* b = box->defaultButton()) b->click(); else box->close();
      }
    });
    timer_->start(50);
  }

 private:
  std::unique_ptr<QTimer> timer_;
  QMessageBox* seen_ = nullptr;
  QElapsedTimer since_;
};

// Lets the event loop run for a while (posted work, queued closes, timers).
inline void Spracuj(int ms = 20) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}


}  // namespace kvr::test
