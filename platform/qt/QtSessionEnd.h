#pragma once

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace vendaro {

// Tells the program, on the Qt thread, that it is asked to end other than
// through its windows: `onTerminate` when a signal asks the process to stop
// (SIGTERM, SIGHUP, SIGINT), `onSessionSave` when the desktop session asks
// for the program's data before logging out. A signal handler may do almost
// nothing, so it only writes a byte to a pipe that the event loop watches.
// One object per process; the default signal actions return when it goes.
class QtSessionEnd : public QObject {
  Q_OBJECT

 public:
  QtSessionEnd(std::function<void()> onTerminate, std::function<void()> onSessionSave);
  ~QtSessionEnd() override;
  QtSessionEnd(const QtSessionEnd&) = delete;
  QtSessionEnd& operator=(const QtSessionEnd&) = delete;

 private:
  void signalled();

  std::function<void()> onTerminate_;
  std::function<void()> onSessionSave_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace vendaro
