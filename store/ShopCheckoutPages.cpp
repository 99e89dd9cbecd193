#include "store/ShopCheckoutPages.h"

#include <vector>

#include "common/TextSearch.h"
#include "platform/Text.h"
#include "store/ShopText.h"

namespace vendaro {
namespace {

using text::htmlEscaped;

struct AddressField {
  const char* label;
  const char* shippingName;  // the order intake's field names
  const char* billingName;
  const char* type;
  const char* autocomplete;
  bool required;
};

constexpr AddressField kAddressFields[] = {
    {"Full name", "NameS", "NameB", "text", "name", true},
    {"Address", "Adrs1S", "Adrs1B", "text", "address-line1", true},
    {"Address line 2 (optional)", "Adrs2S", "Adrs2B", "text", "address-line2", false},
    {"City", "CityS", "CityB", "text", "address-level2", true},
    {"State or region", "StateS", "StateB", "text", "address-level1", false},
    {"Postal code", "ZIPS", "ZIPB", "text", "postal-code", true},
    {"Phone (optional)", "PhoneE", "PhoneD", "tel", "tel", false},
    {"E-mail", "E_Mail1", "E_Mail2", "email", "email", true},
};

std::string field(const std::string& id, const std::string& label, const std::string& input) {
  return "<div class=\"field\"><label for=\"" + id + "\">" + label + "</label>" + input + "</div>";
}

bool hasField(const std::string& html, const std::string& name) {
  const std::string lower = text::lowerAscii(html);
  const std::string wanted = text::lowerAscii(name);
  for (const std::string& form : {"name=\"" + wanted + "\"", "name='" + wanted + "'",
                                  "name=" + wanted + ">", "name=" + wanted + " "}) {
    if (lower.find(form) != std::string::npos) return true;
  }
  return false;
}

std::vector<std::string> paragraphs(const std::string& text) {
  std::vector<std::string> result;
  std::string current;
  std::size_t start = 0;
  const std::string lf = text::withLf(text);
  while (start <= lf.size()) {
    std::size_t end = lf.find('\n', start);
    if (end == std::string::npos) end = lf.size();
    const std::string line = lf.substr(start, end - start);
    if (line.find_first_not_of(" \t") == std::string::npos) {
      if (!current.empty()) result.push_back(current);
      current.clear();
    } else {
      current += (current.empty() ? "" : "\n") + line;
    }
    start = end + 1;
  }
  if (!current.empty()) result.push_back(current);
  return result;
}

}  // namespace

ShopCheckoutPages::ShopCheckoutPages(const StoreInput& input, const ShopPageFrame& frame)
    : input_(input), frame_(frame) {}

std::string ShopCheckoutPages::basketPage() const {
  ShopPageHead head;
  head.file = "basket.html";
  head.title = "Basket";
  head.description = "The products you chose at " + input_.merchant.shopName();
  head.needsCatalogue = true;
  return frame_.page(head, shopLines({
                               "<h1 tabindex=\"-1\">Basket</h1>",
                               "<div data-basket><p>Your basket is empty.</p></div>",
                           }));
}

// The merchant's form start, with the hidden order fields it lacks.
std::string ShopCheckoutPages::formStart() const {
  std::string start = input_.emailAction;
  for (const char* name : {"DESCRIPTION", "AMOUNT"}) {
    if (!hasField(start, name)) start += std::string("<input type=\"hidden\" name=\"") + name + "\">";
  }
  return start;
}

std::string ShopCheckoutPages::addressFields(const char* legend, const char* suffix,
                                             bool shipping) const {
  std::vector<std::string> lines = {std::string("<fieldset") +
                                        (shipping ? ">" : " data-billing hidden>"),
                                    std::string("<legend>") + legend + "</legend>"};
  for (const AddressField& address : kAddressFields) {
    const std::string name = shipping ? address.shippingName : address.billingName;
    const std::string id = std::string(suffix) + "-" + address.autocomplete;
    std::string input = "<input id=\"" + id + "\" name=\"" + name + "\" type=\"" + address.type +
                        "\" autocomplete=\"" + (shipping ? "shipping " : "billing ") +
                        address.autocomplete + "\"";
    if (address.required) input += shipping ? " required" : " data-required";
    lines.push_back(field(id, address.label, input + ">"));
    if (shipping && std::string(address.shippingName) == "ZIPS") {
      lines.push_back(field("ship-country", "Country",
                            "<input id=\"ship-country\" name=\"CountryS\" type=\"text\" "
                            "autocomplete=\"shipping country-name\">"));
    }
  }
  lines.push_back("</fieldset>");
  return shopLines(lines);
}

std::string ShopCheckoutPages::shippingChoice() const {
  if (!input_.weight || input_.shipping.methods.empty()) return {};
  std::vector<std::string> lines = {"<fieldset>", "<legend>Shipping method</legend>"};
  for (std::size_t m = 0; m < input_.shipping.methods.size(); ++m) {
    const ShippingMethod& method = input_.shipping.methods[m];
    const std::string id = "shipping-" + std::to_string(m + 1);
    std::string label = htmlEscaped(method.name);
    if (!method.delivery.empty()) label += " (" + htmlEscaped(method.delivery) + ")";
    lines.push_back("<div class=\"choice\"><input type=\"radio\" id=\"" + id +
                    "\" name=\"Shipping\" value=\"" + htmlEscaped(method.name) + "\"" +
                    (m == 0 ? " checked" : "") + " data-method=\"" + std::to_string(m) +
                    "\"><label for=\"" + id + "\">" + label +
                    " <span data-charge></span></label></div>");
  }
  lines.push_back("</fieldset>");
  return shopLines(lines);
}

std::string ShopCheckoutPages::paymentChoice() const {
  std::vector<std::pair<std::string, std::string>> choices = {
      {"On delivery", "Pay on delivery"}, {"By invoice", "Pay by invoice"}};
  if (!input_.payment.link.empty()) {
    choices.emplace_back("Payment link", "Pay on-line after ordering (a payment link is shown)");
  }
  std::vector<std::string> lines = {"<fieldset>", "<legend>Payment</legend>"};
  for (std::size_t c = 0; c < choices.size(); ++c) {
    const std::string id = "payment-" + std::to_string(c + 1);
    lines.push_back("<div class=\"choice\"><input type=\"radio\" id=\"" + id +
                    "\" name=\"Payment\" value=\"" + choices[c].first + "\"" +
                    (c == 0 ? " checked" : "") + "><label for=\"" + id + "\">" +
                    choices[c].second + "</label></div>");
  }
  lines.push_back("</fieldset>");
  return shopLines(lines);
}

std::string ShopCheckoutPages::checkoutPage() const {
  std::vector<std::string> hidden;
  for (const char* name : {"T2", "V1", "V2", "V3", "V4", "T3", "T4", "T5", "T6", "OrderRef"}) {
    hidden.push_back(std::string("<input type=\"hidden\" name=\"") + name + "\">");
  }
  std::vector<std::string> lines = {
      "<h1 tabindex=\"-1\">Checkout</h1>",
      "<div data-checkout>",
      "<section aria-labelledby=\"summary-title\" class=\"summary\">",
      "<h2 id=\"summary-title\">Your order</h2>",
      "<div data-summary aria-live=\"polite\"><p>Your basket is empty.</p></div>",
      "</section>",
      formStart(),
      shopLines(hidden),
      addressFields("Delivery address", "ship", true),
      "<div class=\"choice\"><input type=\"checkbox\" id=\"billing-differs\" data-billing-differs>"
      "<label for=\"billing-differs\">Send the invoice to another address</label></div>",
      addressFields("Billing address", "bill", false),
  };
  const std::string shipping = shippingChoice();
  if (!shipping.empty()) lines.push_back(shipping);
  lines.push_back(paymentChoice());
  lines.push_back(field("note", "Special instructions (optional)",
                        "<textarea id=\"note\" name=\"Note\" rows=\"4\"></textarea>"));
  lines.push_back("<p><button type=\"submit\">Place order</button></p>");
  lines.push_back("</form>");
  lines.push_back("</div>");
  lines.push_back("<div data-confirmation hidden tabindex=\"-1\"></div>");
  ShopPageHead head;
  head.file = "checkout.html";
  head.title = "Checkout";
  head.description = "Delivery address, shipping and payment for your order at " +
                     input_.merchant.shopName();
  head.needsCatalogue = true;
  return frame_.page(head, shopLines(lines));
}

std::string ShopCheckoutPages::textPage(const std::string& file, const std::string& title,
                                        const std::string& text) const {
  std::vector<std::string> lines = {"<h1>" + htmlEscaped(title) + "</h1>"};
  for (const std::string& paragraph : paragraphs(text)) {
    std::string escaped;
    for (const char c : htmlEscaped(paragraph)) escaped += c == '\n' ? std::string("<br>") : std::string(1, c);
    lines.push_back("<p>" + escaped + "</p>");
  }
  if (lines.size() == 1) {
    lines.push_back("<p>Please ask " + htmlEscaped(input_.merchant.shopName()) +
                    (input_.merchant.email.empty()
                         ? std::string()
                         : " at <a href=\"mailto:" + htmlEscaped(input_.merchant.email) + "\">" +
                               htmlEscaped(input_.merchant.email) + "</a>") +
                    ".</p>");
  }
  ShopPageHead head;
  head.file = file;
  head.title = title;
  head.description = title + " of " + input_.merchant.shopName();
  return frame_.page(head, shopLines(lines));
}

}  // namespace vendaro
