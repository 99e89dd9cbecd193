#include "common/ListFilling.h"

#include <algorithm>
#include <string>

#include "common/TextSearch.h"

namespace vendaro {

void AddUnique(std::string_view text, std::vector<std::string>& list) {
  if (std::find(list.begin(), list.end(), text) != list.end()) return;
  list.emplace_back(text);
}

void SplitToList(std::string_view text, std::vector<std::string>& list, std::string_view separator,
                 SplitTail tail) {
  // A loop rather than recursion on the rest, so a long text cannot exhaust the stack.
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::size_t position = positionOfIgnoringCase(rest, separator);
    if (position == 0) {
      if (tail == SplitTail::KeepUnlessBlank &&
          rest.find_first_not_of(" \t\r\n") != std::string_view::npos) {
        AddUnique(rest, list);
      }
      return;
    }
    AddUnique(middle(rest, 1, position), list);
    rest = middle(rest, position + 1);
  }
}

}  // namespace vendaro
