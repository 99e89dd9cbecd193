#pragma once

#include <filesystem>
#include <ostream>
#include <string>

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
};

// Shows one order with its lines, price check verdict, status and history
// (card number masked, no expiry date), or moves it to another status.
// Returns 0; 2 with a message for an unknown order or status, a change the
// workflow does not allow, or a database that cannot be used.
int runOrderCommand(const OrderCommandOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
