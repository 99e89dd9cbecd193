#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace vendaro {

// One value of a database field: null, integer, real or text.
class DbValue {
 public:
  DbValue() = default;
  DbValue(std::int64_t value) : value_(value) {}                    // NOLINT: implicit on purpose
  DbValue(int value) : value_(static_cast<std::int64_t>(value)) {}  // NOLINT
  DbValue(double value) : value_(value) {}                          // NOLINT
  DbValue(std::string value) : value_(std::move(value)) {}          // NOLINT
  DbValue(const char* value) : value_(std::string(value)) {}        // NOLINT

  bool isNull() const { return std::holds_alternative<std::monostate>(value_); }
  bool isInteger() const { return std::holds_alternative<std::int64_t>(value_); }
  bool isReal() const { return std::holds_alternative<double>(value_); }
  bool isText() const { return std::holds_alternative<std::string>(value_); }

  std::int64_t integer() const { return std::get<std::int64_t>(value_); }
  double real() const { return std::get<double>(value_); }
  const std::string& text() const { return std::get<std::string>(value_); }

  // The value as a bound text box shows it: null is empty, 50.0 is "50",
  // 54.12 is "54.12".
  std::string toText() const;

  bool operator==(const DbValue& other) const = default;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string> value_;
};

}  // namespace vendaro
