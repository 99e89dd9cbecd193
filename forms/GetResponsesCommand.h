#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include "platform/HeadlessDialogs.h"
#include "platform/MailClient.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {

// The options of `vendaro get-responses` (the mailbox options of `get-orders`).
struct GetResponsesOptions {
  std::filesystem::path appFolder;  // already resolved
  std::string form;
  // Host, port, security, CA file and user; the password is read as
  // `passwordFile` says.
  MailAccount mailbox;
  // A file whose first line is the password; empty: VENDARO_POP_PASSWORD.
  std::filesystem::path passwordFile;
  // A shell command that prints an OAuth2 access token; empty: the password.
  std::string tokenCommand{};
  bool deleteMessages = false;  // "Host &Delete"
  QuestionAnswer questionAnswer = QuestionAnswer::No;
};

// Fetches the responses of one form through the form creator's response
// intake over libcurl, printing the intake log and the number of responses
// stored. Returns 0 after a normal log-out; 2 with a message on `err` when
// the password or the database is missing, or the connection or log-in
// fails or breaks off.
int runGetResponsesCommand(const GetResponsesOptions& options, const MailSettings& settings,
                           std::ostream& out, std::ostream& err);

}  // namespace vendaro
