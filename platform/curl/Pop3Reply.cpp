#include "platform/curl/Pop3Reply.h"

#include <sstream>

namespace vendaro::pop3reply {
namespace {

std::string withoutLineEnd(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

std::string lastStartingWith(const std::vector<std::string>& lines, const std::string& prefix) {
  for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
    if (line->compare(0, prefix.size(), prefix) == 0) return withoutLineEnd(*line);
  }
  return {};
}

// The words after "+OK".
std::vector<std::string> wordsAfterOk(const std::string& okLine) {
  std::vector<std::string> words;
  if (okLine.compare(0, 3, "+OK") != 0) return words;
  std::istringstream in(okLine.substr(3));
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

std::optional<long> number(const std::string& word) {
  if (word.empty() || word.size() > 15) return std::nullopt;
  long value = 0;
  for (char c : word) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string lastOk(const std::vector<std::string>& lines) {
  return lastStartingWith(lines, "+OK");
}

std::string lastError(const std::vector<std::string>& lines) {
  return lastStartingWith(lines, "-ERR");
}

std::optional<int> statCount(const std::string& okLine) {
  auto words = wordsAfterOk(okLine);
  if (words.size() < 2 || !number(words[1])) return std::nullopt;
  auto count = number(words[0]);
  if (!count || *count > 1'000'000'000) return std::nullopt;
  return static_cast<int>(*count);
}

std::optional<std::string> uidlId(const std::string& okLine) {
  auto words = wordsAfterOk(okLine);
  if (words.size() < 2 || !number(words[0])) return std::nullopt;
  return words[1];
}

std::optional<long> retrSize(const std::string& okLine) {
  auto words = wordsAfterOk(okLine);
  if (words.empty()) return std::nullopt;
  if (words.size() > 1 && words[1] != "octets") return std::nullopt;
  return number(words[0]);
}

std::string withCrLf(const std::string& text) {
  std::string result;
  result.reserve(text.size() + text.size() / 32);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result += '\r';
    result += text[i];
  }
  return result;
}

}  // namespace vendaro::pop3reply
