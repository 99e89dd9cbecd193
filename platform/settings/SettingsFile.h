#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// "vendaro.toml" in the application folder, read once and checked before
// anything uses it. Each subsystem reads its own section through the typed
// readers below (see VendorSettings, StoreSettings, MailSettings, ...); a
// value that would break a page or an address throws SettingsError naming the
// file, line, section and key. The file is bounded in size and nesting depth
// before the TOML parser sees it, so a hostile file is refused, never a crash.
class SettingsFile {
 public:
  static constexpr const char* kFileName = "vendaro.toml";
  static constexpr std::size_t kMaxBytes = 4 * 1024 * 1024;
  // Tables, arrays and dotted key parts nested into one another.
  static constexpr int kMaxDepth = 32;

  // Reads `folder`/vendaro.toml; a missing file is an empty one. A folder or
  // other non-file of that name, a file too large or too deep, or one that
  // cannot be parsed throws SettingsError.
  static SettingsFile load(const std::filesystem::path& folder);
  // Parses `text`; `source` names it in messages.
  static SettingsFile parse(std::string_view text, const std::string& source);

  // Any text without control characters.
  std::string text(std::string_view section, std::string_view key, std::string fallback) const;
  // A text that may run over several lines (tabs and line breaks, no other
  // control characters).
  std::string lines(std::string_view section, std::string_view key, std::string fallback) const;
  // An http or https address that can stand inside a quoted attribute.
  std::string address(std::string_view section, std::string_view key, std::string fallback) const;
  // An address as above that may hold the given placeholders ("{amount}").
  std::string addressTemplate(std::string_view section, std::string_view key,
                              std::string fallback,
                              const std::vector<std::string>& placeholders) const;
  // An address as above, or a path beginning with "/".
  std::string addressOrPath(std::string_view section, std::string_view key,
                            std::string fallback) const;
  // An e-mail address: local part "@" domain, no quotes or spaces.
  std::string email(std::string_view section, std::string_view key, std::string fallback) const;
  // A host name or IP address, optionally with ":port".
  std::string host(std::string_view section, std::string_view key, std::string fallback) const;
  // A whole number (not in quotes) from `low` to `high`.
  int number(std::string_view section, std::string_view key, int fallback, int low,
             int high) const;
  // One of the texts in `choices`.
  std::string choice(std::string_view section, std::string_view key, std::string fallback,
                     const std::vector<std::string>& choices) const;

  // A number, whole or decimal (not in quotes), from `low` to `high`.
  double decimal(std::string_view section, std::string_view key, double fallback, double low,
                 double high) const;
  // The number of elements of a list (0 when absent); its elements are read
  // under the section "section.key" with the keys "0", "1", ...
  std::size_t arraySize(std::string_view section, std::string_view key) const;
  bool isList(std::string_view section, std::string_view key) const;
  // The keys of a table that hold a value (not a sub-table), for tables whose
  // keys the merchant chooses ("[tax.rates]"); they are read with the readers.
  std::vector<std::string> keys(std::string_view table) const;
  // "vendaro.toml:LINE: " of a key, for messages about values read from it.
  std::string lineOf(std::string_view section, std::string_view key) const;

  // Keys present in the file that no reader asked for, each as
  // "vendaro.toml:LINE: unknown key [section] key".
  std::vector<std::string> unreadKeys() const;

 private:
  struct Value {
    std::optional<std::string> text;  // empty when the value is not a text
    std::optional<long long> number;  // empty when the value is not a whole number
    std::optional<double> decimal;    // empty when the value is not a number
    std::optional<std::size_t> arraySize;  // empty when the value is not a list
    int line = 0;
  };
  using Check = std::function<bool(std::string_view)>;

  std::string checked(std::string_view section, std::string_view key, std::string fallback,
                      const Check& check, const char* expected) const;
  std::string where(const Value& value) const;

  std::string source_;
  std::map<std::string, Value, std::less<>> values_;  // by "section.key"
  mutable std::set<std::string, std::less<>> read_;
};

// The largest nesting of tables, arrays and dotted key parts in a TOML text,
// found without parsing it (strings and comments are skipped).
int tomlNestingDepth(std::string_view text);

}  // namespace vendaro
