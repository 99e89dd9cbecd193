#pragma once

#include <string>

#include "platform/SettingsFile.h"

namespace vendaro {

// [mail]: the mailbox the order intake (and the form creator's response
// intake) starts from.
struct MailSettings {
  std::string popHost = "mail.shop.example";
  std::string mailboxAddress = "orders@shop.example";

  static MailSettings read(const SettingsFile& file) {
    MailSettings settings;
    settings.popHost = file.host("mail", "pop_host", settings.popHost);
    // The mailbox user: any name the server accepts, never a line break.
    settings.mailboxAddress = file.text("mail", "mailbox_address", settings.mailboxAddress);
    return settings;
  }
};

}  // namespace vendaro
