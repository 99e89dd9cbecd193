#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>

#include "intake/MailboxCommandLine.h"
#include "platform/HeadlessDialogs.h"
#include "platform/MailClient.h"
#include "platform/Outcome.h"
#include "platform/curl/Pop3Session.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {

inline constexpr int kOrdersCommandFailed = 2;

// Ends an order command with a service's error: its message after `prefix`,
// an I/O failure's after `ioLead` too ("cannot read the order database: ").
// Every kind gives kOrdersCommandFailed, the one failure code the order
// commands' scripts know.
int failOrderCommand(std::ostream& err, std::string_view prefix, const Error& error,
                     std::string_view ioLead = {});

// The options of `vendaro get-orders`.
struct GetOrdersOptions {
  std::filesystem::path appFolder;  // already resolved
  // Host, port, security, CA file and user; the password is read as
  // `passwordFile` says.
  MailAccount mailbox;
  // A file whose first line is the password; empty: the password comes from
  // VENDARO_POP_PASSWORD.
  std::filesystem::path passwordFile;
  // A shell command that prints an OAuth2 access token; empty: the password.
  std::string tokenCommand{};
  bool deleteMessages = false;  // "Host &Delete"
  // Keep running, taking orders as they arrive, until SIGINT or SIGTERM.
  bool watch = false;
  int pollSeconds = 60;  // between checks where the server cannot tell of new mail
  // "n of N" on the error stream as messages are done (when it is a terminal).
  bool showProgress = false;
  MailTimeouts timeouts;
  QuestionAnswer questionAnswer = QuestionAnswer::No;
};

// Fetches the order mails through the store wizard's order intake over
// libcurl, printing the intake log (card numbers masked, no expiry dates)
// and the number of orders stored. Returns
// 0 when the intake ended with a normal log-out; kOrdersCommandFailed with a
// message on `err` when the password is missing, the database cannot be
// opened, or the connection or log-in fails or breaks off. With `watch`: 0
// after a stop by signal, kOrdersCommandFailed when the login or token is
// refused; broken connections are tried again.
int runGetOrdersCommand(const GetOrdersOptions& options, const MailSettings& settings,
                        std::ostream& out, std::ostream& err);

// The options of `vendaro orders`.
struct ListOrdersOptions {
  std::filesystem::path appFolder;  // already resolved
  bool csv = false;
  // Full card numbers and expiry dates, for the merchant's payment processing.
  bool cardNumbers = false;
  QuestionAnswer questionAnswer = QuestionAnswer::No;
  // Only the orders with this status; empty: every order.
  std::string status = {};
};

// Lists every order with its lines as text or, with `csv`, as CSV (see
// writeOrderListing). Unless `cardNumbers`, a card number shows only its
// last four digits and the expiry date is left out (an empty CSV column, so
// the columns stay the same). Each order shows its price-check verdict and
// status. An unknown `status` or a damaged database gives a message and
// kOrdersCommandFailed; nothing is written to the database.
int runOrdersCommand(const ListOrdersOptions& options, std::ostream& out, std::ostream& err);

}  // namespace vendaro
