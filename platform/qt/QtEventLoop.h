#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>
#include <map>

#include "platform/EventLoop.h"

namespace vendaro {

// The event loop of the Qt application. Tasks run on the thread that created
// this object, which must be the thread that runs the Qt event loop.
class QtEventLoop : public EventLoop {
 public:
  QtEventLoop() = default;
  QtEventLoop(const QtEventLoop&) = delete;
  QtEventLoop& operator=(const QtEventLoop&) = delete;

  void post(Task task) override;
  TaskId postDelayed(int delayMs, Task task) override;
  void cancel(TaskId id) override;

 private:
  void runDelayed(TaskId id, const Task& task);

  // Queued calls and timers belong to this object, so none of them runs
  // after the loop is gone.
  QObject context_;
  std::map<TaskId, QPointer<QTimer>> delayed_;
  TaskId nextId_ = 1;
};

}  // namespace vendaro
