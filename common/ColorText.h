#pragma once

#include <cstdint>
#include <string>

namespace vendaro {

// An HTML colour "#RRGGBB" from a colour value whose low byte is red, the
// next green and the next blue (255 gives "#FF0000"). Only the low 24 bits
// are read; higher bits (system-colour flags, negative values) are ignored.
std::string ColorToHtml(std::int32_t color);

}  // namespace vendaro
