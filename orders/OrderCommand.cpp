#include "orders/OrderCommand.h"

#include <charconv>
#include <optional>

#include "common/Dates.h"
#include "orders/CustomerMail.h"
#include "orders/OrderCommands.h"
#include "orders/OrderDetails.h"
#include "orders/OrderMail.h"
#include "orders/OrderWorkflow.h"
#include "orders/StatusMail.h"
#include "platform/Text.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

constexpr const char* kPrefix = "vendaro order: ";
constexpr const char* kDatabaseLead = "cannot use the order database: ";

std::optional<std::int64_t> orderNumber(const std::string& text) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number <= 0) return std::nullopt;
  return number;
}

void showFields(const OrderDetails& order, std::int64_t orderId, std::ostream& out) {
  out << "Order " << orderId << "\n";
  for (const auto& [name, stored] : order.fields) {
    if (text::equalsIgnoringCase(name, "OrderID") || text::equalsIgnoringCase(name, "CCExp")) {
      continue;
    }
    const bool card = text::equalsIgnoringCase(name, "CCNumber");
    out << "  " << name << ": " << (card ? maskedCardNumber(stored) : stored) << "\n";
  }
}

void showLines(const OrderDetails& order, std::ostream& out) {
  out << "  Lines: " << order.lines.size() << "\n";
  for (const auto& line : order.lines) {
    out << "   ";
    for (std::size_t i = 0; i < line.size(); ++i) out << (i ? " | " : " ") << line[i];
    out << "\n";
  }
}

void showHistory(const OrderDetails& order, std::ostream& out) {
  out << "  History: " << order.history.size() << "\n";
  for (const StatusChangeRecord& change : order.history) {
    out << "    " << change.changed << " " << change.oldStatus << " -> " << change.newStatus;
    if (!change.carrier.empty()) out << ", " << change.carrier << " " << change.tracking;
    if (!change.note.empty()) out << ": " << change.note;
    out << "\n";
  }
}

int showOrder(Database& database, const OrderCommandOptions& options, std::int64_t orderId,
              std::ostream& out, std::ostream& err) {
  const Outcome<OrderDetails> order = readOrderDetails(database, options.appFolder, orderId);
  if (!order) return failOrderCommand(err, kPrefix, order.error(), kDatabaseLead);
  showFields(*order, orderId, out);
  out << "  PriceCheck: " << order->verdict << "\n";
  out << "  Status: " << statusName(order->status) << "\n";
  showLines(*order, out);
  showHistory(*order, out);
  return 0;
}

// Queues the customer's mail about the change and sends it.
int notifyCustomer(Database& database, const OrderCommandOptions& options, std::int64_t orderId,
                   OrderStatus status, std::ostream& out, std::ostream& err) {
  const Outcome<QueuedStatusMail> queued =
      queueStatusMail(database, options.appFolder, options.delivery.smtp.from, orderId, status,
                      options.carrier, options.tracking, secondsNow());
  if (!queued) return failOrderCommand(err, kPrefix, queued.error(), kDatabaseLead);
  if (!queued->warning.empty()) err << kPrefix << "warning: " << queued->warning << "\n";
  if (!queued->queued) {
    err << kPrefix << "order " << orderId << " already has a mail for " << statusName(status)
        << "; it is not sent twice (vendaro outbox)\n";
    return 1;
  }
  Outcome<Outbox> outbox = Outbox::open(database);
  if (!outbox) return failOrderCommand(err, kPrefix, outbox.error(), kDatabaseLead);
  const Outcome<int> delivered = deliverOutbox(*outbox, options.delivery, queued->mailId, out, err);
  return delivered ? *delivered : failOrderCommand(err, kPrefix, delivered.error(), kDatabaseLead);
}

int changeStatus(Database& database, const OrderCommandOptions& options, std::int64_t orderId,
                 OrderStatus status, std::ostream& out, std::ostream& err) {
  if (options.notify) {
    if (!isNotifiedStatus(status)) {
      err << kPrefix << "--notify tells the customer of confirmed, shipped and cancelled only\n";
      return kOrdersCommandFailed;
    }
    if (const std::string problem = deliveryProblem(options.delivery); !problem.empty()) {
      err << kPrefix << "cannot notify the customer: " << problem << "\n";
      return kOrdersCommandFailed;
    }
  }
  const Outcome<StatusChanged> changed = changeOrderStatus(
      database, options.appFolder,
      {orderId, status, options.note, options.carrier, options.tracking}, utcTimeNow());
  if (!changed) return failOrderCommand(err, kPrefix, changed.error(), kDatabaseLead);
  out << changed->message << "\n";
  return options.notify ? notifyCustomer(database, options, orderId, status, out, err) : 0;
}

}  // namespace

int runOrderCommand(const OrderCommandOptions& options, std::ostream& out, std::ostream& err) {
  const std::optional<std::int64_t> orderId = orderNumber(options.orderId);
  if (!orderId) {
    err << kPrefix << "\"" << options.orderId << "\" is not an order number\n";
    return kOrdersCommandFailed;
  }
  std::optional<OrderStatus> status;
  if (!options.status.empty()) {
    status = statusNamed(options.status);
    if (!status) {
      err << kPrefix << "unknown status \"" << options.status << "\"; use " << statusNames()
          << "\n";
      return kOrdersCommandFailed;
    }
  }
  const std::filesystem::path file = options.appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << kPrefix << "there is no order database " << file.string() << "\n";
    return kOrdersCommandFailed;
  }
  SqliteDatabase database(file);
  if (status) return changeStatus(database, options, *orderId, *status, out, err);
  return showOrder(database, options, *orderId, out, err);
}

}  // namespace vendaro
