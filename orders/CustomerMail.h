#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "orders/OrderStatus.h"
#include "platform/Database.h"
#include "platform/MailSender.h"

namespace vendaro {

// The statuses whose change is told to the customer.
bool isNotifiedStatus(OrderStatus status);

// A mail text with placeholders: {order_id}, {name}, {email}, {lines},
// {products}, {sales_tax}, {shipping}, {total}, {carrier}, {tracking}. The
// first line is "Subject: " and the subject, then an empty line, then the body.
struct MailTemplate {
  std::string subject;
  std::string body;
};

// The folder of the application folder where the merchant's own templates
// live, one file per status: "confirmed.txt", "shipped.txt", "cancelled.txt".
inline constexpr const char* kMailTemplateFolder = "mail-templates";

// The built-in text for a notified status.
MailTemplate defaultMailTemplate(OrderStatus status);
// "Subject: ...", an empty line and the body, as a template file holds it.
std::string mailTemplateText(const MailTemplate& mailTemplate);
// Reads a template file's text; nothing when it has no "Subject: " first line.
std::optional<MailTemplate> readMailTemplate(const std::string& text);
// The merchant's template for `status` when there is a readable one, else
// the built-in one; a file that cannot be used is named in `problem`.
MailTemplate mailTemplateFor(const std::filesystem::path& appFolder, OrderStatus status,
                             std::string& problem);

// What a mail about an order says, read from the order database.
struct OrderNotice {
  std::int64_t orderId = 0;
  std::string name;
  std::string email;  // EMail1
  std::vector<std::string> lines;  // "2 x T-1 at 22.40 = 44.80"
  std::string products;
  std::string salesTax;
  std::string shipping;
  std::string total;
  std::string carrier = {};
  std::string tracking = {};
};
// Nothing when the order does not exist.
std::optional<OrderNotice> readOrderNotice(Database& database, std::int64_t orderId);

// The whole message (CR LF line ends, UTF-8 body, the subject encoded when it
// is not ASCII); line breaks in values never reach the headers. `date` is
// RFC 5322 ("Mon, 07 Dec 2026 17:00:00 +0000").
OutgoingMail composeCustomerMail(const MailTemplate& mailTemplate, const OrderNotice& notice,
                                 const std::string& from, const std::string& date,
                                 const std::string& messageId);

}  // namespace vendaro
