#pragma once

#include "platform/MailSender.h"
#include "platform/settings/SmtpSettings.h"

namespace vendaro {

// Sends over SMTP through libcurl as `settings` say: TLS from the start,
// STARTTLS (required, never falling back to plain text) or, on loopback
// only, plain; logs in when a user is set.
class CurlMailSender : public MailSender {
 public:
  CurlMailSender(SmtpSettings settings, std::string password);
  SendResult send(const OutgoingMail& mail) override;

 private:
  SmtpSettings settings_;
  std::string password_;
};

}  // namespace vendaro
