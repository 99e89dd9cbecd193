#include <QApplication>
#include <QWidget>
#include <memory>

#include "forms/FormCreator.h"
#include "forms/FormCreatorView.h"
#include "forms/FormSubsystem.h"
#include "platform/curl/MailClients.h"
#include "platform/qt/QtToolWindowSlots.h"
#include "platform/secret/SecretKeyring.h"

namespace vendaro {
namespace {

// The main window ("form1") comes forward, for the preview with fields.
void bringMainWindowForward() {
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window->objectName() != QLatin1String("form1")) continue;
    if (window->isMinimized()) window->showNormal();
    window->raise();
    window->activateWindow();
  }
}

}  // namespace

void registerFormWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  SecretKeyring& keyring = workbench.keep(std::make_unique<SecretKeyring>());
  windows.add(kFormCreatorForm, [&workbench, &keyring] {
    auto creator = std::make_shared<Settings>(
        FormCreatorPlatform{workbench.database(), workbench.dialogs,
                            &workbench.mainWindow.WebBrowser1, bringMainWindowForward});
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
