#include "platform/Text.h"

#include <algorithm>
#include <array>

namespace vendaro::text {

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

char upperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string lowerAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = lowerAscii(c);
  return result;
}

std::string upperAscii(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = upperAscii(c);
  return result;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return lowerAscii(x) == lowerAscii(y);
         });
}

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

std::string withCrLf(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      result += kCrLf;
    } else if (text[i] == '\n') {
      result += kCrLf;
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string withLf(std::string_view text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    result += text[i];
  }
  return result;
}

bool isWebAddress(std::string_view address) {
  return startsWithIgnoringCase(address, "http://") || startsWithIgnoringCase(address, "https://");
}

std::string_view trimmed(std::string_view value) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!value.empty() && blank(value.front())) value.remove_prefix(1);
  while (!value.empty() && blank(value.back())) value.remove_suffix(1);
  return value;
}

namespace {

// & < > " and ' as references; `apostrophe` is the one for '.
std::string markupEscaped(std::string_view value, std::string_view apostrophe) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += apostrophe;
        break;
      default:
        out += c;
    }
  }
  return out;
}

void appendPercentEncoded(std::string& out, unsigned char c) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '%';
  out += kHex[c >> 4];
  out += kHex[c & 0x0F];
}

}  // namespace

std::string htmlEscaped(std::string_view value) {
  return markupEscaped(value, "&#39;");
}

std::string xmlEscaped(std::string_view value) {
  return markupEscaped(value, "&apos;");
}

std::string quotesEscaped(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    if (c == '"') {
      out += "&quot;";
    } else {
      out += c;
    }
  }
  return out;
}

std::string backslashQuoted(std::string_view value, char quote) {
  std::string out(1, quote);
  for (const char c : value) {
    if (c == quote || c == '\\') out += '\\';
    out += c;
  }
  return out + quote;
}

std::string jsonString(std::string_view value) {
  std::string json = "\"";
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      json += '\\';
      json += c;
    } else if (c == '<') {
      json += "\\u003c";
    } else if (byte < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      json += "\\u00";
      json += kHex[byte >> 4];
      json += kHex[byte & 0x0F];
    } else {
      json += c;
    }
  }
  return json + "\"";
}

std::string scriptStringText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  appendScriptString(out, value);
  return out;
}

namespace {

// The escape of the character at `at`, or nothing when it needs none.
std::string_view scriptEscape(std::string_view value, std::size_t at) {
  switch (value[at]) {
    case '\\':
      return "\\\\";
    case '"':
      return "\\\"";
    case '\r':
      return "\\r";
    case '\n':
      return "\\n";
    case '<':
      // "<\/script" and "<\!--" read as "</script" and "<!--" in the string
      // but never close the script element or open a comment in it.
      if (startsWithIgnoringCase(value.substr(at), "</script") ||
          value.substr(at).starts_with("<!--")) {
        return "<\\";
      }
      return {};
    default:
      return {};
  }
}

}  // namespace

void appendScriptString(std::string& out, std::string_view value) {
  // The characters that may need an escape, looked up rather than compared:
  // a catalogue's script strings run to megabytes.
  static constexpr std::array<bool, 256> kMayEscape = [] {
    std::array<bool, 256> table{};
    for (const unsigned char c : {'\\', '"', '\r', '\n', '<'}) table[c] = true;
    return table;
  }();
  const char* const begin = value.data();
  const char* const end = begin + value.size();
  const char* plain = begin;  // the first character not yet copied
  for (const char* at = begin; at != end; ++at) {
    if (!kMayEscape[static_cast<unsigned char>(*at)]) continue;
    const std::string_view escaped = scriptEscape(value, static_cast<std::size_t>(at - begin));
    if (escaped.empty()) continue;
    out.append(plain, at).append(escaped);
    plain = at + 1;
  }
  out.append(plain, end);
}

std::string percentEncoded(std::string_view value, std::string_view kept) {
  std::string encoded;
  for (unsigned char c : value) {
    const bool unreserved = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                            (c >= '0' && c <= '9') ||
                            kept.find(static_cast<char>(c)) != std::string_view::npos;
    if (unreserved) {
      encoded += static_cast<char>(c);
    } else {
      appendPercentEncoded(encoded, c);
    }
  }
  return encoded;
}

std::string percentEncodedOnly(std::string_view value, std::string_view encoded) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    if (encoded.find(c) != std::string_view::npos) {
      appendPercentEncoded(out, static_cast<unsigned char>(c));
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace vendaro::text
