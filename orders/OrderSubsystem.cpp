#include "orders/OrderSubsystem.h"

#include <memory>

#include "orders/OrderIntake.h"
#include "platform/SmtpSettings.h"
#include "platform/curl/CurlMailClient.h"
#include "platform/secret/SecretKeyring.h"

namespace vendaro {

void checkOrderSettings(const SettingsFile& settings) { (void)SmtpSettings::read(settings); }

void registerOrderCommands(Workbench& workbench) {
  workbench.commands.add("orders", [&workbench] { workbench.windows.show(kOrderViewerForm); });
  SecretKeyring& keyring = workbench.keep(std::make_unique<SecretKeyring>());
  workbench.makeOrderIntake = [&workbench, &keyring]() -> std::unique_ptr<MailboxIntake> {
    auto intake = std::make_unique<OrderIntake>(
        OrderIntakePlatform{workbench.loop, workbench.dialogs, workbench.context.mail,
                            workbench.database(), {}, workbench.appFolder / kIntakeLockFile,
                            workbench.appFolder / kMailboxStateFile, &keyring},
        std::make_unique<CurlMailClient>(workbench.loop));
    intake->orderStore.checkOrdersAgainst(workbench.appFolder);
    return intake;
  };
}

}  // namespace vendaro
