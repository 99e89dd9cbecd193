#include "common/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace vendaro {
namespace {

// Mantissa and exponent of %.15E, with trailing zeros of the mantissa removed.
std::string scientific(double magnitude) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14E", magnitude);
  std::string text(buffer);
  auto e = text.find('E');
  std::string mantissa = text.substr(0, e);
  int exponent = std::atoi(text.c_str() + e + 1);
  while (mantissa.back() == '0') mantissa.pop_back();
  if (mantissa.back() == '.') mantissa.pop_back();
  return mantissa + (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
}

std::string plainDecimal(double magnitude) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.15g", magnitude);
  std::string text(buffer);
  if (text.find('e') != std::string::npos) return scientific(magnitude);
  if (text.rfind("0.", 0) == 0) text.erase(0, 1);  // 0.5 shows as .5
  return text;
}

std::string magnitudeText(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude == 0.0) return "0";
  if (magnitude >= 1e15 || magnitude < 1e-15) return scientific(magnitude);
  return plainDecimal(magnitude);
}

}  // namespace

std::string trimmedNumberText(std::int64_t value) {
  return std::to_string(value);
}

std::string numberText(std::int64_t value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string trimmedNumberText(double value) {
  if (std::isnan(value)) return "NaN";
  return (value < 0 ? "-" : "") + magnitudeText(value);
}

std::string numberText(double value) {
  std::string text = trimmedNumberText(value);
  return value < 0 ? text : " " + text;
}

bool isPlainNumber(std::string_view value) {
  const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
  std::size_t i = !value.empty() && (value[0] == '-' || value[0] == '+') ? 1 : 0;
  const std::size_t digitsStart = i;
  while (i < value.size() && isDigit(value[i])) ++i;
  if (i == digitsStart) return false;
  if (i < value.size() && value[i] == '.') {
    const std::size_t fractionStart = ++i;
    while (i < value.size() && isDigit(value[i])) ++i;
    if (i == fractionStart) return false;
  }
  return i == value.size();
}

}  // namespace vendaro
