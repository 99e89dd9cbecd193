#include "orders/OrderNumbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace vendaro {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string_view withoutBlanks(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

bool allDigits(std::string_view text) {
  for (const char c : text) {
    if (!isDigit(c)) return false;
  }
  return true;
}

bool allZeros(std::string_view text) {
  return text.find_first_not_of('0') == std::string_view::npos;
}

// Well beyond any order; keeps the cents inside 64 bits.
constexpr std::size_t kMostDollarDigits = 15;
constexpr double kLargestCents = 1e17;

}  // namespace

std::optional<std::int64_t> centsOf(std::string_view text) {
  text = withoutBlanks(text);
  while (!text.empty() && text.front() == '$') text.remove_prefix(1);
  text = withoutBlanks(text);
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view dollars = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (dollars.size() > kMostDollarDigits || !allDigits(dollars) || !allDigits(fraction)) {
    return std::nullopt;
  }
  if (dollars.empty() && fraction.empty()) return std::nullopt;
  if (fraction.size() > 2 && !allZeros(fraction.substr(2))) return std::nullopt;
  std::int64_t cents = 0;
  for (const char c : dollars) cents = cents * 10 + (c - '0');
  for (std::size_t i = 0; i < 2; ++i) {
    cents = cents * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
  }
  return negative ? -cents : cents;
}

std::string moneyText(std::int64_t cents) {
  const bool negative = cents < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
  std::string fraction = std::to_string(magnitude % 100);
  if (fraction.size() < 2) fraction.insert(0, "0");
  return (negative ? "-" : "") + std::to_string(magnitude / 100) + "." + fraction;
}

std::int64_t scriptCents(double amount) {
  const double scaled = amount * 100;
  // NaN and amounts no order reaches come out as one sentinel that matches no amount read.
  if (!(std::fabs(scaled) < kLargestCents)) return std::numeric_limits<std::int64_t>::min();
  const double below = std::floor(scaled);
  return static_cast<std::int64_t>(scaled - below >= 0.5 ? below + 1 : below);
}

std::optional<double> scriptNumber(std::string_view text) {
  text = withoutBlanks(text);
  if (text.empty()) return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc()) return std::nullopt;
  return value;
}

}  // namespace vendaro
