#pragma once

#include <string>

namespace vendaro {

// One mail to send: the envelope and the whole message (headers and body,
// CR LF line ends).
struct OutgoingMail {
  std::string from;
  std::string to;
  std::string message;
};

// What became of a send: `error` says why the server did not take the mail.
struct SendResult {
  bool sent = false;
  std::string error = {};
};

// Hands mails to a mail server. A send either returns what became of it or,
// when the program dies meanwhile, nothing at all: callers record that an
// attempt began before they send.
class MailSender {
 public:
  virtual ~MailSender() = default;
  virtual SendResult send(const OutgoingMail& mail) = 0;
};

}  // namespace vendaro
