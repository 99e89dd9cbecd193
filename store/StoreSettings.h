#pragma once

#include <string>

#include "common/MerchantSettings.h"
#include "common/ShopRules.h"
#include "platform/SettingsFile.h"

namespace vendaro {

// [store]: the defaults of the wizard's order-form snippets. Both values go
// into generated pages, so they are checked when the file is read. The
// responsive layout also reads [merchant], [tax], [shipping] and [payment].
struct StoreSettings {
  std::string orderEmail = "orders@shop.example";
  std::string paymentGatewayHost = "secure.gateway.example";
  MerchantSettings merchant;
  TaxRules tax;
  ShippingRules shipping = ShippingRules::builtIn();
  PaymentSettings payment;

  static StoreSettings read(const SettingsFile& file) {
    StoreSettings settings;
    settings.orderEmail = file.email("store", "order_email", settings.orderEmail);
    settings.paymentGatewayHost =
        file.host("store", "payment_gateway_host", settings.paymentGatewayHost);
    settings.merchant = MerchantSettings::read(file);
    settings.tax = TaxRules::read(file);
    settings.shipping = ShippingRules::read(file);
    settings.payment = PaymentSettings::read(file);
    return settings;
  }
};

}  // namespace vendaro
