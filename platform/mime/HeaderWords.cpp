#include "platform/mime/HeaderWords.h"

#include <gmime/gmime.h>

#include <mutex>

namespace vendaro {

std::string decodedHeaderWords(const std::string& value) {
  if (value.find("=?") == std::string::npos) return value;
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
  char* decoded = g_mime_utils_header_decode_text(nullptr, value.c_str());
  if (decoded == nullptr) return value;
  std::string result(decoded);
  g_free(decoded);
  return result;
}

}  // namespace vendaro
