#include "orders/OrderSubsystem.h"

#include <memory>

#include "orders/OrderIntake.h"
#include "orders/SalesOverview.h"
#include "platform/curl/MailClients.h"
#include "platform/secret/SecretKeyring.h"
#include "platform/settings/SmtpSettings.h"

namespace vendaro {

void checkOrderSettings(const SettingsFile& settings) {
  (void)SmtpSettings::read(settings);
}

void registerOrderCommands(Workbench& workbench) {
  workbench.commands.add("orders", [&workbench] { workbench.windows.show(kOrderViewerForm); },
                         {"scwizard", 20, "Orders"});
  workbench.commands.add("sales", [&workbench] { workbench.windows.show(kSalesOverviewForm); },
                         {"scwizard", 30, "Sales Overview"});
  SecretKeyring& keyring = workbench.keep(std::make_unique<SecretKeyring>());
  workbench.makeOrderIntake = [&workbench, &keyring]() -> std::unique_ptr<MailboxIntake> {
    auto intake = std::make_unique<OrderIntake>(
        OrderIntakePlatform{workbench.loop,
                            workbench.dialogs,
                            workbench.context.mail,
                            workbench.database(),
                            {},
                            workbench.appFolder / kIntakeLockFile,
                            workbench.appFolder / kMailboxStateFile,
                            &keyring},
        makeMailClient(workbench.loop, workbench.context.mail.protocol, workbench.context.mail));
    intake->orderStore.checkOrdersAgainst(workbench.appFolder);
    return intake;
  };
}

}  // namespace vendaro
