#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The program's dates and times: recorded times in UTC, the local date
// orders are stored with, mail dates, and days as "YYYY-MM-DD" with the
// periods the sales figures count by.
namespace vendaro {

// Seconds since 1970 as the program records times: UTC, "2026-12-07T12:50:01Z".
// Such texts sort by time.
std::string utcTimeText(std::int64_t seconds);

// The time now, the same way.
std::int64_t secondsNow();
std::string utcTimeNow();

// A mail's Date header for `seconds` since 1970: "Mon, 07 Dec 2026 17:00:00 +0000".
std::string mailDateText(std::int64_t seconds);

// Today's local date, "2026-12-07": the date orders are stored with.
std::string localDateNow();

// A calendar day (proleptic Gregorian).
struct CivilDay {
  int year = 0;
  int month = 0;  // 1-12
  int day = 0;    // 1-31
};

// The day a "YYYY-MM-DD" text names: digits in those places, a month from 1
// to 12 and a day from 1 to 31; nullopt for any other text.
std::optional<CivilDay> dayOf(std::string_view text);
bool isDayText(std::string_view text);

// Days since 1970-01-01, and the "YYYY-MM-DD" text of such a count.
std::int64_t daysSinceEpoch(const CivilDay& day);
std::string dayText(std::int64_t days);
// The ISO 8601 week of a day as days since 1970: "2026-W49".
std::string isoWeekText(std::int64_t days);

}  // namespace vendaro
