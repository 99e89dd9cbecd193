#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vendaro {

// Checks a value that a caller must write into a query text as an unquoted
// number (such as a key taken from a text box): digits with an optional
// leading minus, blanks around them ignored. Returns the trimmed digits, or
// nullopt for anything else, so that no other text can reach the query.
std::optional<std::string> sqlWholeNumber(std::string_view text);

// A text as an SQL string literal: in single quotes, each quote doubled. For
// a query that binds no parameters (rows streamed as they are read).
std::string sqlStringLiteral(std::string_view text);

// A LIKE pattern that finds `text` anywhere, its %, _ and \ escaped with a
// backslash; the query says ESCAPE '\'.
std::string sqlLikeContaining(std::string_view text);

}  // namespace vendaro
