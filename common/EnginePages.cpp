#include "common/EnginePages.h"

#include <array>

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::array<std::string_view, 7> kEngineSchemes = {
    "about:", "chrome:", "chrome-error:", "chrome-extension:", "data:", "blob:", "devtools:"};
// The domain the engine's error pages report.
constexpr std::string_view kErrorPageDomain = "chromewebdata";

}  // namespace

bool isEngineAddress(std::string_view address) {
  for (std::string_view scheme : kEngineSchemes) {
    if (text::startsWithIgnoringCase(address, scheme)) return true;
  }
  return false;
}

bool isEnginePage(const PageDocument& document) {
  return document.domain == kErrorPageDomain ||
         text::startsWithIgnoringCase(document.url, "chrome-error:") ||
         text::startsWithIgnoringCase(document.url, "chrome:");
}

}  // namespace vendaro
