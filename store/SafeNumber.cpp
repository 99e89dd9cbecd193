#include "store/SafeNumber.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace vendaro {
namespace {

std::string_view trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

bool allDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

struct DecimalParts {
  bool negative = false;
  std::string whole;
  std::string fraction;
  bool point = false;
};

// Splits sign, whole part, decimal separator and fraction; false when the
// text is not a decimal number with this separator.
bool splitDecimal(std::string_view text, char separator, DecimalParts& parts) {
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    parts.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto at = text.find(separator);
  parts.point = at != std::string_view::npos;
  parts.whole = std::string(text.substr(0, at));
  parts.fraction = parts.point ? std::string(text.substr(at + 1)) : std::string();
  if (parts.whole.empty() && parts.fraction.empty()) return false;
  return allDigits(parts.whole) && allDigits(parts.fraction);
}

bool isPlainDecimal(std::string_view text, const DecimalParts& parts) {
  if (!text.empty() && text.front() == '+') return false;
  return parts.whole.size() < 2 || parts.whole.front() != '0';
}

std::string plainText(DecimalParts parts) {
  const auto firstDigit = parts.whole.find_first_not_of('0');
  parts.whole = firstDigit == std::string::npos ? "0" : parts.whole.substr(firstDigit);
  std::string text = (parts.negative ? "-" : "") + parts.whole;
  if (!parts.fraction.empty()) text += "." + parts.fraction;
  return text;
}

double valueOf(const std::string& plain) {
  double value = 0;
  std::from_chars(plain.data(), plain.data() + plain.size(), value);
  return value;
}

SafeNumber replaced(std::string text, std::string reason, double value) {
  std::string problem = reason + "; written as " + text;
  return {std::move(text), std::move(reason), std::move(problem), value};
}

// The value of digits with at most one point and no needless leading zero,
// as most prices and weights are typed: they are kept without further checks.
std::optional<double> plainDecimalValue(std::string_view typed) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (typed.empty() || !digit(typed.front())) return std::nullopt;
  if (typed.front() == '0' && typed.size() > 1 && typed[1] != '.') return std::nullopt;
  bool point = false;
  for (char c : typed) {
    if (c == '.' && !point) {
      point = true;
    } else if (!digit(c)) {
      return std::nullopt;
    }
  }
  double value = 0;
  const auto read = std::from_chars(typed.data(), typed.data() + typed.size(), value);
  if (read.ec != std::errc() || value >= kTooLargeNumber) return std::nullopt;
  return value;
}

}  // namespace

SafeNumber safeNumber(std::string_view typed, EmptyValue empty) {
  if (std::optional<double> value = plainDecimalValue(typed))
    return {std::string(typed), {}, {}, *value};
  const std::string_view number = trimBlanks(typed);
  if (number.empty() && empty == EmptyValue::WrittenAsTyped) return {std::string(typed), {}, {}, 0};
  DecimalParts parts;
  const bool comma = number.find('.') == std::string_view::npos;
  if (!splitDecimal(number, '.', parts) && !(comma && splitDecimal(number, ',', parts))) {
    return replaced("0", "is not a number", 0);
  }
  const std::string plain = plainText(parts);
  const double value = valueOf(plain);
  if (value < 0) return replaced("0", "is negative", value);
  if (value >= kTooLargeNumber) return replaced("0", "is too large", value);
  if (parts.point && comma) return replaced(plain, "has a decimal comma", value);
  if (!isPlainDecimal(number, parts)) return replaced(plain, "is not a plain number", value);
  return {std::string(typed), {}, {}, value};
}

}  // namespace vendaro
