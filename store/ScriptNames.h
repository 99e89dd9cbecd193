#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

// True when `name` is a script identifier made of ASCII letters, digits, "_"
// and "$" that does not start with a digit.
bool isScriptIdentifier(std::string_view name);

// The names under which the categories appear in the page scripts (their
// array name + "List", "RemoveFrom" + name). A category whose name is an
// identifier keeps it. Any other name gets a derived one: every character
// that may not appear in an identifier becomes "_", a leading digit or an
// empty name gets a "_" in front, and "_2", "_3", ... is added when the result
// is already taken by another category. The same typed name always gets the
// same script name, so categories that share an item file also share it.
class ScriptNames {
 public:
  explicit ScriptNames(const std::vector<std::string>& categoryNames);

  const std::string& operator[](std::size_t category) const { return names_.at(category); }

 private:
  std::vector<std::string> names_;
};

}  // namespace vendaro
