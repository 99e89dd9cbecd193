#include "platform/settings/SettingsFile.h"

#include <toml++/toml.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <sstream>

#include "platform/Text.h"

namespace vendaro {
namespace {

bool isControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7f;
}

bool isAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool plainText(std::string_view value) {
  return std::none_of(value.begin(), value.end(), isControl);
}

// Characters that would end a quoted attribute or script string, or that an
// address never holds unescaped.
bool safeInPages(std::string_view value) {
  return std::none_of(value.begin(), value.end(), [](char c) {
    return isControl(c) || c == ' ' || c == '"' || c == '\'' || c == '<' || c == '>' || c == '\\' ||
           c == '`' || c == '{' || c == '}' || c == '|' || c == '^';
  });
}

bool validHost(std::string_view host) {
  if (host.empty()) return false;
  const auto colon = host.find(':');
  const std::string_view name = host.substr(0, colon);
  if (name.empty() || name.front() == '.' || name.front() == '-') return false;
  if (!std::all_of(name.begin(), name.end(),
                   [](char c) { return isAsciiAlnum(c) || c == '.' || c == '-'; })) {
    return false;
  }
  if (colon == std::string_view::npos) return true;
  const std::string_view port = host.substr(colon + 1);
  return !port.empty() && port.size() <= 5 &&
         std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
         std::stoi(std::string(port)) <= 65535;
}

bool validAddress(std::string_view value) {
  std::string_view rest;
  if (text::startsWithIgnoringCase(value, "http://")) {
    rest = value.substr(7);
  } else if (text::startsWithIgnoringCase(value, "https://")) {
    rest = value.substr(8);
  } else {
    return false;
  }
  if (!safeInPages(value)) return false;
  return validHost(rest.substr(0, rest.find_first_of("/?#")));
}

bool validAddressOrPath(std::string_view value) {
  // "//host/..." would lead to another site.
  if (!value.empty() && value.front() == '/') {
    return value.substr(0, 2) != "//" && safeInPages(value);
  }
  return validAddress(value);
}

bool validEmail(std::string_view value) {
  const auto at = value.find('@');
  if (at == std::string_view::npos || at == 0 ||
      value.find('@', at + 1) != std::string_view::npos) {
    return false;
  }
  const std::string_view local = value.substr(0, at);
  const std::string_view domain = value.substr(at + 1);
  const bool localOk = std::all_of(local.begin(), local.end(), [](char c) {
    return isAsciiAlnum(c) || std::string_view(".!#$%&*+/=?_~-").find(c) != std::string_view::npos;
  });
  return localOk && domain.find(':') == std::string_view::npos && validHost(domain) &&
         domain.back() != '.' && domain.find("..") == std::string_view::npos;
}

// Index just past the string that starts at `start`, or the end of the line
// for an unterminated one-line string (the parser reports it).
std::size_t skipString(std::string_view text, std::size_t start) {
  const char quote = text[start];
  const bool basic = quote == '"';
  const bool multiLine = text.substr(start, 3) == std::string(3, quote);
  std::size_t i = start + (multiLine ? 3 : 1);
  while (i < text.size()) {
    const char c = text[i];
    if (basic && c == '\\') {
      i += 2;
    } else if (multiLine && text.substr(i, 3) == std::string(3, quote)) {
      i += 3;
      // A closing run may hold up to two more quotes, which belong to the text.
      for (int extra = 0; extra < 2 && i < text.size() && text[i] == quote; ++extra) ++i;
      return i;
    } else if (!multiLine && (c == quote || c == '\n')) {
      return i + 1;
    } else {
      ++i;
    }
  }
  return text.size();
}

// toml++ 3.3 reaches __builtin_unreachable (undefined behaviour) when it asks
// whether U+00A1-U+0499 or U+FAD6-U+FEFE is white space, which it does after
// any value, even one it then reports as an error. Those characters reach it
// as private-use characters from U+E000 on, and come back in the values read.
constexpr char32_t kShieldBase = 0xE000;
constexpr char32_t kLowFirst = 0xA1, kLowLast = 0x499;
constexpr char32_t kHighFirst = 0xFAD6, kHighLast = 0xFEFE;
constexpr char32_t kShieldLast =
    kShieldBase + (kLowLast - kLowFirst + 1) + (kHighLast - kHighFirst);

bool continuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// The code point of a well-formed two- or three-byte sequence at `i`, with its
// length; 0 for anything else.
std::pair<char32_t, std::size_t> decodeAt(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
  const unsigned char lead = byte(i);
  if (lead >= 0xC2 && lead <= 0xDF && i + 1 < text.size() && continuation(byte(i + 1))) {
    return {static_cast<char32_t>(((lead & 0x1F) << 6) | (byte(i + 1) & 0x3F)), 2};
  }
  if (lead >= 0xE0 && lead <= 0xEF && i + 2 < text.size() && continuation(byte(i + 1)) &&
      continuation(byte(i + 2))) {
    const char32_t cp = ((lead & 0x0F) << 12) | ((byte(i + 1) & 0x3F) << 6) | (byte(i + 2) & 0x3F);
    if (cp >= 0x800 && (cp < 0xD800 || cp > 0xDFFF)) return {cp, 3};
  }
  return {0, 1};
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
  }
  out += static_cast<char>(0x80 | (cp & 0x3F));
}

template <typename Map>
std::string mapCodePoints(std::string_view text, Map map) {
  std::string out;
  out.reserve(text.size() + text.size() / 2);
  for (std::size_t i = 0; i < text.size();) {
    const auto [cp, length] = decodeAt(text, i);
    const char32_t mapped = length > 1 ? map(cp) : 0;
    if (mapped != 0) {
      appendUtf8(out, mapped);
    } else {
      out.append(text.substr(i, length));
    }
    i += length;
  }
  return out;
}

// False when the text already holds one of the private-use characters used.
bool shieldFromToml(std::string_view text, std::string& shielded) {
  bool clash = false;
  shielded = mapCodePoints(text, [&clash](char32_t cp) -> char32_t {
    if (cp >= kShieldBase && cp <= kShieldLast) clash = true;
    if (cp >= kLowFirst && cp <= kLowLast) return kShieldBase + (cp - kLowFirst);
    if (cp >= kHighFirst && cp <= kHighLast) {
      return kShieldBase + (kLowLast - kLowFirst + 1) + (cp - kHighFirst);
    }
    return 0;
  });
  return !clash;
}

std::string unshielded(std::string_view text) {
  return mapCodePoints(text, [](char32_t cp) -> char32_t {
    if (cp < kShieldBase || cp > kShieldLast) return 0;
    const char32_t n = cp - kShieldBase;
    return n <= kLowLast - kLowFirst ? kLowFirst + n
                                     : kHighFirst + (n - (kLowLast - kLowFirst + 1));
  });
}

struct FlatValue {
  std::optional<std::string> text;
  std::optional<long long> number;
  std::optional<double> decimal;
  std::optional<std::size_t> arraySize;
  int line = 0;
};

void flattenNode(const toml::node& node, const std::string& path,
                 std::map<std::string, FlatValue, std::less<>>& out);

void flatten(const toml::table& table, const std::string& prefix,
             std::map<std::string, FlatValue, std::less<>>& out) {
  for (const auto& [key, node] : table) {
    const std::string name = unshielded(key.str());
    flattenNode(node, prefix.empty() ? name : prefix + "." + name, out);
  }
}

// A table's keys and an array's elements (keyed "0", "1", ...) become
// entries of their own under the path; the array itself keeps an entry
// with its size, so a reader that expects a text still refuses it.
void flattenNode(const toml::node& node, const std::string& path,
                 std::map<std::string, FlatValue, std::less<>>& out) {
  if (const toml::table* inner = node.as_table()) {
    flatten(*inner, path, out);
    return;
  }
  FlatValue value;
  value.line = static_cast<int>(node.source().begin.line);
  if (const auto* text = node.as_string()) value.text = unshielded(text->get());
  if (const auto* number = node.as_integer()) {
    value.number = number->get();
    value.decimal = static_cast<double>(number->get());
  }
  if (const auto* decimal = node.as_floating_point()) value.decimal = decimal->get();
  if (const toml::array* array = node.as_array()) {
    value.arraySize = array->size();
    for (std::size_t i = 0; i < array->size(); ++i) {
      flattenNode(*array->get(i), path + "." + std::to_string(i), out);
    }
  }
  out[path] = value;
}

}  // namespace

int tomlNestingDepth(std::string_view text) {
  int deepest = 0;
  int brackets = 0;
  int keyParts = 1;
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' || c == '\'') {
      i = skipString(text, i);
      continue;
    }
    if (c == '#') {
      i = text.find('\n', i);
      if (i == std::string_view::npos) break;
      continue;
    }
    switch (c) {
      case '[':
      case '{':
        ++brackets;
        keyParts = 1;
        break;
      case ']':
      case '}':
        if (brackets > 0) --brackets;
        break;
      case '=':
      case ',':
      case '\n':
        keyParts = 1;
        break;
      case '.':
        ++keyParts;
        break;
      default:
        break;
    }
    deepest = std::max(deepest, brackets + keyParts);
    ++i;
  }
  return deepest;
}

SettingsFile SettingsFile::load(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kFileName;
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (status.type() == std::filesystem::file_type::not_found) return SettingsFile{};
  if (status.type() == std::filesystem::file_type::directory) {
    throw SettingsError(file.string() + " is a folder, not a settings file");
  }
  if (status.type() != std::filesystem::file_type::regular) {
    throw SettingsError(file.string() + " is not a regular file");
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) throw SettingsError(file.string() + " cannot be read");
  // Read in pieces up to just past the limit, so that a file too large is
  // told apart without setting aside (and clearing) the limit's 4 MB first:
  // every command reads this file at its start.
  std::string text;
  std::array<char, 64 * 1024> piece;
  while (text.size() <= kMaxBytes) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    text.append(piece.data(), static_cast<std::size_t>(in.gcount()));
    if (!in) break;
  }
  return parse(text, file.string());
}

SettingsFile SettingsFile::parse(std::string_view text, const std::string& source) {
  if (text.size() > kMaxBytes) {
    throw SettingsError(source + " is larger than " + std::to_string(kMaxBytes / (1024 * 1024)) +
                        " MB; it is not a settings file");
  }
  if (tomlNestingDepth(text) > kMaxDepth) {
    throw SettingsError(source + " nests tables or keys deeper than " + std::to_string(kMaxDepth) +
                        " levels; it is not a settings file");
  }
  std::string shielded;
  if (!shieldFromToml(text, shielded)) {
    throw SettingsError(source + " holds private-use characters; it is not a settings file");
  }
  toml::table root;
  try {
    root = toml::parse(shielded, source);
  } catch (const toml::parse_error& error) {
    std::ostringstream message;
    message << source << ":" << error.source().begin.line << ": " << error.description();
    throw SettingsError(message.str());
  }
  std::map<std::string, FlatValue, std::less<>> flat;
  flatten(root, "", flat);
  SettingsFile settings;
  settings.source_ = source;
  for (auto& [path, value] : flat) {
    settings.values_[path] =
        Value{value.text, value.number, value.decimal, value.arraySize, value.line};
  }
  return settings;
}

std::string SettingsFile::where(const Value& value) const {
  return source_ + ":" + std::to_string(value.line) + ": ";
}

std::string SettingsFile::checked(std::string_view section, std::string_view key,
                                  std::string fallback, const Check& check,
                                  const char* expected) const {
  std::string path = std::string(section) + "." + std::string(key);
  read_.insert(path);
  const auto found = values_.find(path);
  if (found == values_.end()) return fallback;
  const Value& value = found->second;
  const std::string name = "[" + std::string(section) + "] " + std::string(key);
  if (!value.text) throw SettingsError(where(value) + name + " must be a text in double quotes");
  if (!check(*value.text)) {
    throw SettingsError(where(value) + name + " must be " + expected + ", not \"" + *value.text +
                        "\"");
  }
  return *value.text;
}

std::string SettingsFile::text(std::string_view section, std::string_view key,
                               std::string fallback) const {
  return checked(section, key, std::move(fallback), plainText, "a text without control characters");
}

std::string SettingsFile::lines(std::string_view section, std::string_view key,
                                std::string fallback) const {
  const auto plainLines = [](std::string_view value) {
    return std::none_of(value.begin(), value.end(), [](char c) {
      return c != '\n' && c != '\r' && c != '\t' && isControl(c);
    });
  };
  return checked(section, key, std::move(fallback), plainLines,
                 "a text without control characters other than line breaks");
}

std::string SettingsFile::address(std::string_view section, std::string_view key,
                                  std::string fallback) const {
  return checked(section, key, std::move(fallback), validAddress, "an http or https address");
}

std::string SettingsFile::addressTemplate(std::string_view section, std::string_view key,
                                          std::string fallback,
                                          const std::vector<std::string>& placeholders) const {
  const auto validTemplate = [&placeholders](std::string_view value) {
    std::string filled(value);
    for (const std::string& placeholder : placeholders) {
      for (std::size_t at; (at = filled.find(placeholder)) != std::string::npos;) {
        filled.replace(at, placeholder.size(), "0");
      }
    }
    return validAddress(filled);
  };
  std::string expected = "an http or https address (placeholders:";
  for (const std::string& placeholder : placeholders) expected += " " + placeholder;
  expected += ")";
  return checked(section, key, std::move(fallback), validTemplate, expected.c_str());
}

std::string SettingsFile::addressOrPath(std::string_view section, std::string_view key,
                                        std::string fallback) const {
  return checked(section, key, std::move(fallback), validAddressOrPath,
                 "an http or https address or a path beginning with \"/\"");
}

std::string SettingsFile::email(std::string_view section, std::string_view key,
                                std::string fallback) const {
  return checked(section, key, std::move(fallback), validEmail, "an e-mail address");
}

std::string SettingsFile::host(std::string_view section, std::string_view key,
                               std::string fallback) const {
  return checked(section, key, std::move(fallback), validHost,
                 "a host name, optionally with a port");
}

int SettingsFile::number(std::string_view section, std::string_view key, int fallback, int low,
                         int high) const {
  std::string path = std::string(section) + "." + std::string(key);
  read_.insert(path);
  const auto found = values_.find(path);
  if (found == values_.end()) return fallback;
  const Value& value = found->second;
  if (!value.number || *value.number < low || *value.number > high) {
    throw SettingsError(where(value) + "[" + std::string(section) + "] " + std::string(key) +
                        " must be a whole number from " + std::to_string(low) + " to " +
                        std::to_string(high));
  }
  return static_cast<int>(*value.number);
}

std::string SettingsFile::choice(std::string_view section, std::string_view key,
                                 std::string fallback,
                                 const std::vector<std::string>& choices) const {
  std::string expected = "one of";
  for (const std::string& allowed : choices) expected += " \"" + allowed + "\"";
  const auto isChoice = [&choices](std::string_view value) {
    return std::find(choices.begin(), choices.end(), value) != choices.end();
  };
  return checked(section, key, std::move(fallback), isChoice, expected.c_str());
}

double SettingsFile::decimal(std::string_view section, std::string_view key, double fallback,
                             double low, double high) const {
  std::string path = std::string(section) + "." + std::string(key);
  read_.insert(path);
  const auto found = values_.find(path);
  if (found == values_.end()) return fallback;
  const Value& value = found->second;
  if (!value.decimal || !(*value.decimal >= low && *value.decimal <= high)) {
    std::ostringstream range;
    range << low << " to " << high;
    throw SettingsError(where(value) + "[" + std::string(section) + "] " + std::string(key) +
                        " must be a number from " + range.str());
  }
  return *value.decimal;
}

std::size_t SettingsFile::arraySize(std::string_view section, std::string_view key) const {
  std::string path = std::string(section) + "." + std::string(key);
  read_.insert(path);
  const auto found = values_.find(path);
  if (found == values_.end()) return 0;
  if (!found->second.arraySize) {
    throw SettingsError(where(found->second) + "[" + std::string(section) + "] " +
                        std::string(key) + " must be a list in square brackets");
  }
  return *found->second.arraySize;
}

bool SettingsFile::isList(std::string_view section, std::string_view key) const {
  const auto found = values_.find(std::string(section) + "." + std::string(key));
  return found != values_.end() && found->second.arraySize.has_value();
}

std::vector<std::string> SettingsFile::keys(std::string_view table) const {
  const std::string prefix = std::string(table) + ".";
  std::vector<std::string> names;
  for (auto entry = values_.lower_bound(prefix);
       entry != values_.end() && entry->first.starts_with(prefix); ++entry) {
    const std::string rest = entry->first.substr(prefix.size());
    if (rest.find('.') == std::string::npos) names.push_back(rest);
  }
  return names;
}

std::string SettingsFile::lineOf(std::string_view section, std::string_view key) const {
  const auto found = values_.find(std::string(section) + "." + std::string(key));
  return found == values_.end() ? source_ + ": " : where(found->second);
}

std::vector<std::string> SettingsFile::unreadKeys() const {
  std::vector<std::pair<int, std::string>> unknown;
  for (const auto& [path, value] : values_) {
    if (read_.count(path) != 0) continue;
    const auto dot = path.find('.');
    const std::string name =
        dot == std::string::npos ? path : "[" + path.substr(0, dot) + "] " + path.substr(dot + 1);
    unknown.emplace_back(value.line, where(value) + "unknown key " + name);
  }
  std::sort(unknown.begin(), unknown.end());
  std::vector<std::string> messages;
  for (auto& entry : unknown) messages.push_back(std::move(entry.second));
  return messages;
}

}  // namespace vendaro
