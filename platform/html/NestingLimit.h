#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// Pages nested deeper than browsers build (Chromium stops nesting at 512
// levels) cost the parser time in the square of their depth. Before parsing,
// the tags of elements that would open deeper than the limit are left out;
// their contents (text, links, pictures) stay where they are.
inline constexpr std::size_t kMaxNestingDepth = 512;

struct LimitedNesting {
  std::string html;
  std::size_t droppedElements = 0;  // elements whose tags were left out
};

// `html` with the tags of elements deeper than `maxDepth` left out, or
// nothing when the page stays within it. Counts only elements that nest:
// void elements, self-closing tags, elements closed by their next sibling
// (p, li, td, option, ...), links and the text-only elements (script, style,
// title, ...) never count. Runs in time linear in the length of `html`.
std::optional<LimitedNesting> limitNesting(std::string_view html,
                                           std::size_t maxDepth = kMaxNestingDepth);

}  // namespace vendaro
