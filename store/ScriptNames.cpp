#include "store/ScriptNames.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

namespace vendaro {
namespace {

bool isIdentifierCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$';
}

std::string identifierFrom(std::string_view name) {
  std::string text(name);
  std::replace_if(
      text.begin(), text.end(), [](char c) { return !isIdentifierCharacter(c); }, '_');
  if (text.empty() || std::isdigit(static_cast<unsigned char>(text.front())) != 0) {
    text.insert(0, "_");
  }
  return text;
}

std::string freeName(const std::string& base, const std::set<std::string>& taken) {
  if (taken.count(base) == 0) return base;
  for (int n = 2;; ++n) {
    std::string candidate = base + "_" + std::to_string(n);
    if (taken.count(candidate) == 0) return candidate;
  }
}

}  // namespace

bool isScriptIdentifier(std::string_view name) {
  if (name.empty() || std::isdigit(static_cast<unsigned char>(name.front())) != 0) return false;
  return std::all_of(name.begin(), name.end(), isIdentifierCharacter);
}

ScriptNames::ScriptNames(const std::vector<std::string>& categoryNames) {
  // Names that are identifiers are kept, so they are taken before any
  // derived name is chosen.
  std::set<std::string> taken;
  for (const auto& name : categoryNames) {
    if (isScriptIdentifier(name)) taken.insert(name);
  }
  std::map<std::string, std::string> derived;
  for (const auto& name : categoryNames) {
    if (isScriptIdentifier(name)) {
      names_.push_back(name);
      continue;
    }
    auto known = derived.find(name);
    if (known == derived.end()) {
      std::string chosen = freeName(identifierFrom(name), taken);
      taken.insert(chosen);
      known = derived.emplace(name, chosen).first;
    }
    names_.push_back(known->second);
  }
}

}  // namespace vendaro
