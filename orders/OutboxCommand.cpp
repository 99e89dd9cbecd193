#include "orders/OutboxCommand.h"

#include <cstdlib>

#include "common/Dates.h"
#include "common/TextFile.h"
#include "orders/OrderCommands.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {
namespace {

constexpr const char* kPrefix = "vendaro outbox: ";
constexpr const char* kDatabaseLead = "cannot use the order database: ";

std::optional<std::string> smtpPassword(const MailDelivery& delivery) {
  if (delivery.smtp.user.empty()) return std::string();
  if (!delivery.passwordFile.empty()) {
    const std::optional<std::string> text = readWholeFile(delivery.passwordFile);
    if (!text) return std::nullopt;
    return text->substr(0, text->find_first_of("\r\n"));
  }
  const char* value = std::getenv(kSmtpPasswordVariable);
  if (value != nullptr && *value != '\0') return std::string(value);
  if (delivery.keyring) return delivery.keyring->lookup(delivery.smtp.host, delivery.smtp.user);
  return std::nullopt;
}

void describe(const OutboxMail& mail, std::ostream& out) {
  out << mail.id << "  order " << mail.orderId << "  " << mail.event << "  " << mail.recipient
      << "  " << outboxStateName(mail.state);
  if (mail.attempts > 0) out << "  attempts " << mail.attempts;
  if (!mail.error.empty()) out << "  last error: " << mail.error;
  out << "\n";
}

void reportUnknown(const OutboxMail& mail, std::ostream& err) {
  err << "mail " << mail.id << " (order " << mail.orderId << ", " << mail.event << ", to "
      << mail.recipient
      << "): a send was cut off, so whether the server took it is unknown; it is not sent again "
         "unless `vendaro outbox --requeue "
      << mail.id << "` says so\n";
}

}  // namespace

std::string deliveryProblem(const MailDelivery& delivery) {
  if (delivery.smtp.from.empty()) return "[smtp] from is not set in vendaro.toml";
  if (delivery.dryRun) return {};
  if (delivery.smtp.host.empty()) return "[smtp] host is not set in vendaro.toml";
  if (!smtpPassword(delivery)) {
    return "no password for [smtp] user " + delivery.smtp.user + ": set " + kSmtpPasswordVariable +
           ", give --password-file or keep it in the keyring";
  }
  return {};
}

Outcome<int> deliverOutbox(Outbox& outbox, const MailDelivery& delivery,
                           std::optional<std::int64_t> onlyId, std::ostream& out,
                           std::ostream& err) {
  if (delivery.dryRun) {
    std::error_code error;
    std::filesystem::create_directories(delivery.dryRunFolder, error);
    const Outcome<std::vector<std::filesystem::path>> files =
        outbox.writeFiles(delivery.dryRunFolder, onlyId);
    if (!files) return files.error();
    for (const auto& file : *files) {
      out << "wrote " << file.string() << " (not sent; the mail stays in the outbox)\n";
    }
    return 0;
  }
  const std::unique_ptr<MailSender> sender =
      delivery.makeSender(delivery.smtp, smtpPassword(delivery).value_or(""));
  const Outcome<OutboxSendReport> report = outbox.send(*sender, utcTimeNow(), onlyId);
  if (!report) return report.error();
  if (report->sent > 0) out << "mails sent: " << report->sent << "\n";
  for (const OutboxMail& failed : report->failures) {
    err << "mail " << failed.id << " to " << failed.recipient << " was not sent: " << failed.error
        << "; it stays in the outbox for `vendaro outbox --send`\n";
  }
  for (const OutboxMail& unknown : report->unknown) reportUnknown(unknown, err);
  return report->failed > 0 || !report->unknown.empty() ? 1 : 0;
}

int runOutboxCommand(const OutboxCommandOptions& options, std::ostream& out, std::ostream& err) {
  const std::filesystem::path file = options.appFolder / kProgramDatabaseFile;
  if (!std::filesystem::is_regular_file(file)) {
    err << kPrefix << "there is no order database " << file.string() << "\n";
    return kOrdersCommandFailed;
  }
  if (options.send) {
    if (const std::string problem = deliveryProblem(options.delivery); !problem.empty()) {
      err << kPrefix << problem << "\n";
      return kOrdersCommandFailed;
    }
  }
  const auto failed = [&err](const Error& error) {
    return failOrderCommand(err, kPrefix, error, kDatabaseLead);
  };
  SqliteDatabase database(file);
  Outcome<Outbox> outbox = Outbox::open(database);
  if (!outbox) return failed(outbox.error());
  if (options.requeue) {
    if (const Done requeued = outbox->requeue(*options.requeue); !requeued) {
      return failed(requeued.error());
    }
    out << "mail " << *options.requeue << " is queued again\n";
  }
  if (options.send) {
    const Outcome<int> delivered = deliverOutbox(*outbox, options.delivery, std::nullopt, out, err);
    return delivered ? *delivered : failed(delivered.error());
  }
  const Outcome<std::vector<OutboxMail>> waiting = outbox->waiting();
  if (!waiting) return failed(waiting.error());
  if (waiting->empty()) out << "No mails wait.\n";
  for (const OutboxMail& mail : *waiting) describe(mail, out);
  return 0;
}

}  // namespace vendaro
