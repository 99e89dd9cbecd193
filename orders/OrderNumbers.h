#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// An amount of money as the order pages and the order database write it
// ("$ 7.75", "$$$ 61.82", " 54.12", "25", "-3.10") in whole cents. Dollar
// signs and blanks around the number are allowed; decimals beyond the
// cents must be zeros. Nothing when the text is no such amount.
std::optional<std::int64_t> centsOf(std::string_view text);

// Cents as the order pages show money: "49.95", "0.05", "-3.10".
std::string moneyText(std::int64_t cents);

// `amount` rounded to whole cents as the order pages' script rounds it
// (Math.round of amount × 100: halves go up).
std::int64_t scriptCents(double amount);

// A number as the page's script reads it with parseFloat or Number: blanks
// around it are allowed; nothing when the text does not start a number.
std::optional<double> scriptNumber(std::string_view text);


}  // namespace vendaro
