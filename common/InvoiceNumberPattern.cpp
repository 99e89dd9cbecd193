#include "common/InvoiceNumberPattern.h"

#include <optional>

namespace vendaro {
namespace {

struct Placeholder {
  enum class Kind { Year, Number };
  Kind kind;
  int width = 0;  // for the number: the padded width
};

// The placeholder named inside braces: "year", "n" or "n:0W".
std::optional<Placeholder> placeholderNamed(std::string_view name) {
  if (name == "year") return Placeholder{Placeholder::Kind::Year};
  if (name == "n") return Placeholder{Placeholder::Kind::Number};
  if (name.size() == 4 && name.substr(0, 3) == "n:0" && name[3] >= '1' && name[3] <= '9') {
    return Placeholder{Placeholder::Kind::Number, name[3] - '0'};
  }
  return std::nullopt;
}

// Calls `text` for each literal run and `placeholder` for each placeholder;
// returns what is wrong with the pattern, or empty.
template <typename Text, typename Hole>
std::string walk(std::string_view pattern, Text text, Hole placeholder) {
  std::size_t start = 0;
  while (start < pattern.size()) {
    const std::size_t open = pattern.find('{', start);
    text(pattern.substr(start, open - start));
    if (open == std::string_view::npos) break;
    const std::size_t close = pattern.find('}', open);
    if (close == std::string_view::npos) return "has a \"{\" without \"}\"";
    const std::string_view name = pattern.substr(open + 1, close - open - 1);
    const std::optional<Placeholder> found = placeholderNamed(name);
    if (!found) return "has an unknown placeholder {" + std::string(name) + "}";
    placeholder(*found);
    start = close + 1;
  }
  return {};
}

}  // namespace

std::string invoiceNumberPatternProblem(std::string_view pattern) {
  bool year = false;
  bool number = false;
  std::string problem = walk(
      pattern, [](std::string_view) {},
      [&](const Placeholder& found) {
        (found.kind == Placeholder::Kind::Year ? year : number) = true;
      });
  if (!problem.empty()) return problem;
  if (!year || !number) return "must hold {year} and {n} (numbers start again each year)";
  return {};
}

std::string invoiceNumberText(std::string_view pattern, int year, long long n) {
  std::string out;
  walk(
      pattern, [&out](std::string_view literal) { out += literal; },
      [&](const Placeholder& found) {
        if (found.kind == Placeholder::Kind::Year) {
          out += std::to_string(year);
          return;
        }
        const std::string digits = std::to_string(n);
        if (digits.size() < static_cast<std::size_t>(found.width)) {
          out.append(static_cast<std::size_t>(found.width) - digits.size(), '0');
        }
        out += digits;
      });
  return out;
}

}  // namespace vendaro
