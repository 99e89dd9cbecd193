#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vendaro {

// A number as the program shows it in generated text, status texts and
// labels: one leading space when it is not negative (3 gives " 3", -3 gives
// "-3"). Fractions drop a leading zero (0.5 gives " .5") and keep at most 15
// significant digits (12.5 gives " 12.5", 1e-20 gives " 1E-20").
std::string numberText(std::int64_t value);
std::string numberText(double value);

// The same without the leading space (the trimmed form).
std::string trimmedNumberText(std::int64_t value);
std::string trimmedNumberText(double value);

// True for an optional sign, digits and an optional decimal part ("-2.50"):
// what a spreadsheet reads as a number.
bool isPlainNumber(std::string_view value);

}  // namespace vendaro
