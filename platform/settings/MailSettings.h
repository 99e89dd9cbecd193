#pragma once

#include <string>

#include "platform/MailClient.h"
#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [mail]: the mailbox (POP3 or IMAP) the order intake (and the form creator's response
// intake) starts from, and how the windows' intakes reach it.
struct MailSettings {
  std::string popHost = "mail.shop.example";
  std::string mailboxAddress = "orders@shop.example";
  int port = 0;  // 0: the protocol's default (110, or 995 with tls)
  MailAccount::Security security = MailAccount::Security::Tls;
  std::string caFile;  // an extra certificate authority; empty: the system's
  MailAccount::Protocol protocol = MailAccount::Protocol::Pop3;
  // IMAP: where stored mails go, "/" between levels; created when missing.
  std::string importedFolder = "Vendaro/Imported";
  // A command that prints an OAuth2 access token; empty: log in with the password.
  std::string oauth2TokenCommand{};

  // An IMAP folder name sent as it stands: printable ASCII, no "&" (which
  // would start the modified UTF-7 of other names).
  static bool isPlainFolderName(const std::string& name) {
    if (name.empty()) return false;
    for (const char c : name) {
      if (c < 0x20 || c > 0x7e || c == '&') return false;
    }
    return true;
  }

  static MailSettings read(const SettingsFile& file) {
    MailSettings settings;
    settings.popHost = file.host("mail", "pop_host", settings.popHost);
    // The mailbox user: any name the server accepts, never a line break.
    settings.mailboxAddress = file.text("mail", "mailbox_address", settings.mailboxAddress);
    settings.port = file.number("mail", "port", settings.port, 0, 65535);
    const std::string security =
        file.choice("mail", "security", "tls", {"tls", "starttls", "none"});
    settings.security = security == "tls"        ? MailAccount::Security::Tls
                        : security == "starttls" ? MailAccount::Security::StartTls
                                                 : MailAccount::Security::None;
    settings.caFile = file.text("mail", "ca_file", settings.caFile);
    settings.protocol = file.choice("mail", "protocol", "pop3", {"pop3", "imap"}) == "imap"
                            ? MailAccount::Protocol::Imap
                            : MailAccount::Protocol::Pop3;
    settings.importedFolder = file.text("mail", "imported_folder", settings.importedFolder);
    if (!isPlainFolderName(settings.importedFolder)) {
      throw SettingsError("[mail] imported_folder must be printable ASCII without \"&\": " +
                          settings.importedFolder);
    }
    settings.oauth2TokenCommand =
        file.text("mail", "oauth2_token_command", settings.oauth2TokenCommand);
    return settings;
  }
};

}  // namespace vendaro
