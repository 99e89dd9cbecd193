#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "intake/MailIntakeTab.h"
#include "orders/OrderMailStore.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/MailClient.h"
#include "platform/PasswordKeyring.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {

// What the order intake talks to.
struct OrderIntakePlatform {
  EventLoop& loop;
  Dialogs& dialogs;
  const MailSettings& settings;
  Database& database;
  // Today's date as stored in OrderDate; empty: the local date as YYYY-MM-DD.
  std::function<std::string()> today;
  // The file locked while an intake runs (kIntakeLockFile in the application
  // folder); empty: no lock.
  std::filesystem::path lockFile = {};
  // Where the tab remembers host and user (kMailboxStateFile in the
  // application folder) and the keyring for the password; empty and null:
  // nothing is remembered.
  std::filesystem::path mailboxFile = {};
  PasswordKeyring* keyring = nullptr;
};

inline constexpr const char* kMailboxStateFile = "mailbox.state";

// The "E-Mail DB" tab of the store wizard: a mail intake session fetching
// the order mails from the POP3 mailbox one at a time into an order store,
// which keeps each as an `Orders` record with one `Order Details` record per
// ordered line.
class OrderIntake : public MailIntakeTab {
 public:
  OrderIntake(OrderIntakePlatform platform, std::unique_ptr<MailClient> mail);

  OrderMailStore orderStore;
};

}  // namespace vendaro
