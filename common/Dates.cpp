#include "common/Dates.h"

#include <cstdio>
#include <ctime>

namespace vendaro {
namespace {

CivilDay civilDayOf(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int dayOfEra = static_cast<int>(days - era * 146097);
  const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int shifted = (5 * dayOfYear + 2) / 153;
  CivilDay civil;
  civil.day = dayOfYear - (153 * shifted + 2) / 5 + 1;
  civil.month = shifted < 10 ? shifted + 3 : shifted - 9;
  civil.year = static_cast<int>(yearOfEra + era * 400) + (civil.month <= 2 ? 1 : 0);
  return civil;
}

std::string twoDigits(int value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

int digitsValue(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace

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

std::string mailDateText(std::int64_t seconds) {
  static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t time = static_cast<std::time_t>(seconds);
  std::tm utc{};
  gmtime_r(&time, &utc);
  char text[64];
  std::snprintf(text, sizeof text, "%s, %02d %s %04d %02d:%02d:%02d +0000", kDays[utc.tm_wday],
                utc.tm_mday, kMonths[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                utc.tm_sec);
  return text;
}

std::optional<CivilDay> dayOf(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (const std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  const CivilDay day{digitsValue(text.substr(0, 4)), digitsValue(text.substr(5, 2)),
                     digitsValue(text.substr(8, 2))};
  if (day.month < 1 || day.month > 12 || day.day < 1 || day.day > 31) return std::nullopt;
  return day;
}

bool isDayText(std::string_view text) {
  return dayOf(text).has_value();
}

std::int64_t daysSinceEpoch(const CivilDay& civil) {
  const int year = civil.year - (civil.month <= 2 ? 1 : 0);
  const int era = (year >= 0 ? year : year - 399) / 400;
  const int yearOfEra = year - era * 400;
  const int dayOfYear = (153 * (civil.month + (civil.month > 2 ? -3 : 9)) + 2) / 5 + civil.day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return std::int64_t{era} * 146097 + dayOfEra - 719468;
}

std::string dayText(std::int64_t days) {
  const CivilDay civil = civilDayOf(days);
  return std::to_string(civil.year) + "-" + twoDigits(civil.month) + "-" + twoDigits(civil.day);
}

// Weeks start on Monday; week 1 holds the year's first Thursday.
std::string isoWeekText(std::int64_t days) {
  const int weekday =
      static_cast<int>(((days % 7) + 7 + 3) % 7);  // Monday 0 (1970-01-01: Thursday)
  const std::int64_t thursday = days - weekday + 3;
  const int year = civilDayOf(thursday).year;
  const std::int64_t week = (thursday - daysSinceEpoch({year, 1, 1})) / 7 + 1;
  return std::to_string(year) + "-W" + twoDigits(static_cast<int>(week));
}

}  // namespace vendaro
