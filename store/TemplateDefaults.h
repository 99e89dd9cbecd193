#pragma once

#include <string>

#include "store/ProjectFiles.h"
#include "store/StoreInput.h"
#include "store/StoreSettings.h"

namespace vendaro {

// Default texts of the store wizard's snippet and template boxes. The order
// e-mail address and the payment gateway host come from the settings.

inline constexpr const char* kDefaultFontStyle =  // Text3
    "<font size='2' face='Verdana' class='std'>";
inline constexpr const char* kDefaultTableStyle =  // Text2
    "<table cellpadding='2' cellspacing='1' width='100%' border='1' bordercolor='#000000' "
    "bordercolorlight='#000000' bgcolor='#e3e3e3'>";
inline constexpr const char* kDefaultSalesTax = "0.0825";  // Text15

// Text5: start of the e-mail order form, posting plain text to the merchant.
std::string defaultEmailAction(const std::string& orderEmail);
// Text7: start of the gateway order form with its hidden fields, posting to
// the gateway host and path of the settings with the merchant's login.
std::string defaultGatewayAction(const StoreSettings& settings);
// Text10 and Text13: sales tax, shipping method, billing and shipping
// address, card and note.
std::string defaultShippingCardTemplate();
// Text11: the whole of "select_payment.htm".
std::string defaultPaymentChoicePage();
// Text12: cash on delivery with a shipping address and note.
std::string defaultCashShippingTemplate();
// Text16: sales tax, one address and card, without shipping.
std::string defaultCardTemplate();
// Text17: sales tax and one address, without shipping or card.
std::string defaultCashTemplate();

// The defaults of the boxes that the store wizard fills at start-up.
struct TemplateDefaults {
  std::string text5, text7, text10, text11, text12, text13, text16, text17;
};
TemplateDefaults templateDefaults(const StoreSettings& settings);

// The settings boxes of a project without a settings file.
ProjectSettings defaultProjectSettings(const StoreSettings& settings);

// Puts every default above into `input` (Text2, Text3, Text5, Text7, Text15
// and the six template boxes).
void applyTemplateDefaults(StoreInput& input, const std::string& orderEmail,
                           const std::string& gatewayHost);

}  // namespace vendaro
