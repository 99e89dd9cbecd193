#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Database.h"

namespace vendaro {

// What the printed documents show of one order, money in cents.
struct OrderSheet {
  struct Line {
    std::string item;
    std::string quantity;
    std::int64_t priceCents = 0;
    std::int64_t totalCents = 0;
  };
  std::int64_t orderId = 0;
  std::string orderDate;
  std::string customer;               // the billing name, else the shipping name, else the sender
  std::vector<std::string> billing;   // address lines, name first
  std::vector<std::string> shipping;  // the billing lines when the order names no shipping address
  std::string email;
  std::vector<Line> lines;
  std::int64_t taxCents = 0;
  std::int64_t shippingCents = 0;
  std::string shippingMethod;

  std::int64_t productsCents() const;
  // Products, sales tax and shipping.
  std::int64_t totalCents() const;
};

// The order as stored; nothing when there is no such order. Amounts that
// are not money count as 0; a line total that is not money is the unit
// price times the quantity.
std::optional<OrderSheet> readOrderSheet(Database& database, std::int64_t orderId);

}  // namespace vendaro
