#include "store/SafeNumber.h"

#include <algorithm>
#include <cctype>

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

bool isPlainDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') return false;
  DecimalParts parts;
  if (!splitDecimal(text, '.', parts)) return false;
  return parts.whole.size() < 2 || parts.whole.front() != '0';
}

std::string plainText(DecimalParts parts) {
  const auto firstDigit = parts.whole.find_first_not_of('0');
  parts.whole = firstDigit == std::string::npos ? "0" : parts.whole.substr(firstDigit);
  std::string text = (parts.negative ? "-" : "") + parts.whole;
  if (!parts.fraction.empty()) text += "." + parts.fraction;
  return text;
}

}  // namespace

SafeNumber safeNumber(std::string_view typed, EmptyValue empty) {
  const std::string_view number = trimBlanks(typed);
  if (number.empty() && empty == EmptyValue::WrittenAsTyped) return {std::string(typed), {}};
  if (isPlainDecimal(number)) return {std::string(typed), {}};
  DecimalParts parts;
  const bool comma = number.find('.') == std::string_view::npos;
  if (splitDecimal(number, comma ? ',' : '.', parts)) {
    const std::string text = plainText(parts);
    const std::string why = comma && parts.point ? "has a decimal comma" : "is not a plain number";
    return {text, why + "; written as " + text};
  }
  return {"0", "is not a number; written as 0"};
}

}  // namespace vendaro
