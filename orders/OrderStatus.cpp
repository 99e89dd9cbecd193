#include "orders/OrderStatus.h"

#include <array>

namespace vendaro {
namespace {

constexpr std::array<std::string_view, 6> kNames = {"new",     "confirmed", "paid",
                                                   "shipped", "completed", "cancelled"};

int rank(OrderStatus status) {
  return static_cast<int>(status);
}

}  // namespace

std::string_view statusName(OrderStatus status) {
  return kNames[static_cast<std::size_t>(status)];
}

std::optional<OrderStatus> statusNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    if (kNames[i] == name) return static_cast<OrderStatus>(i);
  }
  return std::nullopt;
}

std::string statusNames() {
  std::string names;
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    names += (i == 0 ? "" : i + 1 == kNames.size() ? " or " : ", ") + std::string(kNames[i]);
  }
  return names;
}

std::string statusRefusal(const std::string& orderId, OrderStatus current,
                          const std::set<OrderStatus>& reached, OrderStatus wanted) {
  const std::string order = "Order " + orderId + " ";
  const std::string now = std::string(statusName(current));
  if (wanted == current) return order + "is " + now + " already.";
  if (current == OrderStatus::Completed || current == OrderStatus::Cancelled) {
    return order + "is " + now + "; its status does not change any more.";
  }
  if (wanted == OrderStatus::Cancelled) {
    return reached.count(OrderStatus::Shipped)
               ? order + "is shipped; only an order not yet shipped can be cancelled."
               : std::string();
  }
  if (reached.count(wanted)) {
    return order + "was " + std::string(statusName(wanted)) + " before; it is " + now + " now.";
  }
  // Cash on delivery: paid when the parcel arrives.
  if (wanted == OrderStatus::Paid && current == OrderStatus::Shipped) return {};
  if (rank(wanted) < rank(current)) {
    return order + "is " + now + "; it cannot go back to " + std::string(statusName(wanted)) + ".";
  }
  return {};
}

}  // namespace vendaro
