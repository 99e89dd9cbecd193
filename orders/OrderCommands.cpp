#include "orders/OrderCommands.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include "orders/OrderChecks.h"
#include "orders/OrderIntake.h"
#include "orders/OrderTables.h"
#include "orders/OrderViewer.h"
#include "orders/OrderWorkflow.h"
#include "platform/BlockingEventLoop.h"
#include "platform/HeadlessDialogs.h"
#include "platform/Text.h"
#include "platform/curl/CurlMailClient.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

// Message boxes of a headless run go to the output; errors to the error stream.
constexpr const char* kGetOrdersPrefix = "vendaro get-orders: ";

// "n of N" on one line of a terminal, at most every kProgressIntervalMs.
class ProgressLine {
 public:
  static constexpr int kProgressIntervalMs = 100;
  ProgressLine(std::ostream& terminal, bool shown) : terminal_(terminal), shown_(shown) {}

  void show(int done, int total) {
    if (!shown_) return;
    const auto now = std::chrono::steady_clock::now();
    if (done < total && visible_ && now - last_ < std::chrono::milliseconds(kProgressIntervalMs)) {
      return;
    }
    last_ = now;
    visible_ = true;
    terminal_ << "\r" << done << " of " << total << std::flush;
  }
  void clear() {
    if (!visible_) return;
    visible_ = false;
    terminal_ << "\r\x1b[K" << std::flush;
  }

 private:
  std::ostream& terminal_;
  bool shown_;
  bool visible_ = false;
  std::chrono::steady_clock::time_point last_;
};
constexpr const char* kOrdersPrefix = "vendaro orders: ";

// A cell a spreadsheet would evaluate (=, +, -, @, tab, CR first) gets a
// leading "'", so customer text stays text.
std::string csvField(const std::string& text) {
  const bool formula =
      !text.empty() && std::string_view("=+-@\t\r").find(text[0]) != std::string_view::npos;
  const std::string value = formula ? "'" + text : text;
  if (value.find_first_of(",\"\r\n") == std::string::npos) return value;
  std::string quoted = "\"";
  for (const char c : value) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

void writeCsvRow(std::ostream& out, const std::vector<std::string>& fields) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    out << (i ? "," : "") << csvField(fields[i]);
  }
  out << "\r\n";
}

// The order fields as the viewer's record set names them, and their values.
std::vector<std::string> orderFieldNames(frmOrders& viewer) {
  std::vector<std::string> names;
  Recordset& orders = viewer.datPrimaryRS.recordset();
  for (int i = 0; i < orders.fieldCount(); ++i) names.push_back(orders.fieldAt(i).Name());
  return names;
}

bool isFieldNamed(const std::string& name, std::string_view wanted) {
  return std::equal(name.begin(), name.end(), wanted.begin(), wanted.end(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

constexpr std::string_view kCardNumberField = "CCNumber";
constexpr const char* kOrderIdField = "OrderID";
// The last CSV column: the verdict of the price check.
constexpr const char* kPriceCheckColumn = "PriceCheck";
constexpr std::string_view kCardExpiryField = "CCExp";

// The current order's values; card details masked unless asked for.
std::vector<std::string> orderFieldValues(frmOrders& viewer, CardDetails card) {
  std::vector<std::string> values;
  Recordset& orders = viewer.datPrimaryRS.recordset();
  for (int i = 0; i < orders.fieldCount(); ++i) {
    const std::string& name = orders.fieldAt(i).Name();
    std::string value = orders.fieldAt(i).Value().toText();
    if (card == CardDetails::Masked && isFieldNamed(name, kCardNumberField)) {
      value = maskedCardNumber(value);
    } else if (card == CardDetails::Masked && isFieldNamed(name, kCardExpiryField)) {
      value.clear();
    }
    values.push_back(std::move(value));
  }
  return values;
}

// The grid columns after its OrderID column.
constexpr std::size_t kFirstLineColumn = 1;
const std::vector<std::string> kLineFields = {"ProductID", "Quantity", "Price", "LineTotal"};

std::vector<std::string> lineValues(const std::vector<std::string>& gridRow) {
  std::vector<std::string> values;
  for (std::size_t i = kFirstLineColumn; i < gridRow.size(); ++i) values.push_back(gridRow[i]);
  return values;
}

// The price check's verdict of the current order.
std::string currentVerdict(frmOrders& viewer, const std::map<std::int64_t, std::string>& verdicts) {
  const DbValue id = viewer.datPrimaryRS.recordset().Fields(kOrderIdField).Value();
  const auto found = id.isInteger() ? verdicts.find(id.integer()) : verdicts.end();
  return found == verdicts.end() ? kVerdictNotChecked : found->second;
}

OrderStatus currentStatus(frmOrders& viewer,
                          const std::map<std::int64_t, OrderStatus>& statuses) {
  const DbValue id = viewer.datPrimaryRS.recordset().Fields(kOrderIdField).Value();
  const auto found = id.isInteger() ? statuses.find(id.integer()) : statuses.end();
  return found == statuses.end() ? OrderStatus::New : found->second;
}

void writeCsvOrder(std::ostream& out, frmOrders& viewer, CardDetails card,
                   const std::string& verdict) {
  const std::vector<std::string> order = orderFieldValues(viewer, card);
  if (viewer.grdDataGrid.rows.empty()) {
    std::vector<std::string> row = order;
    row.resize(order.size() + kLineFields.size());
    row.push_back(verdict);
    writeCsvRow(out, row);
    return;
  }
  for (const auto& gridRow : viewer.grdDataGrid.rows) {
    std::vector<std::string> row = order;
    for (const std::string& value : lineValues(gridRow)) row.push_back(value);
    row.push_back(verdict);
    writeCsvRow(out, row);
  }
}

void writeTextOrder(std::ostream& out, frmOrders& viewer, const std::string& verdict,
                    OrderStatus status) {
  const std::vector<std::string> names = orderFieldNames(viewer);
  const std::vector<std::string> values = orderFieldValues(viewer, CardDetails::Masked);
  out << "Order " << values.front() << "\n";
  for (std::size_t i = 1; i < names.size(); ++i) {
    if (isFieldNamed(names[i], kCardExpiryField)) continue;
    out << "  " << names[i] << ": " << values[i] << "\n";
  }
  out << "  " << kPriceCheckColumn << ": " << verdict << "\n";
  out << "  Status: " << statusName(status) << "\n";
  out << "  Lines: " << viewer.grdDataGrid.rows.size() << "\n";
  for (const auto& gridRow : viewer.grdDataGrid.rows) {
    const std::vector<std::string> line = lineValues(gridRow);
    out << "   ";
    for (std::size_t i = 0; i < line.size(); ++i) out << (i ? " | " : " ") << line[i];
    out << "\n";
  }
}

}  // namespace

int runGetOrdersCommand(const GetOrdersOptions& options, const MailSettings& settings,
                        std::ostream& out, std::ostream& err) {
  const std::optional<std::string> password =
      readMailboxPassword(options.passwordFile, kGetOrdersPrefix, err);
  if (!password) return kOrdersCommandFailed;
  SqliteDatabase database(options.appFolder / kProgramDatabaseFile);
  try {
    createOrderTables(database);
  } catch (const DataError& error) {
    err << kGetOrdersPrefix << "cannot open the order database: " << error.what() << "\n";
    return kOrdersCommandFailed;
  }

  BlockingEventLoop loop;
  HeadlessDialogs dialogs = printingDialogs(out, err, options.questionAnswer);
  OrderIntake intake(
      OrderIntakePlatform{
          loop, dialogs, settings, database, {}, options.appFolder / kIntakeLockFile},
      std::make_unique<CurlMailClient>(loop, options.timeouts));
  MailAccount account = options.mailbox;
  account.password = *password;
  intake.useAccount(account);
  intake.chkHostDelete.setValue(options.deleteMessages ? 1 : 0);
  intake.orderStore.logCardDetails = CardDetails::Masked;
  intake.orderStore.checkOrdersAgainst(options.appFolder);

  // The log is printed as it grows, so a mailbox of any size needs no more memory.
  ProgressLine progress(err, options.showProgress);
  intake.onLog = [&](const std::string& lines) {
    progress.clear();
    out << text::withLf(lines);
  };
  intake.onMessageDone = [&](int done, int total) {
    intake.List3.Clear();
    progress.show(done, total);
  };

  const IntakeResult result = runIntakeToEnd(intake, loop);
  progress.clear();

  out << "orders stored: " << result.stored << "\n";
  if (const int flagged = intake.orderStore.ordersFlagged()) {
    out << "orders flagged by the price check: " << flagged << " (vendaro orders shows why)\n";
  }
  if (result.completed && result.failed > 0) {
    err << kGetOrdersPrefix << result.failed
        << " message(s) could not be stored; they stay on the server for the next run\n";
    return kOrdersCommandFailed;
  }
  if (!result.completed) {
    err << kGetOrdersPrefix
        << (result.error.empty() ? "the intake did not start"
                                 : "the intake failed: " + result.error)
        << "\n";
    return kOrdersCommandFailed;
  }
  return 0;
}

int runOrdersCommand(const ListOrdersOptions& options, std::ostream& out, std::ostream& err) {
  // Listing only reads: a mistyped folder is reported, not made.
  const std::filesystem::path file = options.appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << kOrdersPrefix << "there is no order database " << file.string()
        << " (is the application folder right?)\n";
    std::error_code ignored;
    if (std::filesystem::is_empty(options.appFolder, ignored)) {
      std::filesystem::remove(options.appFolder, ignored);  // made just now for this run
    }
    return kOrdersCommandFailed;
  }
  SqliteDatabase database(file);
  HeadlessDialogs dialogs = printingDialogs(err, err, options.questionAnswer);
  frmOrders viewer(database, dialogs);
  std::optional<OrderStatus> wanted;
  if (!options.status.empty() && !(wanted = statusNamed(options.status))) {
    err << kOrdersPrefix << "unknown status \"" << options.status << "\"; use " << statusNames()
        << "\n";
    return kOrdersCommandFailed;
  }
  std::map<std::int64_t, std::string> verdicts;
  std::map<std::int64_t, OrderStatus> statuses;
  try {
    createOrderTables(database);
    createOrderCheckTables(database);
    verdicts = storedVerdicts(database);
    statuses = OrderWorkflow(database).statuses();
    viewer.datPrimaryRS.Refresh();
  } catch (const DataError& failure) {
    err << kOrdersPrefix << "cannot read the orders: " << failure.what() << "\n";
    return kOrdersCommandFailed;
  }
  Recordset& orders = viewer.datPrimaryRS.recordset();
  if (options.csv) {
    std::vector<std::string> header = orderFieldNames(viewer);
    header.insert(header.end(), kLineFields.begin(), kLineFields.end());
    header.push_back(kPriceCheckColumn);
    writeCsvRow(out, header);
  } else if (orders.RecordCount() == 0) {
    out << "No orders.\n";
  }
  for (; !orders.Eof(); orders.MoveNext()) {
    const OrderStatus status = currentStatus(viewer, statuses);
    if (wanted && status != *wanted) continue;
    const std::string verdict = currentVerdict(viewer, verdicts);
    if (options.csv)
      writeCsvOrder(out, viewer, options.cardNumbers ? CardDetails::Shown : CardDetails::Masked,
                    verdict);
    else
      writeTextOrder(out, viewer, verdict, status);
  }
  return 0;
}

}  // namespace vendaro
