#include "intake/MailboxMemory.h"

#include <sstream>
#include <utility>

#include "common/TextFile.h"

namespace vendaro {
namespace {

constexpr std::string_view kHostKey = "host=";
constexpr std::string_view kUserKey = "user=";

bool hasLineBreak(const std::string& value) {
  return value.find_first_of("\r\n") != std::string::npos;
}

}  // namespace

MailboxMemory::MailboxMemory(std::filesystem::path file, PasswordKeyring* keyring)
    : file_(std::move(file)), keyring_(keyring) {}

bool MailboxMemory::keyringUsable() { return keyring_ != nullptr && keyring_->available(); }

void MailboxMemory::recall(MailboxIntake& tab) {
  if (const auto content = readWholeFile(file_)) {
    std::istringstream lines(*content);
    std::string line;
    while (std::getline(lines, line)) {
      if (line.rfind(kHostKey, 0) == 0) tab.PopHost.setText(line.substr(kHostKey.size()));
      if (line.rfind(kUserKey, 0) == 0) tab.PopUserName.setText(line.substr(kUserKey.size()));
    }
  }
  if (!keyringUsable()) {
    tab.chkKeepPassword.setCaption(kNoKeyring);
    tab.chkKeepPassword.setValue(0);
    tab.chkKeepPassword.setEnabled(false);
    return;
  }
  if (const auto password = keyring_->lookup(tab.PopHost.Text(), tab.PopUserName.Text())) {
    tab.PopPassword.setText(*password);
    tab.chkKeepPassword.setValue(1);
  }
}

bool MailboxMemory::keep(const MailboxIntake& tab) {
  const std::string host = tab.PopHost.Text();
  const std::string user = tab.PopUserName.Text();
  // A line break would make a second entry; such values are refused anyway.
  if (hasLineBreak(host) || hasLineBreak(user)) return true;
  (void)writeWholeFile(file_, std::string(kHostKey) + host + "\n" + std::string(kUserKey) + user +
                                  "\n");
  if (!keyringUsable()) return true;
  if (tab.chkKeepPassword.checked()) return keyring_->store(host, user, tab.PopPassword.Text());
  keyring_->forget(host, user);
  return true;
}

}  // namespace vendaro
