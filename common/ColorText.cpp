#include "common/ColorText.h"

#include <cstdio>

namespace vendaro {

std::string ColorToHtml(std::int32_t color) {
  const auto value = static_cast<std::uint32_t>(color);
  const unsigned red = value & 0xFFu;
  const unsigned green = (value >> 8) & 0xFFu;
  const unsigned blue = (value >> 16) & 0xFFu;
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", red, green, blue);
  return buffer;
}

}  // namespace vendaro
