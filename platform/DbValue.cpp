#include "platform/DbValue.h"

#include <cstdio>

namespace vendaro {
namespace {

// Up to 15 significant digits, the precision a double holds exactly, so that
// stored amounts like 54.12 show as typed rather than as 54.119999999999997.
std::string realToText(double value) {
  if (value == 0.0) return "0";  // also turns -0 into "0"
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

}  // namespace

std::string DbValue::toText() const {
  if (isNull()) return {};
  if (isInteger()) return std::to_string(integer());
  if (isReal()) return realToText(real());
  return text();
}

}  // namespace vendaro
