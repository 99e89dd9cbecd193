#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/Database.h"
#include "platform/MailSender.h"
#include "platform/Outcome.h"

namespace vendaro {

// One mail of the outbox.
struct OutboxMail {
  enum class State { Queued, Unknown, Sent };
  std::int64_t id = 0;
  std::int64_t orderId = 0;
  std::string event;  // the status the mail tells of
  std::string recipient;
  State state = State::Queued;
  int attempts = 0;
  std::string error;  // why the last attempt failed
  std::string queued;
  std::string sent;
};

// What one run of `send` did.
struct OutboxSendReport {
  int sent = 0;
  int failed = 0;
  std::vector<OutboxMail> failures;  // with their errors
  std::vector<OutboxMail> unknown;   // attempts of unknown outcome, left alone
};

// The mails to customers, kept in the order database (`Outbox`) so none is
// lost and none goes out twice. A mail is queued once per order and event.
// Sending records the attempt (state "sending") before handing the mail to
// the server and the outcome after: sent, or queued again with the error.
// A mail found still "sending" was being sent when the program died; whether
// the server took it is unknown, so it is reported and only sent again when
// the merchant asks (`requeue`).
class Outbox {
 public:
  // Makes the table when it is missing (DataError when it cannot).
  explicit Outbox(Database& database);
  // The same for a caller that meets the user: Io when the table cannot be made.
  static Outcome<Outbox> open(Database& database);

  // In the caller's transaction and error handling (they throw DataError):
  // false when the order already has a mail for `event` (it is not queued again).
  bool queue(std::int64_t orderId, const std::string& event, const OutgoingMail& mail,
             const std::string& now);
  std::optional<OutboxMail> find(std::int64_t orderId, const std::string& event);
  std::optional<OutgoingMail> mail(std::int64_t id);

  // The rest give Io when the database cannot be read or written.
  // The queued mails and those of unknown outcome, oldest first.
  Outcome<std::vector<OutboxMail>> waiting();
  // Sends every queued mail (or only `onlyId`); mails of unknown outcome are
  // reported, not sent.
  Outcome<OutboxSendReport> send(MailSender& sender, const std::string& now,
                                 std::optional<std::int64_t> onlyId = std::nullopt);
  // Writes every queued mail (or only `onlyId`) as FOLDER/outbox-ID.eml
  // instead of sending it; the mails stay queued. Returns the files written.
  Outcome<std::vector<std::filesystem::path>> writeFiles(
      const std::filesystem::path& folder, std::optional<std::int64_t> onlyId = std::nullopt);
  // Queues a mail of unknown outcome again; NotFound when `id` is no such mail.
  Done requeue(std::int64_t id);

 private:
  std::vector<OutboxMail> mails(const std::string& condition, const std::vector<DbValue>& values);
  std::vector<OutboxMail> waitingMails();
  OutboxSendReport sendWaiting(MailSender& sender, const std::string& now,
                               std::optional<std::int64_t> onlyId);

  Database& database_;
};

// "queued", "unknown" (an attempt of unknown outcome) or "sent".
std::string outboxStateName(OutboxMail::State state);

}  // namespace vendaro
