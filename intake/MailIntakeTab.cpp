#include "intake/MailIntakeTab.h"

#include <cstdint>
#include <utility>

#include "common/NumberText.h"

namespace vendaro {

MailIntakeTab::MailIntakeTab(EventLoop& loop, Dialogs& dialogs, std::unique_ptr<MailClient> mail,
                             MailStore& store)
    : session(loop, dialogs, std::move(mail), store), dialogs_(dialogs) {
  showEvents();
  // The box is read at every message, as the user may change it meanwhile.
  chkHostDelete.addListener([this] { session.deletesStored = chkHostDelete.checked(); });
}

void MailIntakeTab::showEvents() {
  MailIntakeEvents& events = session.events;
  events.log = [this](const std::string& lines) { appendLog(lines); };
  events.lineRead = [this](const std::string& line) { List3.AddItem(line); };
  events.recordCount = [this](std::int64_t records) {
    lblPercentage.setCaption(numberText(records + 1));
  };
  events.bytes = [this](long done, long total) {
    if (total == 0) {
      lblPercentage.setCaption("0");
      return;
    }
    const auto percent = static_cast<std::int64_t>(static_cast<double>(done) / total * 100);
    lblPercentage.setCaption(trimmedNumberText(percent) + "%");
  };
  events.fetching = [this](bool fetching) { cmdGetMail.setEnabled(!fetching); };
}

void MailIntakeTab::appendLog(const std::string& lines) {
  std::string log = Text18.Text() + lines;
  if (log.size() > kMaxLogBytes) {
    const std::size_t cut = log.find("\r\n", log.size() - kMaxLogBytes);
    log.erase(0, cut == std::string::npos ? log.size() - kMaxLogBytes : cut + 2);
  }
  Text18.setText(log);
}

// A click while an intake runs is ignored; a refused start has said why in
// a message box.
void MailIntakeTab::cmdGetMail_Click() {
  if (session.running()) return;
  if (memory && !memory->keep(*this)) {
    appendLog("The password could not be stored in the keyring.\r\n");
  }
  (void)session.start(account());
}

void MailIntakeTab::chkHostDelete_Click() {
  if (warnsOnHostDelete && chkHostDelete.checked()) {
    dialogs_.MsgBox(kDeleteWarning, MessageButtons::Ok, MessageIcon::Exclamation);
  }
}

MailAccount MailIntakeTab::account() const {
  MailAccount account;
  account.host = PopHost.Text();
  account.port = popPort;
  account.security = popSecurity;
  account.caFile = popCaFile;
  account.user = PopUserName.Text();
  account.password = PopPassword.Text();
  account.protocol = mailProtocol;
  account.login = popLogin;
  return account;
}

void MailIntakeTab::useMailSettings(const MailSettings& settings) {
  PopHost.setText(settings.popHost);
  Email.setText(settings.mailboxAddress);
  popPort = settings.port;
  popSecurity = settings.security;
  popCaFile = settings.caFile;
  mailProtocol = settings.protocol;
}

void MailIntakeTab::useAccount(const MailAccount& account) {
  PopHost.setText(account.host);
  PopUserName.setText(account.user);
  PopPassword.setText(account.password);
  popPort = account.port;
  popSecurity = account.security;
  popCaFile = account.caFile;
  mailProtocol = account.protocol;
  popLogin = account.login;
}

void MailIntakeTab::rememberMailbox(std::filesystem::path file, PasswordKeyring* keyring) {
  if (file.empty()) return;
  memory = std::make_unique<MailboxMemory>(std::move(file), keyring);
  memory->recall(*this);
}

}  // namespace vendaro
