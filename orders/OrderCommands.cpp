#include "orders/OrderCommands.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

#include "intake/MailIntakeSession.h"
#include "intake/MailboxWatch.h"
#include "orders/OrderListing.h"
#include "orders/OrderMailStore.h"
#include "orders/OrderTables.h"
#include "platform/BlockingEventLoop.h"
#include "platform/ControlEscapingBuffer.h"
#include "platform/HeadlessDialogs.h"
#include "platform/Text.h"
#include "platform/curl/MailClients.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {

int failOrderCommand(std::ostream& err, std::string_view prefix, const Error& error,
                     std::string_view ioLead) {
  err << prefix << (error.kind == ErrorKind::Io ? ioLead : std::string_view()) << error.message
      << "\n";
  return kOrdersCommandFailed;
}

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

namespace {

// The get-orders run: the order intake session with its printed log and progress.
class PrintedOrderIntake {
 public:
  PrintedOrderIntake(const GetOrdersOptions& options, const MailSettings& settings,
                     Database& database, BlockingEventLoop& loop, Dialogs& dialogs,
                     std::ostream& out, std::ostream& err)
      : loop_(loop),
        out_(out),
        progress_(err, options.showProgress),
        store_(database, {}),
        session_(loop, dialogs,
                 makeMailClient(loop, options.mailbox.protocol, settings, options.timeouts),
                 store_) {
    session_.lockFile = options.appFolder / kIntakeLockFile;
    session_.deletesStored = options.deleteMessages;
    store_.logCardDetails = CardDetails::Masked;
    store_.checkOrdersAgainst(options.appFolder);
    // The log is printed as it grows, so a mailbox of any size needs no more memory.
    session_.events.log = [this](const std::string& lines) {
      progress_.clear();
      out_ << text::withLf(lines) << std::flush;
    };
    session_.events.message = [this](const MessageOutcome& message) {
      progress_.show(message.number, message.total);
    };
  }

  IntakeResult take(const MailAccount& account) {
    const IntakeResult result = runIntakeToEnd(session_, loop_, account);
    progress_.clear();
    return result;
  }
  MailIntakeSession& session() { return session_; }
  int ordersFlagged() const { return store_.ordersFlagged(); }

 private:
  BlockingEventLoop& loop_;
  std::ostream& out_;
  ProgressLine progress_;
  OrderMailStore store_;
  MailIntakeSession session_;
};

int reportIntake(const IntakeResult& result, int flagged, std::ostream& out, std::ostream& err) {
  out << "orders stored: " << result.stored << "\n";
  if (flagged > 0) {
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

// Orders as they arrive, until a signal stops the command.
int watchForOrders(const GetOrdersOptions& options, const MailSettings& settings,
                   Database& database, std::ostream& out, std::ostream& err) {
  BlockingEventLoop loop;
  std::unique_ptr<MailWaiter> waiter = makeMailWaiter(
      options.mailbox.protocol, std::chrono::seconds(options.pollSeconds), options.timeouts);
  MailIntakeSession* running = nullptr;
  // Before any thread starts, so that every thread leaves the signals to it.
  StopOnSignals stop([&loop, &waiter, &running] {
    waiter->stop();
    loop.post([&running] {
      if (running) running->stopAfterCurrentMessage();
    });
  });
  // An empty mailbox is the usual state of a watched one: not worth a line.
  HeadlessDialogs dialogs(
      [&out, &err](const std::string& text, MessageIcon icon) {
        if (text == MailIntakeSession::kNoMail) return;
        (icon == MessageIcon::Critical || text.rfind("AsyncError", 0) == 0 ? err : out)
            << text << "\n" << std::flush;
      },
      options.questionAnswer);
  PrintedOrderIntake intake(options, settings, database, loop, dialogs, out, err);
  running = &intake.session();

  MailboxWatchRounds rounds;
  rounds.account = [&]() -> std::optional<MailAccount> {
    MailAccount account = options.mailbox;
    if (!readMailboxSecret(account, options.passwordFile, options.tokenCommand, kGetOrdersPrefix,
                           err)) {
      return std::nullopt;
    }
    return account;
  };
  rounds.takeMail = [&](const MailAccount& account) {
    const IntakeResult result = intake.take(account);
    if (result.stored > 0) out << "orders stored: " << result.stored << "\n" << std::flush;
    return result;
  };
  rounds.pause = [&stop](std::chrono::milliseconds length) {
    const auto until = std::chrono::steady_clock::now() + length;
    while (!stop.requested() && std::chrono::steady_clock::now() < until) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  };
  out << "Watching the mailbox of " << options.mailbox.user << " at " << options.mailbox.host
      << "; Ctrl+C stops.\n"
      << std::flush;
  return watchMailbox(rounds, *waiter, stop, out, err, kGetOrdersPrefix);
}

}  // namespace

int runGetOrdersCommand(const GetOrdersOptions& options, const MailSettings& settings,
                        std::ostream& out, std::ostream& err) {
  MailAccount account = options.mailbox;
  if (!options.watch && !readMailboxSecret(account, options.passwordFile, options.tokenCommand,
                                           kGetOrdersPrefix, err)) {
    return kOrdersCommandFailed;
  }
  SqliteDatabase database(options.appFolder / kProgramDatabaseFile);
  if (const Done tables = prepareOrderTables(database); !tables) {
    return failOrderCommand(err, kGetOrdersPrefix, tables.error(),
                            "cannot open the order database: ");
  }
  if (options.watch) return watchForOrders(options, settings, database, out, err);

  BlockingEventLoop loop;
  HeadlessDialogs dialogs = printingDialogs(out, err, options.questionAnswer);
  PrintedOrderIntake intake(options, settings, database, loop, dialogs, out, err);
  const IntakeResult result = intake.take(account);
  return reportIntake(result, intake.ordersFlagged(), out, err);
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
  const Done listed = writeOrderListing(
      database, options.csv ? OrderListingFormat::Csv : OrderListingFormat::Text,
      options.cardNumbers ? CardDetails::Shown : CardDetails::Masked, out, wanted);
  if (!listed)
    return failOrderCommand(err, kOrdersPrefix, listed.error(), "cannot read the orders: ");
  return 0;
}

}  // namespace vendaro
