#pragma once

#include <string>

namespace vendaro {

// Brings the top-level window of the given object name forward, restoring it
// when minimized. Does nothing when no such window is open.
void raiseTopLevelWindow(const std::string& objectName);

}  // namespace vendaro
