#pragma once

#include <string>

#include "platform/MailClient.h"
#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [smtp]: the server that carries the mails to customers. `security` none
// sends the password and the mails in the clear, so it is accepted only for
// a server on this machine.
struct SmtpSettings {
  std::string host;  // empty: no server set, mails can only be written as files
  int port = 0;      // 0: 465 with tls, 587 with starttls, 25 without
  MailAccount::Security security = MailAccount::Security::Tls;
  std::string user;  // empty: the server takes mail without logging in
  std::string from;  // the sender's address
  std::string caFile;

  static SmtpSettings read(const SettingsFile& file);
  int portOrDefault() const;
};

// True for "localhost", "::1" and addresses in 127.0.0.0/8.
bool isLoopbackHost(const std::string& host);

}  // namespace vendaro
