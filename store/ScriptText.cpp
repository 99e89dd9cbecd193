#include "store/ScriptText.h"

#include <cctype>

namespace vendaro {
namespace {

// True when `part` (lower case) stands at `at`, ASCII letter case ignored.
bool startsAt(std::string_view text, std::size_t at, std::string_view part) {
  if (text.size() - at < part.size()) return false;
  for (std::size_t i = 0; i < part.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != part[i]) return false;
  }
  return true;
}

}  // namespace

std::string scriptStringText(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    const char c = value[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '"') {
      out += "\\\"";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '<' && (startsAt(value, i, "</script") || startsAt(value, i, "<!--"))) {
      // "<\/script" and "<\!--" read as "</script" and "<!--" in the string
      // but never close the script element or open a comment in it.
      out += "<\\";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace vendaro
