#pragma once

#include <chrono>
#include <memory>

#include "platform/EventLoop.h"
#include "platform/MailClient.h"
#include "platform/MailWaiter.h"
#include "platform/curl/Pop3Session.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {

// The mail control for a protocol: POP3 or IMAP (moving stored mail to the
// folder of [mail]).
std::unique_ptr<MailClient> makeMailClient(EventLoop& loop, MailAccount::Protocol protocol,
                                           const MailSettings& settings,
                                           MailTimeouts timeouts = {});

// What waits for new mail between the intakes of a watching command: IMAP
// IDLE (or NOOP every `pollInterval`), or for POP3 a pause of `pollInterval`.
std::unique_ptr<MailWaiter> makeMailWaiter(MailAccount::Protocol protocol,
                                           std::chrono::milliseconds pollInterval,
                                           MailTimeouts timeouts = {});

}  // namespace vendaro
