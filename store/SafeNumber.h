#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// A value typed by the merchant as it goes into the page script as a number.
struct SafeNumber {
  std::string text;     // what is written
  std::string reason;   // empty when written as typed; else why it was not
  std::string problem;  // empty when written as typed; else why and what was written
  double value = 0;     // the number the typed text means; 0 when it means none
};

enum class EmptyValue { WrittenAsTyped, NotANumber };

// No price or weight reaches this; larger numbers lose cents in the script.
inline constexpr double kTooLargeNumber = 1e9;

// A plain decimal number (optional minus, digits, optional fraction, blanks
// around it) is written as typed. A number written with a decimal comma, a
// plus sign or superfluous leading zeros (which a script would read as an
// octal number) is written as the plain decimal it means; anything else, and
// a negative number or one of kTooLargeNumber and more, is written as 0.
// All but the first are reported in `reason` and `problem`.
SafeNumber safeNumber(std::string_view typed, EmptyValue empty);

}  // namespace vendaro
