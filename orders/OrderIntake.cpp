#include "orders/OrderIntake.h"

#include <utility>

namespace vendaro {

// The session keeps a reference to the order store, constructed right after
// it; it first uses the store when "Get Orders" is clicked.
OrderIntake::OrderIntake(OrderIntakePlatform platform, std::unique_ptr<MailClient> mail)
    : MailIntakeTab(platform.loop, platform.dialogs, std::move(mail), orderStore),
      orderStore(platform.database, std::move(platform.today)) {
  session.lockFile = std::move(platform.lockFile);
  cmdGetMail.setCaption("Get Orders");
  useMailSettings(platform.settings);
  rememberMailbox(std::move(platform.mailboxFile), platform.keyring);
}

}  // namespace vendaro
