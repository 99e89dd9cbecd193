#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "orders/OutboxCommand.h"

namespace vendaro {

// The options of `vendaro order ID`.
struct OrderCommandOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string orderId;
  // Empty: show the order. Else the status to move it to, with an optional
  // note, and for "shipped" the carrier and tracking code.
  std::string status;
  std::string note;
  std::string carrier;
  std::string tracking;
  // Tell the customer (confirmed, shipped and cancelled only) by mail.
  bool notify = false;
  MailDelivery delivery = {};
};

// Shows one order with its lines, price check verdict, status and history
// (card number masked, no expiry date), or moves it to another status.
// With `notify` the mail to the customer is queued in the outbox and sent
// (or written as a file). Returns 0; 1 when the status changed but the mail
// could not be sent (it stays queued); 2 with a message for an unknown order
// or status, a change the workflow does not allow, a notification the status
// does not have or settings it lacks, or a database that cannot be used.
int runOrderCommand(const OrderCommandOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
