#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

// Appends `text` unless an entry equals it exactly (letter case counts).
void AddUnique(std::string_view text, std::vector<std::string>& list);

// What SplitToList does with the text after the last separator.
enum class SplitTail { Drop, KeepUnlessBlank };

// Cuts `text` at every `separator` (letter case ignored) and adds each piece
// with AddUnique. A piece ends with the separator's first character; the next
// piece starts right after that character, so with a separator of several
// characters it begins with the separator's remaining characters. The text
// after the last separator is dropped, or, with KeepUnlessBlank, added as the
// last piece when it holds more than blanks and line breaks. An empty
// separator adds every character on its own.
void SplitToList(std::string_view text, std::vector<std::string>& list, std::string_view separator,
                 SplitTail tail = SplitTail::Drop);

}  // namespace vendaro
