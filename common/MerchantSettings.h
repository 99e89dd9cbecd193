#pragma once

#include <string>
#include <vector>

#include "common/InvoiceNumberPattern.h"
#include "platform/PrintedDocument.h"
#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [merchant]: who sells. The responsive shop shows it in its header, footer,
// terms and privacy pages; invoices, packing slips and credit notes print it
// with the tax number and payment note, numbered by `invoice_number`, on
// `paper` ("A4" or "Letter").
struct MerchantSettings {
  std::string name;                  // the shop's name; empty: "On-Line Store"
  std::vector<std::string> address;  // lines; a text is one line
  std::string email;
  std::string phone;
  std::string logo;     // picture address, relative to the site or http(s)
  std::string terms;    // text of the terms page; paragraphs split at empty lines
  std::string privacy;  // text of the privacy page
  std::string currency = "$";
  std::string taxId;
  std::string paymentNote;  // may run over several lines
  std::string invoiceNumber = kDefaultInvoiceNumberPattern;
  PaperSize paper = PaperSize::A4;

  static MerchantSettings read(const SettingsFile& file);

  // The name shown for the shop.
  std::string shopName() const;
};

}  // namespace vendaro
