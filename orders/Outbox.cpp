#include "orders/Outbox.h"

#include "common/TextFile.h"
#include "platform/DataFailure.h"

namespace vendaro {
namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE IF NOT EXISTS [Outbox] (
  MailID INTEGER PRIMARY KEY AUTOINCREMENT, OrderID INTEGER NOT NULL, Event TEXT NOT NULL,
  Sender TEXT NOT NULL, Recipient TEXT NOT NULL, Message TEXT NOT NULL,
  State TEXT NOT NULL, Attempts INTEGER NOT NULL DEFAULT 0, Error TEXT,
  Queued TEXT NOT NULL, LastAttempt TEXT, Sent TEXT, UNIQUE (OrderID, Event));
)sql";

// The states as the table keeps them.
constexpr const char* kQueued = "queued";
constexpr const char* kSending = "sending";
constexpr const char* kSent = "sent";

constexpr const char* kColumns =
    "SELECT MailID, OrderID, Event, Recipient, State, Attempts, Error, Queued, Sent FROM "
    "[Outbox] ";

OutboxMail::State stateOf(const std::string& name) {
  if (name == kSent) return OutboxMail::State::Sent;
  if (name == kSending) return OutboxMail::State::Unknown;
  return OutboxMail::State::Queued;
}

}  // namespace

std::string outboxStateName(OutboxMail::State state) {
  switch (state) {
    case OutboxMail::State::Unknown:
      return "unknown";
    case OutboxMail::State::Sent:
      return kSent;
    case OutboxMail::State::Queued:
      break;
  }
  return kQueued;
}

Outbox::Outbox(Database& database) : database_(database) {
  database_.createMissingTables({"Outbox"}, kSchema);
}

Outcome<Outbox> Outbox::open(Database& database) {
  try {
    return Outbox(database);
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

bool Outbox::queue(std::int64_t orderId, const std::string& event, const OutgoingMail& mail,
                   const std::string& now) {
  if (find(orderId, event)) return false;
  database_.execute(
      "INSERT INTO [Outbox] (OrderID, Event, Sender, Recipient, Message, State, Queued) "
      "VALUES (?, ?, ?, ?, ?, ?, ?)",
      {DbValue(orderId), DbValue(event), DbValue(mail.from), DbValue(mail.to),
       DbValue(mail.message), DbValue(kQueued), DbValue(now)});
  return true;
}

std::vector<OutboxMail> Outbox::mails(const std::string& condition,
                                      const std::vector<DbValue>& values) {
  std::vector<OutboxMail> found;
  for (const auto& row : database_.query(kColumns + condition, values).rows) {
    found.push_back({row[0].integer(), row[1].integer(), row[2].toText(), row[3].toText(),
                     stateOf(row[4].toText()), static_cast<int>(row[5].integer()), row[6].toText(),
                     row[7].toText(), row[8].toText()});
  }
  return found;
}

std::vector<OutboxMail> Outbox::waitingMails() {
  return mails("WHERE State <> ? ORDER BY MailID", {DbValue(kSent)});
}

Outcome<std::vector<OutboxMail>> Outbox::waiting() {
  try {
    return waitingMails();
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

std::optional<OutboxMail> Outbox::find(std::int64_t orderId, const std::string& event) {
  std::vector<OutboxMail> found =
      mails("WHERE OrderID = ? AND Event = ?", {DbValue(orderId), DbValue(event)});
  if (found.empty()) return std::nullopt;
  return found.front();
}

std::optional<OutgoingMail> Outbox::mail(std::int64_t id) {
  const QueryResult rows = database_.query(
      "SELECT Sender, Recipient, Message FROM [Outbox] WHERE MailID = ?", {DbValue(id)});
  if (rows.rows.empty()) return std::nullopt;
  return OutgoingMail{rows.rows[0][0].toText(), rows.rows[0][1].toText(), rows.rows[0][2].toText()};
}

Outcome<OutboxSendReport> Outbox::send(MailSender& sender, const std::string& now,
                                       std::optional<std::int64_t> onlyId) {
  try {
    return sendWaiting(sender, now, onlyId);
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

OutboxSendReport Outbox::sendWaiting(MailSender& sender, const std::string& now,
                                     std::optional<std::int64_t> onlyId) {
  OutboxSendReport report;
  for (OutboxMail& waitingMail : waitingMails()) {
    if (onlyId && waitingMail.id != *onlyId) continue;
    if (waitingMail.state == OutboxMail::State::Unknown) {
      report.unknown.push_back(std::move(waitingMail));
      continue;
    }
    const std::optional<OutgoingMail> outgoing = mail(waitingMail.id);
    if (!outgoing) continue;
    // The attempt is on the disk before the server sees the mail; a mail
    // another run took meanwhile is left to it.
    const QueryResult claimed = database_.query(
        "UPDATE [Outbox] SET State = ?, Attempts = Attempts + 1, LastAttempt = ? "
        "WHERE MailID = ? AND State = ? RETURNING MailID",
        {DbValue(kSending), DbValue(now), DbValue(waitingMail.id), DbValue(kQueued)});
    if (claimed.rows.empty()) continue;
    database_.makeDurable();
    const SendResult result = sender.send(*outgoing);
    if (result.sent) {
      database_.execute("UPDATE [Outbox] SET State = ?, Sent = ?, Error = NULL WHERE MailID = ?",
                        {DbValue(kSent), DbValue(now), DbValue(waitingMail.id)});
      ++report.sent;
    } else {
      database_.execute("UPDATE [Outbox] SET State = ?, Error = ? WHERE MailID = ?",
                        {DbValue(kQueued), DbValue(result.error), DbValue(waitingMail.id)});
      ++report.failed;
      waitingMail.error = result.error;
      ++waitingMail.attempts;
      report.failures.push_back(std::move(waitingMail));
    }
  }
  return report;
}

Outcome<std::vector<std::filesystem::path>> Outbox::writeFiles(const std::filesystem::path& folder,
                                                               std::optional<std::int64_t> onlyId) {
  try {
    std::vector<std::filesystem::path> written;
    for (const OutboxMail& waitingMail : waitingMails()) {
      if (waitingMail.state != OutboxMail::State::Queued) continue;
      if (onlyId && waitingMail.id != *onlyId) continue;
      const std::optional<OutgoingMail> outgoing = mail(waitingMail.id);
      const std::filesystem::path file =
          folder / ("outbox-" + std::to_string(waitingMail.id) + ".eml");
      if (outgoing && writeWholeFile(file, outgoing->message)) written.push_back(file);
    }
    return written;
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

Done Outbox::requeue(std::int64_t id) {
  try {
    if (mails("WHERE MailID = ? AND State = ?", {DbValue(id), DbValue(kSending)}).empty()) {
      return failure(ErrorKind::NotFound,
                     "mail " + std::to_string(id) + " is no mail of unknown outcome");
    }
    database_.execute("UPDATE [Outbox] SET State = ? WHERE MailID = ?",
                      {DbValue(kQueued), DbValue(id)});
    return {};
  } catch (const DataError& error) {
    return dataFailure(error);
  }
}

}  // namespace vendaro
