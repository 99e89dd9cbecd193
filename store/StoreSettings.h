#pragma once

#include <string>

#include "common/MerchantSettings.h"
#include "common/ShopRules.h"
#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [store]: the defaults of the wizard's order-form snippets: the order
// e-mail address and the card gateway's host, script path and merchant
// login. The values go into generated pages, so they are checked when the
// file is read. The responsive layout also reads [merchant], [tax],
// [shipping] and [payment].
struct StoreSettings {
  std::string orderEmail = "orders@shop.example";
  std::string paymentGatewayHost = "secure.gateway.example";
  std::string paymentGatewayPath = "/scripts/authnet25/WLDoTrans.asp";
  std::string paymentGatewayLogin = "kestrova";
  MerchantSettings merchant;
  TaxRules tax;
  ShippingRules shipping = ShippingRules::builtIn();
  PaymentSettings payment;
  // The e-mail order pages post to the shop's order script instead of mailto:.
  bool orderScript = false;

  static StoreSettings read(const SettingsFile& file) {
    StoreSettings settings;
    settings.orderEmail = file.email("store", "order_email", settings.orderEmail);
    settings.paymentGatewayHost =
        file.host("store", "payment_gateway_host", settings.paymentGatewayHost);
    // A path of the gateway host: an address checked for pages, but not a whole one.
    settings.paymentGatewayPath =
        file.addressOrPath("store", "payment_gateway_path", settings.paymentGatewayPath);
    if (settings.paymentGatewayPath.front() != '/') {
      throw SettingsError(
          "[store] payment_gateway_path must be a path beginning with \"/\", not \"" +
          settings.paymentGatewayPath + "\"");
    }
    settings.paymentGatewayLogin =
        file.text("store", "payment_gateway_login", settings.paymentGatewayLogin);
    settings.merchant = MerchantSettings::read(file);
    settings.tax = TaxRules::read(file);
    settings.shipping = ShippingRules::read(file);
    settings.payment = PaymentSettings::read(file);
    settings.orderScript =
        file.choice("store", "order_form", "mailto", {"mailto", "script"}) == "script";
    return settings;
  }
};

}  // namespace vendaro
