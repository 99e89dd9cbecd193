#include "store/PublishedRules.h"

#include <cstdlib>
#include <system_error>

#include "common/TextFile.h"
#include "common/UtcTime.h"
#include "store/SafeNumber.h"
#include "store/ShopText.h"

namespace vendaro {

PublishedRules::PublishedRules(const StoreInput& input, std::string project,
                               std::time_t generated)
    : input_(input), project_(std::move(project)), generated_(generated) {}

std::string PublishedRules::text() const {
  const double rate = std::strtod(safeNumber(input_.salesTax, EmptyValue::NotANumber).text.c_str(),
                                  nullptr);
  std::string text =
      "# The rules of the responsive shop's checkout as generated. Money in the\n"
      "# pages is counted in cents; sales tax is the products total in cents\n"
      "# times the rate, rounded half up; shipping is the charge of the first\n"
      "# band whose weight is not below the basket's weight, a basket of no\n"
      "# weight ships free.\n"
      "[published]\n"
      "project = " + jsonString(project_) + "\n" +
      "generated = " + utcTimeText(generated_) + "\n" +
      "layout = \"responsive\"\n"
      "currency = " + jsonString(input_.merchant.currency) + "\n" +
      "tax_rate = " + jsonNumber(rate) + "\n" +
      "shipping_by_weight = " + (input_.weight ? "true" : "false") + "\n";
  if (!input_.tax.rates.empty()) {
    text += "\n[tax.rates]\n";
    for (const TaxRules::Rate& place : input_.tax.rates) {
      text += jsonString(place.place) + " = " + jsonNumber(place.rate) + "\n";
    }
  }
  if (!input_.weight) return text;
  for (std::size_t m = 0; m < input_.shipping.methods.size(); ++m) {
    const ShippingMethod& method = input_.shipping.methods[m];
    text += "\n[[shipping.methods]]\nname = " + jsonString(method.name) + "\n";
    if (!method.delivery.empty()) text += "delivery = " + jsonString(method.delivery) + "\n";
    text += "# sent to the order intake as " + std::string(ShippingRules::kIntakeNames[m]) + "\n";
    text += "bands = [";
    for (std::size_t b = 0; b < method.bands.size(); ++b) {
      text += (b == 0 ? "" : ", ") + std::string("[") + jsonNumber(method.bands[b].upTo) + ", " +
              plainMoney(method.bands[b].cents) + "]";
    }
    text += "]\nover = " + plainMoney(method.overCents) + "\n";
  }
  return text;
}

std::filesystem::path PublishedRules::file(const std::filesystem::path& appFolder) const {
  return appFolder / "published-rules" / project_ /
         (compactTimeText(utcTimeText(generated_)) + ".toml");
}

std::filesystem::path PublishedRules::write(const std::filesystem::path& appFolder) const {
  const std::filesystem::path target = file(appFolder);
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  if (error || !writeWholeFile(target, text())) return {};
  return target;
}

}  // namespace vendaro
