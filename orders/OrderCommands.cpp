#include "orders/OrderCommands.h"

#include <chrono>
#include <memory>
#include <optional>

#include "orders/OrderIntake.h"
#include "orders/OrderListing.h"
#include "orders/OrderTables.h"
#include "platform/BlockingEventLoop.h"
#include "platform/ControlEscapingBuffer.h"
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
    terminal_ << TerminalControl{"\r"} << done << " of " << total << std::flush;
  }
  void clear() {
    if (!visible_) return;
    visible_ = false;
    terminal_ << TerminalControl{"\r\x1b[K"} << std::flush;
  }

 private:
  std::ostream& terminal_;
  bool shown_;
  bool visible_ = false;
  std::chrono::steady_clock::time_point last_;
};
constexpr const char* kOrdersPrefix = "vendaro orders: ";

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
    out << "orders flagged by the price check: " << flagged << " (vendaro order ID shows why)\n";
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
  std::optional<OrderStatus> wanted;
  if (!options.status.empty() && !(wanted = statusNamed(options.status))) {
    err << kOrdersPrefix << "unknown status \"" << options.status << "\"; use " << statusNames()
        << "\n";
    return kOrdersCommandFailed;
  }
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
  try {
    writeOrderListing(database, options.csv ? OrderListingFormat::Csv : OrderListingFormat::Text,
                      options.cardNumbers ? CardDetails::Shown : CardDetails::Masked, out, wanted);
  } catch (const DataError& failure) {
    err << kOrdersPrefix << "cannot read the orders: " << failure.what() << "\n";
    return kOrdersCommandFailed;
  }
  return 0;
}

}  // namespace vendaro
