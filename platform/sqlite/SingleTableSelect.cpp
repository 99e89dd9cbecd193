#include "platform/sqlite/SingleTableSelect.h"

#include <algorithm>
#include <array>
#include <vector>

#include "platform/Text.h"

namespace vendaro {
namespace {

enum class TokenKind { Word, QuotedName, String, Symbol };

struct Token {
  TokenKind kind;
  std::string text;  // names without their quotes
  std::size_t offset;
  int depth;  // parenthesis depth at the token
};

bool isWordStart(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
         static_cast<unsigned char>(c) >= 0x80;
}
bool isWordPart(char c) {
  return isWordStart(c) || (c >= '0' && c <= '9') || c == '$';
}
bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

bool sameWord(const std::string& a, std::string_view b) {
  return text::equalsIgnoringCase(a, b);
}

bool isWord(const Token& token, std::string_view word) {
  return token.kind == TokenKind::Word && sameWord(token.text, word);
}

template <std::size_t N>
bool isOneOf(const Token& token, const std::array<std::string_view, N>& words) {
  return std::any_of(words.begin(), words.end(),
                     [&](std::string_view w) { return isWord(token, w); });
}

constexpr std::array<std::string_view, 7> kAggregates = {"count", "sum",   "avg",         "min",
                                                         "max",   "total", "group_concat"};
// Words that, at the outer level, mean rows are combined or come from several tables.
constexpr std::array<std::string_view, 9> kCombining = {
    "join", "union", "intersect", "except", "group", "having", "window", "natural", "cross"};
// Words that may follow the table reference of a plain single-table SELECT.
constexpr std::array<std::string_view, 3> kClauseStarts = {"where", "order", "limit"};

// Finds the end of a quoted run starting at `begin` (the opening quote);
// a doubled closing quote stands for itself.
std::size_t quotedEnd(std::string_view sql, std::size_t begin, char close, std::string& text) {
  std::size_t i = begin + 1;
  while (i < sql.size()) {
    if (sql[i] == close) {
      if (close != ']' && i + 1 < sql.size() && sql[i + 1] == close) {
        text += close;
        i += 2;
        continue;
      }
      return i + 1;
    }
    text += sql[i++];
  }
  return std::string_view::npos;  // unterminated
}

std::optional<std::vector<Token>> tokenize(std::string_view sql) {
  std::vector<Token> tokens;
  int depth = 0;
  std::size_t i = 0;
  while (i < sql.size()) {
    const char c = sql[i];
    if (isSpace(c)) {
      ++i;
    } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
      i = sql.find('\n', i);
      if (i == std::string_view::npos) i = sql.size();
    } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
      const std::size_t end = sql.find("*/", i + 2);
      if (end == std::string_view::npos) return std::nullopt;
      i = end + 2;
    } else if (c == '[' || c == '"' || c == '`' || c == '\'') {
      const char close = c == '[' ? ']' : c;
      Token token{c == '\'' ? TokenKind::String : TokenKind::QuotedName, {}, i, depth};
      i = quotedEnd(sql, i, close, token.text);
      if (i == std::string_view::npos) return std::nullopt;
      tokens.push_back(std::move(token));
    } else if (isWordStart(c)) {
      const std::size_t begin = i;
      while (i < sql.size() && isWordPart(sql[i])) ++i;
      tokens.push_back({TokenKind::Word, std::string(sql.substr(begin, i - begin)), begin, depth});
    } else {
      if (c == ')') --depth;
      tokens.push_back({TokenKind::Symbol, std::string(1, c), i, depth});
      if (c == '(') ++depth;
      ++i;
    }
  }
  return tokens;
}

bool isName(const Token& token) {
  if (token.kind == TokenKind::QuotedName) return true;
  return token.kind == TokenKind::Word && !isOneOf(token, kClauseStarts) &&
         !isOneOf(token, kCombining) && !isWord(token, "as") && !isWord(token, "on") &&
         !isWord(token, "left") && !isWord(token, "inner") && !isWord(token, "right") &&
         !isWord(token, "full") && !isWord(token, "outer");
}

bool isSymbol(const Token& token, char c) {
  return token.kind == TokenKind::Symbol && token.text.size() == 1 && token.text[0] == c;
}

bool selectListHasAggregate(const std::vector<Token>& tokens, std::size_t fromIndex) {
  for (std::size_t i = 0; i + 1 < fromIndex; ++i) {
    if (isOneOf(tokens[i], kAggregates) && isSymbol(tokens[i + 1], '(')) return true;
  }
  return false;
}

bool restIsPlain(const std::vector<Token>& tokens, std::size_t index) {
  if (index == tokens.size()) return true;
  if (isSymbol(tokens[index], ';')) return index + 1 == tokens.size();
  if (!isOneOf(tokens[index], kClauseStarts)) return false;
  return std::none_of(tokens.begin() + static_cast<std::ptrdiff_t>(index), tokens.end(),
                      [](const Token& t) { return t.depth == 0 && isOneOf(t, kCombining); });
}

}  // namespace

std::optional<SingleTableSelect> SingleTableSelect::analyse(std::string_view sql) {
  const auto tokens = tokenize(sql);
  if (!tokens || tokens->size() < 4 || !isWord(tokens->front(), "select")) return std::nullopt;
  const std::vector<Token>& t = *tokens;
  if (isWord(t[1], "distinct") || isWord(t[1], "all")) return std::nullopt;

  std::size_t from = 1;
  while (from < t.size() && !(t[from].depth == 0 && isWord(t[from], "from"))) ++from;
  if (from + 1 >= t.size() || selectListHasAggregate(t, from)) return std::nullopt;

  std::size_t i = from + 1;
  if (!isName(t[i]) || t[i].depth != 0) return std::nullopt;
  SingleTableSelect result{t[i].text, t[i].text, t[from].offset};
  ++i;
  if (i < t.size() && isWord(t[i], "as")) ++i;
  if (i < t.size() && isName(t[i])) {
    result.qualifier = t[i].text;
    ++i;
  }
  if (!restIsPlain(t, i)) return std::nullopt;
  return result;
}

}  // namespace vendaro
