#include "orders/CustomerMail.h"

#include <utility>

#include "common/TextFile.h"
#include "orders/OrderNumbers.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr const char* kSubjectLabel = "Subject: ";

std::string oneLine(std::string_view value) {
  std::string line;
  for (const char c : value) line += (c == '\r' || c == '\n') ? ' ' : c;
  return std::string(text::trimmed(line));
}

std::string cell(const DbValue& value) { return std::string(text::trimmed(value.toText())); }

// An amount as the mail shows it: "54.12" for "$$$ 54.12"; other texts as they are.
std::string amount(const DbValue& value) {
  const std::string text = cell(value);
  const std::optional<std::int64_t> cents = centsOf(text);
  return cents ? moneyText(*cents) : text;
}

// Replaces every "{name}" of `values` in `text`; other braces stay.
std::string filledIn(const std::string& text,
                     const std::vector<std::pair<std::string, std::string>>& values) {
  std::string result;
  for (std::size_t at = 0; at < text.size();) {
    bool replaced = false;
    if (text[at] == '{') {
      for (const auto& [name, value] : values) {
        const std::string placeholder = "{" + name + "}";
        if (text.compare(at, placeholder.size(), placeholder) == 0) {
          result += value;
          at += placeholder.size();
          replaced = true;
          break;
        }
      }
    }
    if (!replaced) result += text[at++];
  }
  return result;
}

std::vector<std::pair<std::string, std::string>> placeholderValues(const OrderNotice& notice) {
  std::string lines;
  for (const std::string& line : notice.lines) lines += "  " + line + "\n";
  if (!lines.empty()) lines.pop_back();
  return {{"order_id", std::to_string(notice.orderId)},
          {"name", notice.name},
          {"email", notice.email},
          {"lines", lines},
          {"products", notice.products},
          {"sales_tax", notice.salesTax},
          {"shipping", notice.shipping},
          {"total", notice.total},
          {"carrier", notice.carrier},
          {"tracking", notice.tracking}};
}

bool isAscii(const std::string& text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// RFC 2047 "Q" encoding of a header text that is not ASCII.
std::string encodedWord(const std::string& text) {
  if (isAscii(text)) return text;
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded = "=?UTF-8?Q?";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ') {
      encoded += '_';
    } else if (byte >= 0x80 || byte == '=' || byte == '?' || byte == '_' || byte < 0x20) {
      encoded += '=';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    } else {
      encoded += c;
    }
  }
  return encoded + "?=";
}

std::string withCrLf(const std::string& text) {
  std::string result;
  for (const char c : text) {
    if (c == '\r') continue;
    if (c == '\n') result += '\r';
    result += c;
  }
  return result;
}

}  // namespace

bool isNotifiedStatus(OrderStatus status) {
  return status == OrderStatus::Confirmed || status == OrderStatus::Shipped ||
         status == OrderStatus::Cancelled;
}

MailTemplate defaultMailTemplate(OrderStatus status) {
  const std::string order = "Your order {order_id}";
  const std::string summary = "\n\n{lines}\n\nProducts: {products}\nSales tax: {sales_tax}\n"
                              "Shipping: {shipping}\nTotal: {total}\n";
  switch (status) {
    case OrderStatus::Shipped:
      return {order + " is on its way",
              "Dear {name},\n\nyour order {order_id} has been shipped with {carrier}; the "
              "tracking code is {tracking}." +
                  summary + "\nThank you for your order.\n"};
    case OrderStatus::Cancelled:
      return {order + " has been cancelled",
              "Dear {name},\n\nyour order {order_id} has been cancelled." + summary +
                  "\nIf you did not ask for this, please answer this mail.\n"};
    default:
      break;
  }
  return {order + " is confirmed",
          "Dear {name},\n\nthank you for your order {order_id}; we have confirmed it." + summary +
              "\nWe will write again when it ships.\n"};
}

std::string mailTemplateText(const MailTemplate& mailTemplate) {
  return kSubjectLabel + mailTemplate.subject + "\n\n" + mailTemplate.body;
}

std::optional<MailTemplate> readMailTemplate(const std::string& text) {
  if (text.rfind(kSubjectLabel, 0) != 0) return std::nullopt;
  const std::size_t start = std::string_view(kSubjectLabel).size();
  const std::size_t end = text.find('\n');
  MailTemplate mailTemplate;
  mailTemplate.subject =
      oneLine(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
  if (end == std::string::npos) return mailTemplate;
  std::string body = text.substr(end + 1);
  // The empty line after the subject.
  if (!body.empty() && body.front() == '\r') body.erase(0, 1);
  if (!body.empty() && body.front() == '\n') body.erase(0, 1);
  mailTemplate.body = std::move(body);
  return mailTemplate;
}

MailTemplate mailTemplateFor(const std::filesystem::path& appFolder, OrderStatus status,
                             std::string& problem) {
  const std::filesystem::path file =
      appFolder / kMailTemplateFolder / (std::string(statusName(status)) + ".txt");
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return defaultMailTemplate(status);
  const std::optional<std::string> text = readWholeFile(file);
  std::optional<MailTemplate> own = text ? readMailTemplate(*text) : std::nullopt;
  if (own) return *own;
  problem = file.string() + " does not begin with \"Subject: \"; the built-in text is used";
  return defaultMailTemplate(status);
}

std::optional<OrderNotice> readOrderNotice(Database& database, std::int64_t orderId) {
  const QueryResult order = database.query(
      "SELECT COALESCE(NULLIF(TRIM(BillName), ''), ShipName, ''), EMail1, SalesTax, "
      "ShippingCost, Total FROM [Orders] WHERE OrderID = ?",
      {DbValue(orderId)});
  if (order.rows.empty()) return std::nullopt;
  const auto& row = order.rows[0];
  OrderNotice notice;
  notice.orderId = orderId;
  notice.name = oneLine(row[0].toText());
  notice.email = oneLine(row[1].toText());
  notice.salesTax = amount(row[2]);
  notice.shipping = amount(row[3]);
  notice.total = amount(row[4]);
  const QueryResult lines = database.query(
      "SELECT ProductID, Quantity, Price, LineTotal FROM [Order Details] WHERE OrderID = ? "
      "ORDER BY rowid",
      {DbValue(orderId)});
  std::int64_t products = 0;
  for (const auto& line : lines.rows) {
    notice.lines.push_back(cell(line[1]) + " x " + cell(line[0]) + " at " + cell(line[2]) +
                           " = " + cell(line[3]));
    products += centsOf(cell(line[3])).value_or(0);
  }
  notice.products = moneyText(products);
  return notice;
}

OutgoingMail composeCustomerMail(const MailTemplate& mailTemplate, const OrderNotice& notice,
                                 const std::string& from, const std::string& date,
                                 const std::string& messageId) {
  const auto values = placeholderValues(notice);
  const std::string subject = oneLine(filledIn(mailTemplate.subject, values));
  std::string message = "From: " + oneLine(from) + "\r\nTo: " + oneLine(notice.email) +
                        "\r\nSubject: " + encodedWord(subject) + "\r\nDate: " + oneLine(date) +
                        "\r\nMessage-ID: <" + oneLine(messageId) +
                        ">\r\nMIME-Version: 1.0\r\n"
                        "Content-Type: text/plain; charset=UTF-8\r\n"
                        "Content-Transfer-Encoding: 8bit\r\n\r\n";
  message += withCrLf(filledIn(mailTemplate.body, values));
  if (message.size() < 2 || message.compare(message.size() - 2, 2, "\r\n") != 0) message += "\r\n";
  return {oneLine(from), oneLine(notice.email), std::move(message)};
}

}  // namespace vendaro
