#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace vendaro {

// Where an order stands. Orders move forward only (new, confirmed, paid,
// shipped, completed; a step may be left out), except that paid may also
// follow shipped (cash on delivery); cancelled only before shipped.
enum class OrderStatus { New, Confirmed, Paid, Shipped, Completed, Cancelled };

// "new", "confirmed", "paid", "shipped", "completed", "cancelled".
std::string_view statusName(OrderStatus status);
std::optional<OrderStatus> statusNamed(std::string_view name);
// The names, for messages: "new, confirmed, paid, shipped, completed or cancelled".
std::string statusNames();

// Why order `orderId`, now at `current` after passing through `reached`
// (every status it has had), may not go to `wanted`; empty when it may.
std::string statusRefusal(const std::string& orderId, OrderStatus current,
                          const std::set<OrderStatus>& reached, OrderStatus wanted);

}  // namespace vendaro
