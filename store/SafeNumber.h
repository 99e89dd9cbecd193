#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// A value typed by the merchant as it goes into the page script as a number.
struct SafeNumber {
  std::string text;     // what is written
  std::string problem;  // empty when written as typed; else why and what was written
};

enum class EmptyValue { WrittenAsTyped, NotANumber };

// A plain decimal number (optional minus, digits, optional fraction, blanks
// around it) is written as typed. A number written with a decimal comma, a
// plus sign or superfluous leading zeros (which a script would read as an
// octal number) is written as the plain decimal it means; anything else is
// written as 0. Both are reported in `problem`.
SafeNumber safeNumber(std::string_view typed, EmptyValue empty);

}  // namespace vendaro
