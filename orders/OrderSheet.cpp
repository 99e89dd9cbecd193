#include "orders/OrderSheet.h"

#include <cmath>

#include "common/NumberText.h"
#include "orders/OrderNumbers.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr const char* kOrderQuery =
    "SELECT OrderDate, CustomerID, EMail1, ShippingMethodID, ShippingCost, SalesTax, "
    "BillName, BillAddress, BillAddress2, BillCity, BillState, BillPostalCode, "
    "ShipName, ShipAddress, ShipAddress2, ShipCity, ShipState, ShipPostalCode "
    "FROM [Orders] WHERE OrderID = ?";

std::string textOf(const DbValue& value) {
  return std::string(text::trimmed(value.toText()));
}

std::int64_t centsOrZero(const DbValue& value) {
  return centsOf(value.toText()).value_or(0);
}

// Name, the address lines, then "City, ST 62701"; empty parts left out.
std::vector<std::string> addressLines(const std::vector<DbValue>& row, std::size_t first) {
  std::vector<std::string> lines;
  for (std::size_t i = first; i < first + 3; ++i) {
    if (!textOf(row[i]).empty()) lines.push_back(textOf(row[i]));
  }
  std::string place = textOf(row[first + 3]);
  std::string region = textOf(row[first + 4]);
  const std::string postalCode = textOf(row[first + 5]);
  if (!postalCode.empty()) region += (region.empty() ? "" : " ") + postalCode;
  if (!region.empty()) place += (place.empty() ? "" : ", ") + region;
  if (!place.empty()) lines.push_back(place);
  return lines;
}

// "2" for 2, 2.0 and "2.00"; other texts as stored.
std::string quantityText(const DbValue& value) {
  if (value.isReal() && std::floor(value.real()) == value.real()) {
    return trimmedNumberText(static_cast<std::int64_t>(value.real()));
  }
  return textOf(value);
}

OrderSheet::Line lineOf(const std::vector<DbValue>& row) {
  OrderSheet::Line line{textOf(row[0]), quantityText(row[1]), centsOrZero(row[2]), 0};
  const std::optional<std::int64_t> total = centsOf(row[3].toText());
  const std::optional<double> quantity = scriptNumber(row[1].toText());
  line.totalCents = total ? *total
                          : static_cast<std::int64_t>(std::llround(
                                static_cast<double>(line.priceCents) * quantity.value_or(0)));
  return line;
}

}  // namespace

std::int64_t OrderSheet::productsCents() const {
  std::int64_t sum = 0;
  for (const Line& line : lines) sum += line.totalCents;
  return sum;
}

std::int64_t OrderSheet::totalCents() const {
  return productsCents() + taxCents + shippingCents;
}

std::optional<OrderSheet> readOrderSheet(Database& database, std::int64_t orderId) {
  const QueryResult order = database.query(kOrderQuery, {DbValue(orderId)});
  if (order.rows.empty()) return std::nullopt;
  const std::vector<DbValue>& row = order.rows[0];
  OrderSheet sheet;
  sheet.orderId = orderId;
  sheet.orderDate = textOf(row[0]);
  sheet.email = textOf(row[2]);
  sheet.shippingMethod = textOf(row[3]);
  sheet.shippingCents = centsOrZero(row[4]);
  sheet.taxCents = centsOrZero(row[5]);
  sheet.billing = addressLines(row, 6);
  sheet.shipping = addressLines(row, 12);
  if (sheet.shipping.empty()) sheet.shipping = sheet.billing;
  sheet.customer = !textOf(row[6]).empty()    ? textOf(row[6])
                   : !textOf(row[12]).empty() ? textOf(row[12])
                                              : textOf(row[1]);
  const QueryResult lines = database.query(
      "SELECT ProductID, Quantity, Price, LineTotal FROM [Order Details] WHERE OrderID = ? "
      "ORDER BY rowid",
      {DbValue(orderId)});
  for (const auto& line : lines.rows) sheet.lines.push_back(lineOf(line));
  return sheet;
}

}  // namespace vendaro
