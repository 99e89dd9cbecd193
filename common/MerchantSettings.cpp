#include "common/MerchantSettings.h"

namespace vendaro {
namespace {

constexpr const char* kSection = "merchant";

// "address" as a list of lines, or as one text.
std::vector<std::string> addressLines(const SettingsFile& file) {
  if (!file.isList(kSection, "address")) {
    std::string single = file.text(kSection, "address", "");
    if (single.empty()) return {};
    return {single};
  }
  std::vector<std::string> lines;
  const std::size_t count = file.arraySize(kSection, "address");
  for (std::size_t i = 0; i < count; ++i) {
    lines.push_back(file.text("merchant.address", std::to_string(i), ""));
  }
  return lines;
}

// Texts of the terms and privacy pages may hold line breaks.
std::string pageText(const SettingsFile& file, const char* key) {
  return file.lines(kSection, key, "");
}

std::string invoiceNumberPattern(const SettingsFile& file) {
  std::string pattern = file.text(kSection, "invoice_number", kDefaultInvoiceNumberPattern);
  const std::string problem = invoiceNumberPatternProblem(pattern);
  if (!problem.empty()) {
    throw SettingsError(file.lineOf(kSection, "invoice_number") + "[merchant] invoice_number " +
                        problem + ", not \"" + pattern + "\"");
  }
  return pattern;
}

}  // namespace

MerchantSettings MerchantSettings::read(const SettingsFile& file) {
  MerchantSettings merchant;
  merchant.name = file.text(kSection, "name", "");
  merchant.address = addressLines(file);
  merchant.email = file.text(kSection, "email", "");
  if (!merchant.email.empty()) merchant.email = file.email(kSection, "email", "");
  merchant.phone = file.text(kSection, "phone", "");
  merchant.logo = file.text(kSection, "logo", "");
  merchant.terms = pageText(file, "terms");
  merchant.privacy = pageText(file, "privacy");
  // An empty currency keeps the default.
  std::string currency = file.text(kSection, "currency", "");
  if (!currency.empty()) merchant.currency = std::move(currency);
  merchant.taxId = file.text(kSection, "tax_id", "");
  merchant.paymentNote = file.lines(kSection, "payment_note", "");
  merchant.invoiceNumber = invoiceNumberPattern(file);
  merchant.paper =
      file.choice(kSection, "paper", "A4", {"A4", "Letter"}) == "Letter" ? PaperSize::Letter
                                                                        : PaperSize::A4;
  return merchant;
}

std::string MerchantSettings::shopName() const {
  return name.empty() ? "On-Line Store" : name;
}

}  // namespace vendaro
