#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "platform/HeadlessDialogs.h"
#include "platform/MailClient.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {

// The environment variable that may carry the mailbox password.
inline constexpr const char* kPopPasswordVariable = "VENDARO_POP_PASSWORD";

// The mailbox options the get- commands share. Without --host the mailbox is
// the one of [mail], as the windows use it: its host, port, security and CA
// file, each of which --port, --tls, --starttls and --ca-file may override.
// With --host the command line says it all, and plain POP3 stays the default
// that scripts written before [mail] had them rely on.
struct MailboxCommandLine {
  std::string host;
  int port = 0;
  bool tls = false;
  bool startTls = false;
  std::string caFile;
  std::string user;
  std::string passwordFile;
  bool imap = false;
  std::string oauth2TokenCommand{};
  bool watch = false;
  int pollSeconds = 60;

  // Adds --host, --port, --tls, --starttls, --ca-file, --user (required),
  // --password-file, --imap, --oauth2-token-command and, when offered,
  // --watch and --poll-interval to `command`.
  enum class Watching { Offered, NotOffered };
  void addTo(CLI::App& command, Watching watching = Watching::Offered);
  // Host, port, security, CA file, user and protocol; no password.
  MailAccount account(const MailSettings& settings) const;
  // The token command: the option's, else (for the mailbox of [mail]) the setting's.
  std::string tokenCommand(const MailSettings& settings) const;
};

// The environment variable the OAuth2 token command sees the user in.
inline constexpr const char* kTokenUserVariable = "VENDARO_MAIL_USER";

// Fills in the account's secret: with a token command, the access token it
// prints (first line) and OAuth2 login; else the password as
// `readMailboxPassword` finds it. False, with the reason on `err`, when
// there is none. The token is never printed.
bool readMailboxSecret(MailAccount& account, const std::filesystem::path& passwordFile,
                       const std::string& tokenCommand, std::string_view prefix, std::ostream& err);

// The message boxes of a mail command: printed, errors and the mail control's
// "AsyncError" on `err`, the rest on `out`.
HeadlessDialogs printingDialogs(std::ostream& out, std::ostream& err, QuestionAnswer answer);

// The password from the first line of `file`, else from kPopPasswordVariable;
// says on `err` (after `prefix`) what is missing. A first line longer than
// kMaxPasswordBytes is refused; no more of the file than that is read.
inline constexpr std::size_t kMaxPasswordBytes = 4096;
std::optional<std::string> readMailboxPassword(const std::filesystem::path& file,
                                               std::string_view prefix, std::ostream& err);

}  // namespace vendaro
