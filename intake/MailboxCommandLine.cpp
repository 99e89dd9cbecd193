#include "intake/MailboxCommandLine.h"

#include <stdio.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

namespace vendaro {

void MailboxCommandLine::addTo(CLI::App& command, Watching watching) {
  command.add_option("--host", host,
                     "POP3 server (default: pop_host of [mail], with its port, "
                     "security and CA file)");
  command.add_option("--port", port, "POP3 port (default: 110, 995 with --tls)")
      ->check(CLI::Range(1, 65535));
  CLI::Option* tlsFlag = command.add_flag("--tls", tls, "POP3 over TLS (implicit)");
  command.add_flag("--starttls", startTls, "POP3 upgraded with STLS")->excludes(tlsFlag);
  command.add_option("--ca-file", caFile, "Extra certificate authority file")
      ->check(CLI::ExistingFile);
  command.add_option("--user", user, "Mailbox user")->required();
  command
      .add_option("--password-file", passwordFile,
                  "File whose first line is the password (default: $VENDARO_POP_PASSWORD)")
      ->check(CLI::ExistingFile);
  command.add_flag("--imap", imap,
                   "IMAP instead of POP3 (default: protocol of [mail]); stored mails are moved "
                   "to the folder imported_folder of [mail]");
  command.add_option("--oauth2-token-command", oauth2TokenCommand,
                     "Log in with the OAuth2 access token this shell command prints "
                     "(default: oauth2_token_command of [mail])");
  if (watching == Watching::NotOffered) return;
  command.add_flag("--watch", watch,
                   "Keep running and take mail as it arrives (IMAP IDLE, else polling); "
                   "Ctrl+C or SIGTERM stops");
  command.add_option("--poll-interval", pollSeconds,
                     "Seconds between checks where the server cannot say when mail arrives "
                     "(default: 60)")
      ->check(CLI::Range(1, 3600));
}

MailAccount MailboxCommandLine::account(const MailSettings& settings) const {
  using Security = MailAccount::Security;
  MailAccount account;
  const bool fromSettings = host.empty();
  account.host = fromSettings ? settings.popHost : host;
  account.port = port > 0 || !fromSettings ? port : settings.port;
  account.security = tls            ? Security::Tls
                     : startTls     ? Security::StartTls
                     : fromSettings ? settings.security
                                    : Security::None;
  account.caFile = !caFile.empty() || !fromSettings ? caFile : settings.caFile;
  account.user = user;
  account.protocol = imap || (fromSettings && settings.protocol == MailAccount::Protocol::Imap)
                         ? MailAccount::Protocol::Imap
                         : MailAccount::Protocol::Pop3;
  return account;
}

std::string MailboxCommandLine::tokenCommand(const MailSettings& settings) const {
  if (!oauth2TokenCommand.empty() || !host.empty()) return oauth2TokenCommand;
  return settings.oauth2TokenCommand;
}

HeadlessDialogs printingDialogs(std::ostream& out, std::ostream& err, QuestionAnswer answer) {
  return HeadlessDialogs(
      [&out, &err](const std::string& text, MessageIcon icon) {
        (icon == MessageIcon::Critical || text.rfind("AsyncError", 0) == 0 ? err : out)
            << text << "\n";
      },
      answer);
}

std::optional<std::string> readMailboxPassword(const std::filesystem::path& file,
                                               std::string_view prefix, std::ostream& err) {
  if (!file.empty()) {
    // Only the first line is read, and no more of it than a password needs:
    // a device such as /dev/zero would never end.
    std::ifstream in(file, std::ios::binary);
    std::string start(kMaxPasswordBytes + 1, '\0');
    if (in) in.read(start.data(), static_cast<std::streamsize>(start.size()));
    start.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad() || start.empty()) {
      err << prefix << "cannot read the password file " << file.string() << "\n";
      return std::nullopt;
    }
    const std::size_t end = start.find('\n');
    if (end == std::string::npos && start.size() > kMaxPasswordBytes) {
      err << prefix << "the password in " << file.string() << " is longer than "
          << kMaxPasswordBytes << " bytes\n";
      return std::nullopt;
    }
    std::string line = start.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
  }
  if (const char* value = std::getenv(kPopPasswordVariable)) return std::string(value);
  err << prefix << "no password: set " << kPopPasswordVariable << " or give --password-file\n";
  return std::nullopt;
}

}  // namespace vendaro

namespace vendaro {
namespace {

constexpr std::size_t kLongestToken = 64 * 1024;

// Runs `command` with the shell and returns the first line it printed; its
// error output goes where ours goes, so a helper can ask or explain.
std::optional<std::string> commandOutputLine(const std::string& command, const std::string& user,
                                             std::string& problem) {
  ::setenv(kTokenUserVariable, user.c_str(), 1);
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) {
    problem = "cannot run the token command";
    return std::nullopt;
  }
  std::string output;
  char chunk[4096];
  for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0;) {
    if (output.size() < kLongestToken) output.append(chunk, got);
  }
  const int status = ::pclose(pipe);
  if (status == -1 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    problem = "the token command failed" +
              (WIFEXITED(status) ? " (exit code " + std::to_string(WEXITSTATUS(status)) + ")"
                                 : std::string());
    return std::nullopt;
  }
  std::string line = output.substr(0, output.find('\n'));
  while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
  if (line.empty()) {
    problem = "the token command printed no token";
    return std::nullopt;
  }
  return line;
}

}  // namespace

bool readMailboxSecret(MailAccount& account, const std::filesystem::path& passwordFile,
                       const std::string& tokenCommand, std::string_view prefix,
                       std::ostream& err) {
  if (tokenCommand.empty()) {
    const std::optional<std::string> password = readMailboxPassword(passwordFile, prefix, err);
    if (!password) return false;
    account.password = *password;
    account.login = MailAccount::Login::Password;
    return true;
  }
  std::string problem;
  const std::optional<std::string> token = commandOutputLine(tokenCommand, account.user, problem);
  if (!token) {
    err << prefix << problem << "\n";
    return false;
  }
  account.password = *token;
  account.login = MailAccount::Login::OAuth2;
  return true;
}

}  // namespace vendaro
