// Any bytes as a fetched mail: decoded and cut into an order's fields and
// lines without a crash, and the stored parts come from the mail's text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "intake/MailIntakeSession.h"
#include "orders/OrderMail.h"
#include "platform/mime/MailBodyDecoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string raw(reinterpret_cast<const char*>(data), size);
  const std::string text = vendaro::decodedMailText(raw);
  const vendaro::OrderMail order = vendaro::readOrderMail(text);
  for (const std::string& entry : order.entries) {
    if (const auto line = vendaro::splitOrderLine(entry)) {
      const std::size_t parts = line->productId.size() + line->quantity.size() +
                                line->price.size() + line->lineTotal.size();
      if (parts + 4 > entry.size()) __builtin_trap();
    }
  }
  (void)vendaro::orderTotal(order.value("AMOUNT"));
  const std::string masked = vendaro::maskedCardNumber(order.value("CCNumber"));
  if (masked.find_first_not_of("*0123456789") != std::string::npos) __builtin_trap();
  (void)vendaro::fallbackUniqueId(raw);
  return 0;
}
