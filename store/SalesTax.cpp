#include "store/SalesTax.h"

#include <algorithm>
#include <cctype>

namespace vendaro {
namespace {

bool isDigit(char c) {
  return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// `text` with its decimal point moved `places` to the right (to the left
// when negative), without leading or trailing zeros that carry nothing.
std::string movedPoint(std::string_view text, int places) {
  std::string sign;
  if (!text.empty() && text.front() == '-') {
    sign = "-";
    text.remove_prefix(1);
  }
  const std::size_t point = text.find('.');
  std::string whole(text.substr(0, point));
  std::string fraction(point == std::string_view::npos ? "" : text.substr(point + 1));
  const std::string digits = whole + fraction;
  if (digits.empty() || !std::all_of(digits.begin(), digits.end(), isDigit)) {
    return sign + std::string(text);
  }
  for (; places > 0; --places) {
    whole += fraction.empty() ? '0' : fraction.front();
    if (!fraction.empty()) fraction.erase(0, 1);
  }
  for (; places < 0; ++places) {
    fraction.insert(fraction.begin(), whole.empty() ? '0' : whole.back());
    if (!whole.empty()) whole.pop_back();
  }
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  fraction.erase(fraction.find_last_not_of('0') + 1);
  if (whole.empty()) whole = "0";
  return sign + whole + (fraction.empty() ? "" : "." + fraction);
}

}  // namespace

std::string salesTaxPercent(std::string_view fraction) {
  return movedPoint(fraction, 2);
}

std::string salesTaxFraction(std::string_view percent) {
  return movedPoint(percent, -2);
}

}  // namespace vendaro
