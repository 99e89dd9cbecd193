#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "forms/ResponseMailStore.h"
#include "intake/MailIntakeTab.h"
#include "platform/Database.h"
#include "platform/PasswordKeyring.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {

// What the response intake talks to.
struct ResponseIntakePlatform {
  EventLoop& loop;
  Dialogs& dialogs;
  const MailSettings& settings;
  Database& database;
  // The form whose responses are collected, asked at every start.
  std::function<ResponseForm()> chosenForm;
  // The intake date; empty: the local date as YYYY-MM-DD.
  std::function<std::string()> today;
  // Where the tab remembers host and user (kResponseMailboxFile in the
  // application folder) and the keyring for the password; empty and null:
  // nothing is remembered.
  std::filesystem::path mailboxFile = {};
  PasswordKeyring* keyring = nullptr;
  // The file locked while an intake runs (kIntakeLockFile in the application
  // folder, shared with the order intake); empty: no lock.
  std::filesystem::path lockFile = {};
};

inline constexpr const char* kResponseMailboxFile = "responses-mailbox.state";

// The mailbox part of the form creator's "&E-mail DB interface" tab: the
// mail intake tab of the order intake, storing into a response store.
class ResponseIntake : public MailIntakeTab {
 public:
  ResponseIntake(ResponseIntakePlatform platform, std::unique_ptr<MailClient> mail);

  ResponseMailStore responseStore;
};

}  // namespace vendaro
