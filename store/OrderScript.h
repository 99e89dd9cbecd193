#pragma once

#include <string>

namespace vendaro {

// The shop's order script "order.php", which mails the post of the e-mail
// order pages to the merchant: the script for orders to `orderAddress`.
std::string orderScriptText(const std::string& orderAddress);

// The start of the e-mail order forms when they post to the script instead
// of a mailto: address: the hidden DESCRIPTION and AMOUNT fields as before,
// the fill time the script checks and a field that only robots fill in.
std::string scriptOrderFormStart();

// The order address of an e-mail order form start ("mailto:ADDRESS?..."),
// or `fallback` when it has none that can be written into the script safely.
std::string orderAddressOf(const std::string& emailAction, const std::string& fallback);

}  // namespace vendaro
