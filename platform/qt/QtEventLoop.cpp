#include "platform/qt/QtEventLoop.h"

#include <QMetaObject>

#include "platform/qt/QtGuard.h"

namespace vendaro {

void QtEventLoop::post(Task task) {
  // A queued call on an object of the loop's thread is Qt's thread-safe way
  // to hand work to that thread.
  QMetaObject::invokeMethod(
      &context_, [task = std::move(task)] { runGuarded(task); }, Qt::QueuedConnection);
}

EventLoop::TaskId QtEventLoop::postDelayed(int delayMs, Task task) {
  const TaskId id = nextId_++;
  auto* timer = new QTimer(&context_);
  timer->setSingleShot(true);
  timer->setTimerType(Qt::PreciseTimer);
  QObject::connect(timer, &QTimer::timeout, &context_,
                   [this, id, task = std::move(task)] { runDelayed(id, task); });
  delayed_.emplace(id, timer);
  timer->start(delayMs < 0 ? 0 : delayMs);
  return id;
}

void QtEventLoop::runDelayed(TaskId id, const Task& task) {
  auto found = delayed_.find(id);
  if (found == delayed_.end()) return;
  // The timer is sending this signal: delete it once the signal is done, and
  // keep a copy of the task, which lives in the timer's connection.
  const Task copy = task;
  found->second->deleteLater();
  delayed_.erase(found);
  runGuarded(copy);
}

void QtEventLoop::cancel(TaskId id) {
  auto found = delayed_.find(id);
  if (found == delayed_.end()) return;
  if (found->second) {
    found->second->stop();
    found->second->deleteLater();
  }
  delayed_.erase(found);
}

}  // namespace vendaro
