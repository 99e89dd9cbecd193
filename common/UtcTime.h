#pragma once

#include <cstdint>
#include <string>

namespace vendaro {

// Seconds since 1970 as the program records times: UTC, "2026-12-07T12:50:01Z".
// Such texts sort by time.
std::string utcTimeText(std::int64_t seconds);

// The time now, the same way.
std::int64_t secondsNow();
std::string utcTimeNow();

// Today's local date, "2026-12-07": the date orders are stored with.
std::string localDateNow();

}  // namespace vendaro
