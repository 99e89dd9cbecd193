#include <memory>

#include "forms/FormCreator.h"
#include "forms/FormCreatorView.h"
#include "forms/FormSubsystem.h"
#include "platform/curl/MailClients.h"
#include "platform/qt/QtToolWindowSlots.h"
#include "platform/qt/QtWindowRaising.h"
#include "platform/secret/SecretKeyring.h"

namespace vendaro {

void registerFormWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  SecretKeyring& keyring = workbench.keep(std::make_unique<SecretKeyring>());
  windows.add(kFormCreatorForm, [&workbench, &keyring] {
    auto creator = std::make_shared<Settings>(FormCreatorPlatform{
        workbench.database(), workbench.dialogs, &workbench.mainWindow.panes.WebBrowser1,
        // The main window comes forward for the preview with fields.
        [] { raiseTopLevelWindow("form1"); }});
    Settings& model = *creator;
    creator->intake = std::make_unique<ResponseIntake>(
        ResponseIntakePlatform{workbench.loop,
                               workbench.dialogs,
                               workbench.context.mail,
                               workbench.database(),
                               [&model] { return model.responseForm(); },
                               {},
                               workbench.appFolder / kResponseMailboxFile,
                               &keyring,
                               workbench.appFolder / kIntakeLockFile},
        makeMailClient(workbench.loop, workbench.context.mail.protocol, workbench.context.mail));
    creator->intake->responseStore.onStored = [&model](const StoredResponse& response) {
      model.responseStored(response);
    };
    auto view = std::make_unique<FormCreatorView>(*creator, creator->intake.get());
    return ToolWindowParts{std::move(creator), std::move(view)};
  });
}

}  // namespace vendaro
