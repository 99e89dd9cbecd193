#include "orders/OrderCommand.h"

#include <charconv>
#include <map>
#include <optional>

#include "common/Dates.h"
#include "orders/CustomerMail.h"
#include "orders/OrderChecks.h"
#include "orders/OrderCommands.h"
#include "orders/OrderMail.h"
#include "orders/OrderTables.h"
#include "orders/OrderWorkflow.h"
#include "orders/StatusMail.h"
#include "platform/Text.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

constexpr const char* kPrefix = "vendaro order: ";

std::optional<std::int64_t> orderNumber(const std::string& text) {
  std::int64_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || number <= 0) return std::nullopt;
  return number;
}

void showFields(Database& database, std::int64_t orderId, std::ostream& out) {
  const QueryResult order =
      database.query("SELECT * FROM [Orders] WHERE OrderID = ?", {DbValue(orderId)});
  out << "Order " << orderId << "\n";
  for (std::size_t i = 0; i < order.columns.size(); ++i) {
    const std::string& name = order.columns[i];
    std::string value = order.rows[0][i].toText();
    if (text::equalsIgnoringCase(name, "OrderID") || text::equalsIgnoringCase(name, "CCExp")) {
      continue;
    }
    if (text::equalsIgnoringCase(name, "CCNumber")) value = maskedCardNumber(value);
    out << "  " << name << ": " << value << "\n";
  }
}

void showLines(Database& database, std::int64_t orderId, std::ostream& out) {
  const QueryResult lines = database.query(
      "SELECT ProductID, Quantity, Price, LineTotal FROM [Order Details] WHERE OrderID = ? "
      "ORDER BY rowid",
      {DbValue(orderId)});
  out << "  Lines: " << lines.rows.size() << "\n";
  for (const auto& row : lines.rows) {
    out << "   ";
    for (std::size_t i = 0; i < row.size(); ++i) out << (i ? " | " : " ") << row[i].toText();
    out << "\n";
  }
}

void showHistory(OrderWorkflow& workflow, std::int64_t orderId, std::ostream& out) {
  const std::vector<StatusChangeRecord> history = workflow.history(orderId);
  out << "  History: " << history.size() << "\n";
  for (const StatusChangeRecord& change : history) {
    out << "    " << change.changed << " " << change.oldStatus << " -> " << change.newStatus;
    if (!change.carrier.empty()) out << ", " << change.carrier << " " << change.tracking;
    if (!change.note.empty()) out << ": " << change.note;
    out << "\n";
  }
}

int showOrder(Database& database, OrderWorkflow& workflow, std::int64_t orderId,
              std::ostream& out) {
  showFields(database, orderId, out);
  const std::map<std::int64_t, std::string> verdicts = storedVerdicts(database);
  const auto verdict = verdicts.find(orderId);
  out << "  PriceCheck: " << (verdict == verdicts.end() ? kVerdictNotChecked : verdict->second)
      << "\n";
  out << "  Status: " << statusName(workflow.status(orderId)) << "\n";
  showLines(database, orderId, out);
  showHistory(workflow, orderId, out);
  return 0;
}

// Queues the customer's mail about the change and sends it.
int notifyCustomer(Database& database, const OrderCommandOptions& options, std::int64_t orderId,
                   OrderStatus status, std::ostream& out, std::ostream& err) {
  const std::optional<QueuedStatusMail> queued =
      queueStatusMail(database, options.appFolder, options.delivery.smtp.from, orderId, status,
                      options.carrier, options.tracking, secondsNow());
  if (!queued) return kOrdersCommandFailed;
  if (!queued->warning.empty()) err << kPrefix << "warning: " << queued->warning << "\n";
  if (!queued->queued) {
    err << kPrefix << "order " << orderId << " already has a mail for " << statusName(status)
        << "; it is not sent twice (vendaro outbox)\n";
    return 1;
  }
  Outbox outbox(database);
  return deliverOutbox(outbox, options.delivery, queued->mailId, out, err);
}

int changeStatus(Database& database, OrderWorkflow& workflow, const OrderCommandOptions& options,
                 std::int64_t orderId, OrderStatus status, std::ostream& out, std::ostream& err) {
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
  const StatusChangeOutcome outcome = workflow.change(
      {orderId, status, options.note, options.carrier, options.tracking}, utcTimeNow());
  if (outcome.kind != StatusChangeOutcome::Kind::Changed) {
    err << kPrefix << outcome.message << "\n";
    return kOrdersCommandFailed;
  }
  out << outcome.message << "\n";
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
  try {
    SqliteDatabase database(file);
    createOrderTables(database);
    createOrderCheckTables(database);
    OrderWorkflow workflow(database, options.appFolder);
    if (status) return changeStatus(database, workflow, options, *orderId, *status, out, err);
    if (!workflow.orderExists(*orderId)) {
      err << kPrefix << "there is no order " << *orderId << "\n";
      return kOrdersCommandFailed;
    }
    return showOrder(database, workflow, *orderId, out);
  } catch (const DataError& error) {
    err << kPrefix << "cannot use the order database: " << error.what() << "\n";
    return kOrdersCommandFailed;
  }
}

}  // namespace vendaro
