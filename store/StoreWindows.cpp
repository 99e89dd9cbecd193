#include <memory>

#include "platform/qt/QtToolWindowSlots.h"
#include "store/StoreSettings.h"
#include "store/StoreSubsystem.h"
#include "store/Wizard1.h"
#include "store/Wizard1View.h"

namespace vendaro {

void registerStoreWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  const StoreSettings& settings = workbench.keep(
      std::make_unique<StoreSettings>(StoreSettings::read(workbench.context.settings)));
  windows.add(kWizardForm, [&workbench, &settings] {
    const MainWindowPorts& main = workbench.mainWindow;
    auto wizard = std::make_shared<Wizard1>(
        Wizard1Platform{workbench.dialogs, settings, workbench.context.vendor, workbench.appFolder,
                        &main.bars.Combo2, &main.panes.WebBrowser1,
                        [&workbench] { workbench.commands.run("orders"); },
                        [&workbench](const std::filesystem::path& page) {
                          if (workbench.openInWebEditor) workbench.openInWebEditor(page);
                        }});
    if (workbench.makeOrderIntake) wizard->intake = workbench.makeOrderIntake();
    auto view = std::make_unique<Wizard1View>(*wizard);
    return ToolWindowParts{std::move(wizard), std::move(view)};
  });
  // A picture clicked in the main pane goes into the open wizard's picture
  // box, and the wizard comes forward.
  workbench.offerPictureToStore = [&workbench, &windows](const std::string& address) {
    auto* wizard = windows.model<Wizard1>(kWizardForm);
    if (wizard == nullptr || !workbench.windows.isOpen(kWizardForm)) return;
    wizard->Text1[6].setText(address);
    workbench.windows.show(kWizardForm);
  };
}

}  // namespace vendaro
