#include "platform/curl/MailClients.h"

#include "platform/curl/CurlMailClient.h"
#include "platform/curl/ImapMailClient.h"
#include "platform/curl/ImapMailWaiter.h"

namespace vendaro {

std::unique_ptr<MailClient> makeMailClient(EventLoop& loop, MailAccount::Protocol protocol,
                                           const MailSettings& settings, MailTimeouts timeouts) {
  if (protocol == MailAccount::Protocol::Imap) {
    return std::make_unique<ImapMailClient>(loop, settings.importedFolder, timeouts);
  }
  return std::make_unique<CurlMailClient>(loop, timeouts);
}

std::unique_ptr<MailWaiter> makeMailWaiter(MailAccount::Protocol protocol,
                                           std::chrono::milliseconds pollInterval,
                                           MailTimeouts timeouts) {
  if (protocol == MailAccount::Protocol::Imap) {
    return std::make_unique<ImapMailWaiter>(pollInterval, timeouts);
  }
  return std::make_unique<PollingMailWaiter>(pollInterval);
}

}  // namespace vendaro
