#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "orders/OrderStatus.h"
#include "platform/Database.h"
#include "platform/Outcome.h"

namespace vendaro {

// What queueing the customer's mail about a status change came to.
struct QueuedStatusMail {
  bool queued = false;     // false: the order already has a mail for this status
  std::int64_t mailId = 0;  // the outbox mail (the one already there when not queued)
  std::string warning;     // a template file of the merchant's that could not be used
};

// Composes the mail telling the customer of order `orderId` that it is now
// `status` (the merchant's template or the built-in one, with the carrier
// and tracking code of a shipment) and queues it in the outbox, once per
// order and status. `from` is the sender ([smtp] from); `nowSeconds` dates
// the mail. NotFound when the order does not exist, Io when the database
// cannot be used.
Outcome<QueuedStatusMail> queueStatusMail(Database& database,
                                          const std::filesystem::path& appFolder,
                                          const std::string& from, std::int64_t orderId,
                                          OrderStatus status, const std::string& carrier,
                                          const std::string& tracking, std::int64_t nowSeconds);

}  // namespace vendaro
