#include "common/UtcTime.h"

#include <ctime>

namespace vendaro {

std::string utcTimeText(std::int64_t seconds) {
  const auto time = static_cast<std::time_t>(seconds);
  std::tm parts{};
  gmtime_r(&time, &parts);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
  return text;
}

std::int64_t secondsNow() {
  return static_cast<std::int64_t>(std::time(nullptr));
}

std::string utcTimeNow() {
  return utcTimeText(secondsNow());
}

std::string localDateNow() {
  const std::time_t now = std::time(nullptr);
  std::tm parts{};
  localtime_r(&now, &parts);
  char text[16];
  std::strftime(text, sizeof text, "%Y-%m-%d", &parts);
  return text;
}

}  // namespace vendaro
