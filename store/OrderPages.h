#pragma once

#include <string>

#include "store/SiteCatalogue.h"

namespace vendaro {

enum class OrderPage { EmailCard, CashOnDelivery, GatewayCard };  // order, order_cod, order_cc

// One of the three order pages: the order script, the shipping function
// where it applies, the form start snippet, the table tag and the template.
std::string orderPageText(const SiteCatalogue& catalogue, OrderPage which);

// The shipping charges by weight ("UpdateShipping"), ending the function.
std::string shippingFunctionText();

}  // namespace vendaro
