#include "store/OrderScript.h"

#include "common/MailFormScript.h"
#include "platform/Text.h"

namespace vendaro {

std::string orderScriptText(const std::string& orderAddress) {
  return orderMailScriptText(orderAddress);
}

std::string scriptOrderFormStart() {
  return text::withCrLf(std::string("<form ACTION=\"order.php\" METHOD=\"POST\" NAME=\"FormOrder\" "
                                    "onsubmit=\"") +
                        kFillTimeCode +
                        "\">\n<input type=\"hidden\" name=\"DESCRIPTION\">"
                        "<input type=\"hidden\" name=\"AMOUNT\">" +
                        mailFormHiddenFields("website"));
}

std::string orderAddressOf(const std::string& emailAction, const std::string& fallback) {
  const std::size_t mailto = text::lowerAscii(emailAction).find("mailto:");
  if (mailto == std::string::npos) return fallback;
  const std::size_t start = mailto + 7;
  const std::size_t end = emailAction.find_first_of("?\"' >", start);
  const std::string address = emailAction.substr(start, end - start);
  return isPlainMailAddress(address) ? address : fallback;
}

}  // namespace vendaro
