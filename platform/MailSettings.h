#pragma once

#include <string>

#include "platform/MailClient.h"
#include "platform/SettingsFile.h"

namespace vendaro {

// [mail]: the mailbox the order intake (and the form creator's response
// intake) starts from, and how the windows' intakes reach it.
struct MailSettings {
  std::string popHost = "mail.shop.example";
  std::string mailboxAddress = "orders@shop.example";
  int port = 0;  // 0: the protocol's default (110, or 995 with tls)
  MailAccount::Security security = MailAccount::Security::Tls;
  std::string caFile;  // an extra certificate authority; empty: the system's

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
    return settings;
  }
};

}  // namespace vendaro
