#include "common/CsvText.h"

#include "common/NumberText.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

bool runsAsFormula(std::string_view value) {
  if (value.empty() || isPlainNumber(value)) return false;
  if (value[0] == '\t' || value[0] == '\r') return true;
  const std::string_view rest = text::trimmed(value);
  return !rest.empty() && std::string_view("=+-@").find(rest[0]) != std::string_view::npos;
}

}  // namespace

std::string csvField(std::string_view text) {
  const std::string value = runsAsFormula(text) ? "'" + std::string(text) : std::string(text);
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (const char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string csvRow(const std::vector<std::string>& fields) {
  std::string row;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) row += ',';
    row += csvField(fields[i]);
  }
  return row + "\r\n";
}

}  // namespace vendaro
