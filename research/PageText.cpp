#include "research/PageText.h"

#include <array>

#include "platform/Text.h"

namespace vendaro {

std::string pageText(std::string_view text) {
  return text::htmlEscaped(text);
}

std::string pageAddress(std::string_view address) {
  constexpr std::array<std::string_view, 4> kLinked = {"http://", "https://", "ftp://", "mailto:"};
  for (std::string_view scheme : kLinked) {
    if (text::startsWithIgnoringCase(address, scheme)) return text::htmlEscaped(address);
  }
  return "#";
}

}  // namespace vendaro
