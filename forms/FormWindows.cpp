#include <memory>

#include "forms/FormCreator.h"
#include "forms/FormCreatorView.h"
#include "forms/FormSubsystem.h"
#include "platform/qt/QtToolWindowSlots.h"

namespace vendaro {

void registerFormWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  windows.add(kFormCreatorForm, [&workbench] {
    auto creator = std::make_shared<Settings>(FormCreatorPlatform{
        workbench.database(), workbench.dialogs, &workbench.mainWindow.WebBrowser1, {}});
    auto view = std::make_unique<FormCreatorView>(*creator, nullptr);
    return ToolWindowParts{std::move(creator), std::move(view)};
  });
}

}  // namespace vendaro
