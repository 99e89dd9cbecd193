#include "common/MailValues.h"

#include "common/TextFile.h"
#include "common/TextSearch.h"

namespace vendaro {
namespace {

// The text from position `start` up to the next `end` (both 1-based
// positions, letter case ignored); empty when `end` does not follow.
std::string textUpTo(std::string_view text, std::size_t start, std::string_view end) {
  const std::size_t stop = positionOfIgnoringCase(text, end, start);
  if (stop == 0) return {};
  return std::string(middle(text, start, stop - start));
}

}  // namespace

std::string GetFieldValue(std::string_view text, std::string_view name,
                          std::string_view terminator) {
  const std::string key = std::string(name) + "=";
  const std::size_t found = positionOfIgnoringCase(text, key);
  if (found == 0) return {};
  return textUpTo(text, found + key.size(), terminator);
}

std::string GetLineValue(std::string_view text, std::string_view label) {
  const std::size_t found = positionOfIgnoringCase(text, label);
  if (found == 0) return {};
  return textUpTo(text, found + label.size(), kCrLf);
}

}  // namespace vendaro
