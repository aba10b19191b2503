#include "qt/loop_ui.h"

#include <QTimer>

#include "form/events.h"

namespace kvr {

QtLoopUi::QtLoopUi() : guard_(std::make_unique<QObject>()) {}

QtLoopUi::~QtLoopUi() {
  // Posted work and timers die with their context object.
  guard_.reset();
}

TMsgAnswer QtLoopUi::Message(TMsgKind, const std::string& text, TMsgButtons buttons) {
  Messages.push_back(text);
  if (OnText) OnText(text);
  return OdpovedBezTlacidla(buttons);
}

void QtLoopUi::ReportError(const std::string& text) {
  Reports.push_back(text);
  if (OnText) OnText(text);
}

// Every piece of work ends in the general error report when it fails, as a
// window's event does.
void QtLoopUi::Run(const std::function<void()>& fn) { RunEvent(*this, fn); }

void QtLoopUi::Post(std::function<void()> fn) {
  QTimer::singleShot(0, guard_.get(), [this, fn = std::move(fn)] { Run(fn); });
}

int QtLoopUi::StartTimer(int intervalMs, std::function<void()> fn) {
  auto* t = new QTimer(guard_.get());
  t->setInterval(intervalMs);
  QObject::connect(t, &QTimer::timeout, guard_.get(), [this, fn = std::move(fn)] { Run(fn); });
  const int id = nextTimer_++;
  timers_[id] = t;
  t->start();
  return id;
}

void QtLoopUi::StopTimer(int id) {
  auto it = timers_.find(id);
  if (it == timers_.end()) return;
  it->second->stop();
  it->second->deleteLater();
  timers_.erase(it);
}

}  // namespace kvr
