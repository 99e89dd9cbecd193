#include "common/MailboxCommandLine.h"

#include <cstdlib>
#include <fstream>

namespace vendaro {

void MailboxCommandLine::addTo(CLI::App& command) {
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
  return account;
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
