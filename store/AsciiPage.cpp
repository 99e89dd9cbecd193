#include "store/AsciiPage.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/Text.h"

namespace vendaro {
namespace {

enum class Context { Markup, Script, Style };

unsigned char byteAt(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// The characters of bytes 0x80-0x9F in Windows-1252; U+FFFD for the five
// bytes it leaves unused.
constexpr char32_t kWindows1252[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The UTF-8 character that starts at `i`, or the Windows-1252 character of
// its one byte when no valid UTF-8 sequence starts there; `i` moves past it.
char32_t nextCharacter(std::string_view text, std::size_t& i) {
  const unsigned char lead = byteAt(text, i);
  const int length = lead >= 0xF5 ? 0 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length > 0 && i + static_cast<std::size_t>(length) <= text.size()) {
    char32_t c = lead & (0x7F >> length);
    bool valid = true;
    for (int k = 1; k < length && valid; ++k) {
      const unsigned char next = byteAt(text, i + static_cast<std::size_t>(k));
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (valid && c >= kShortest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
      i += static_cast<std::size_t>(length);
      return c;
    }
  }
  ++i;
  return lead >= 0x80 && lead <= 0x9F ? kWindows1252[lead - 0x80] : char32_t{lead};
}

std::string formatted(const char* format, unsigned value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

std::string escaped(char32_t c, Context context) {
  switch (context) {
    case Context::Script:
      if (c <= 0xFFFF) return formatted("\\u%04X", c);
      c -= 0x10000;
      return formatted("\\u%04X", 0xD800 + (c >> 10)) + formatted("\\u%04X", 0xDC00 + (c & 0x3FF));
    case Context::Style:
      return formatted("\\%06X", c);  // six digits need no closing blank
    case Context::Markup:
      break;
  }
  return formatted("&#%u;", c);
}

bool startsTag(std::string_view rest, std::string_view name) {
  if (!text::startsWithIgnoringCase(rest, name)) return false;
  if (rest.size() == name.size()) return true;
  const char after = rest[name.size()];
  return after == '>' || after == '/' || after == ' ' || after == '\t' || after == '\r' ||
         after == '\n' || after == '\f';
}

// Where the markup at `i` ("<") leads: into a script or style element once
// its start tag ends, or nowhere new.
Context contextOpenedAt(std::string_view page, std::size_t i) {
  const std::string_view rest = page.substr(i);
  if (startsTag(rest, "<script")) return Context::Script;
  if (startsTag(rest, "<style")) return Context::Style;
  return Context::Markup;
}

std::string_view closingTag(Context context) {
  return context == Context::Script ? "</script" : "</style";
}

// Eight characters at a time: pages run to megabytes.
bool isAscii(std::string_view page) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080u;
  std::size_t i = 0;
  for (; i + 8 <= page.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, page.data() + i, 8);
    if (word & kHighBits) return false;
  }
  return std::none_of(page.begin() + static_cast<std::ptrdiff_t>(i), page.end(),
                      [](char c) { return c & 0x80; });
}

}  // namespace

void makeAsciiPage(std::string& page) {
  if (!isAscii(page)) page = asciiPage(page);
}

std::string asciiPage(std::string_view page) {
  if (isAscii(page)) return std::string(page);
  std::string out;
  out.reserve(page.size() + page.size() / 8);
  Context context = Context::Markup;
  Context afterTag = Context::Markup;  // what the start tag being copied opens
  bool inTag = false;
  bool inComment = false;  // a comment holds no elements
  std::size_t i = 0;
  while (i < page.size()) {
    const char c = page[i];
    if (c & 0x80) {
      out += escaped(nextCharacter(page, i), inTag ? Context::Markup : context);
      continue;
    }
    const std::string_view rest = page.substr(i);
    if (inComment) {
      inComment = !rest.starts_with("-->");
    } else if (c == '<' && context == Context::Markup && !inTag) {
      inComment = rest.starts_with("<!--");
      afterTag = contextOpenedAt(page, i);
      inTag = afterTag != Context::Markup;
    } else if (c == '>' && inTag) {
      inTag = false;
      context = afterTag;
    } else if (c == '<' && context != Context::Markup &&
               text::startsWithIgnoringCase(rest, closingTag(context))) {
      context = Context::Markup;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace vendaro
