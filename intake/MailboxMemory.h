#pragma once

#include <filesystem>
#include <string>

#include "common/MailboxIntake.h"
#include "platform/PasswordKeyring.h"

namespace vendaro {

// What a mailbox tab keeps between runs: the host and the user in a small
// file of the application folder (written whole, so a crash never leaves half
// of it), and the password in the desktop keyring when the user ticks
// `chkKeepPassword`, never in a plain file.
class MailboxMemory {
 public:
  static constexpr const char* kKeepPassword = "Remember password in the keyring";
  static constexpr const char* kNoKeyring = "Remember password in the keyring (no keyring available)";

  // `keyring` may be null: no keyring.
  MailboxMemory(std::filesystem::path file, PasswordKeyring* keyring);

  // Fills host and user from the file when it has them, and the password
  // from the keyring; says on the box whether the keyring can be used.
  void recall(MailboxIntake& tab);
  // Writes host and user, and stores the password in the keyring when the box
  // is ticked (removes it when not). Returns false when the keyring refused
  // the password.
  bool keep(const MailboxIntake& tab);

 private:
  bool keyringUsable();

  std::filesystem::path file_;
  PasswordKeyring* keyring_;
};

}  // namespace vendaro
