#include "store/OrderScript.h"

#include <string_view>

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::string_view kAddressMark = "@ORDER_ADDRESS@";

// Letters, digits and the few marks of ordinary addresses: nothing that could
// end the PHP string or reach a mail header as something else.
bool isPlainAddress(std::string_view address) {
  if (address.empty() || address.find('@') == std::string_view::npos) return false;
  for (const char c : address) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::string_view(".@_+-").find(c) != std::string_view::npos;
    if (!plain) return false;
  }
  return true;
}

}  // namespace

std::string orderScriptText(const std::string& orderAddress) {
  std::string script = kOrderScriptResource;
  const std::size_t at = script.find(kAddressMark);
  if (at != std::string::npos) script.replace(at, kAddressMark.size(), orderAddress);
  return script;
}

std::string scriptOrderFormStart() {
  return text::withCrLf(
      "<form ACTION=\"order.php\" METHOD=\"POST\" NAME=\"FormOrder\" "
      "onsubmit=\"this.fill_ms.value=String(new Date().getTime()-vendaroOrderOpened)\">"
      "<script>var vendaroOrderOpened=new Date().getTime()</script>\n"
      "<input type=\"hidden\" name=\"DESCRIPTION\"><input type=\"hidden\" name=\"AMOUNT\">"
      "<input type=\"hidden\" name=\"fill_ms\" value=\"0\">"
      "<div style=\"position:absolute;left:-10000px\" aria-hidden=\"true\"><input type=\"text\" "
      "name=\"website\" tabindex=\"-1\" autocomplete=\"off\"></div>");
}

std::string orderAddressOf(const std::string& emailAction, const std::string& fallback) {
  const std::size_t mailto = text::lowerAscii(emailAction).find("mailto:");
  if (mailto == std::string::npos) return fallback;
  const std::size_t start = mailto + 7;
  const std::size_t end = emailAction.find_first_of("?\"' >", start);
  const std::string address = emailAction.substr(start, end - start);
  return isPlainAddress(address) ? address : fallback;
}

}  // namespace vendaro
