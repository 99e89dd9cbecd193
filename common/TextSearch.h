#pragma once

#include <cstddef>
#include <string_view>

namespace vendaro {

enum class LetterCase { Exact, Ignore };

// Position (counted from 1) of the first `find` in `text` at or after position
// `start`; 0 when absent. An empty `find` is found at `start` when `start` lies
// within the text (or one past its end). A `start` below 1 is treated as 1.
std::size_t positionOf(std::string_view text, std::string_view find, std::size_t start = 1,
                       LetterCase letterCase = LetterCase::Exact);

inline std::size_t positionOfIgnoringCase(std::string_view text, std::string_view find,
                                          std::size_t start = 1) {
  return positionOf(text, find, start, LetterCase::Ignore);
}

// True when `text` contains `find`, ASCII letter case ignored.
inline bool containsIgnoringCase(std::string_view text, std::string_view find) {
  return positionOfIgnoringCase(text, find) != 0;
}

// The `count` characters of `text` from position `start` (counted from 1);
// clipped at the end of the text, empty when `start` lies beyond it.
std::string_view middle(std::string_view text, std::size_t start, std::size_t count);
// Everything from position `start` (counted from 1) to the end.
std::string_view middle(std::string_view text, std::size_t start);

}  // namespace vendaro
