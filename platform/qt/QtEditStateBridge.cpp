#include "platform/qt/QtEditStateBridge.h"

namespace vendaro {

void QtEditStateBridge::report(const QString& state) {
  if (onReport) onReport(state);
}

}  // namespace vendaro
