#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "orders/Outbox.h"
#include "platform/MailSender.h"
#include "platform/Outcome.h"
#include "platform/PasswordKeyring.h"
#include "platform/settings/SmtpSettings.h"

namespace vendaro {

// The environment variable that may carry the SMTP password.
inline constexpr const char* kSmtpPasswordVariable = "VENDARO_SMTP_PASSWORD";

// Makes the sender for the settings and password (the program's: libcurl).
using MailSenderFactory =
    std::function<std::unique_ptr<MailSender>(const SmtpSettings&, const std::string& password)>;

// How mails leave: through the server of [smtp] or, with `dryRun`, as .eml
// files in `dryRunFolder`.
// The password is the first line of `passwordFile`, else kSmtpPasswordVariable,
// else the keyring's for the [smtp] host and user.
struct MailDelivery {
  SmtpSettings smtp;
  std::filesystem::path passwordFile;
  std::shared_ptr<PasswordKeyring> keyring;  // may be null
  bool dryRun = false;
  std::filesystem::path dryRunFolder;
  MailSenderFactory makeSender;
};

// Why mails cannot leave as `delivery` says (no [smtp] host or from, no
// password for the user); empty when they can.
std::string deliveryProblem(const MailDelivery& delivery);

// Sends the outbox's queued mails (or only `onlyId`) or writes them as files,
// and says on `out` and `err` what became of each. Returns the exit code: 0
// when every mail left, 1 when one failed (it stays queued) or one's outcome
// is unknown; Io when the outbox cannot be read or written.
Outcome<int> deliverOutbox(Outbox& outbox, const MailDelivery& delivery,
                           std::optional<std::int64_t> onlyId, std::ostream& out,
                           std::ostream& err);

// The options of `vendaro outbox`.
struct OutboxCommandOptions {
  std::filesystem::path appFolder;  // already resolved
  bool send = false;
  std::optional<std::int64_t> requeue;
  MailDelivery delivery;
};

// Lists the mails that wait (queued, or of unknown outcome after a run that
// was killed while sending), sends them with `send`, or queues one of
// unknown outcome again with `requeue`. Exit codes as deliverOutbox; 2 with
// a message for a database that cannot be used or settings that are missing.
int runOutboxCommand(const OutboxCommandOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
