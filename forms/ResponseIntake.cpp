#include "forms/ResponseIntake.h"

#include <utility>

namespace vendaro {

ResponseIntake::ResponseIntake(ResponseIntakePlatform platform, std::unique_ptr<MailClient> mail)
    : MailIntakeEngine(platform.loop, platform.dialogs, std::move(mail), responseStore),
      responseStore(platform.database, *this, std::move(platform.chosenForm),
                    std::move(platform.today)) {
  lockFile = std::move(platform.lockFile);
  cmdGetMail.setCaption("Get Respond");
  useMailSettings(platform.settings);
  rememberMailbox(std::move(platform.mailboxFile), platform.keyring);
  importedNote = "was imported before; its response is not stored again.";
  warnsOnHostDelete = false;
}

}  // namespace vendaro
