#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "common/MailboxIntake.h"
#include "intake/MailIntakeSession.h"
#include "intake/MailboxMemory.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/MailClient.h"
#include "platform/PasswordKeyring.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {

// A mailbox tab over a mail intake session: the fetch button starts an
// intake from the mailbox its boxes name, deleting on the server what was
// stored while "Host &Delete" is checked; the session's events fill the log
// `Text18` (its last kMaxLogBytes), the lines read `List3`, the label
// `lblPercentage` (transfer progress and record count) and disable the fetch
// button while messages are taken. The store wizard's "E-Mail DB" tab and the
// form creator's response intake are made of it.
class MailIntakeTab : public MailboxIntake {
 public:
  static constexpr const char* kDeleteWarning =
      "Messages will be deleted after they are read from the host.";
  static constexpr std::size_t kMaxLogBytes = 256 * 1024;

  // `store` is used from the first click on; it may be constructed after the
  // tab (a member of a derived class).
  MailIntakeTab(EventLoop& loop, Dialogs& dialogs, std::unique_ptr<MailClient> mail,
                MailStore& store);

  void cmdGetMail_Click() override;     // the fetch button
  void chkHostDelete_Click() override;  // called after the box changed its value

  // Adds lines (CR LF line ends included) to the log.
  void appendLog(const std::string& lines);

  // Takes host, mailbox address, port, security and CA file from [mail].
  void useMailSettings(const MailSettings& settings);
  // Takes the whole account: host, user, password, port, security, CA file.
  void useAccount(const MailAccount& account);
  // Remembers host and user in `file` and the password in `keyring` (may be
  // null) from now on, and fills the tab from what was remembered.
  void rememberMailbox(std::filesystem::path file, PasswordKeyring* keyring);
  // The account the boxes and the connection details name.
  MailAccount account() const;

  // Connection details the tab does not show: from [mail], or the command line.
  int popPort = 0;  // 0: the protocol's default
  MailAccount::Security popSecurity = MailAccount::Security::None;
  std::string popCaFile;
  MailAccount::Protocol mailProtocol = MailAccount::Protocol::Pop3;
  MailAccount::Login popLogin = MailAccount::Login::Password;
  // What the tab keeps between runs, written when the fetch button starts an
  // intake; null: nothing is kept.
  std::unique_ptr<MailboxMemory> memory;
  // Whether checking "Host &Delete" shows kDeleteWarning (the order intake's).
  bool warnsOnHostDelete = true;

  MailIntakeSession session;

 private:
  void showEvents();

  Dialogs& dialogs_;
};

}  // namespace vendaro
