#pragma once

#include <optional>
#include <ostream>

#include "orders/OrderMail.h"
#include "orders/OrderStatus.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

enum class OrderListingFormat { Text, Csv };

// Writes every order with its lines, by OrderID, values trimmed, reading the
// database row by row (one query, so a listing of any size takes time in
// proportion and the memory of one order).
//
// Text: "Order N", one "  Field: value" line per order field, then
// "  PriceCheck: " with the price check's verdict ("not checked" for an order
// stored before orders were checked), "  Status: " with its status,
// "  Lines: n" and one line per order line; the expiry date is left out, the
// card number masked. CSV: a header row of the order fields (OrderID first),
// the line fields and `PriceCheck`, then one row per order line with its
// order's fields repeated and its verdict last, an order without lines as one
// row; money columns as plain numbers. With `status` only the orders that
// have that status are written. Unless
// `card` is Shown a card number shows only its last four digits and the
// expiry date is an empty cell.
//
// Nothing is written to the database; a database without the order tables
// has no orders. Io when the database cannot be read (what was written
// before stays written).
Done writeOrderListing(Database& database, OrderListingFormat format, CardDetails card,
                       std::ostream& out, const std::optional<OrderStatus>& status = std::nullopt);

}  // namespace vendaro
