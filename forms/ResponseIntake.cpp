#include "forms/ResponseIntake.h"

#include <utility>

namespace vendaro {

ResponseIntake::ResponseIntake(ResponseIntakePlatform platform, std::unique_ptr<MailClient> mail)
    : MailIntakeTab(platform.loop, platform.dialogs, std::move(mail), responseStore),
      responseStore(platform.database, std::move(platform.chosenForm), std::move(platform.today)) {
  session.lockFile = std::move(platform.lockFile);
  cmdGetMail.setCaption("Get Respond");
  useMailSettings(platform.settings);
  rememberMailbox(std::move(platform.mailboxFile), platform.keyring);
  warnsOnHostDelete = false;
}

}  // namespace vendaro
