#include "app/GuiEnvironment.h"

#include <stdlib.h>
#include <unistd.h>

namespace vendaro {
namespace {

bool isSet(const char* name) {
  const char* value = ::getenv(name);
  return value != nullptr && *value != '\0';
}

}  // namespace

bool displayAvailable() {
  return isSet("DISPLAY") || isSet("WAYLAND_DISPLAY") || isSet("QT_QPA_PLATFORM");
}

void prepareWebEngineEnvironment() {
  if (::geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
}

}  // namespace vendaro
