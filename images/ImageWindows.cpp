#include "images/ImageFeatures.h"
#include "images/ImagesSubsystem.h"
#include "platform/qt/QtToolWindowSlots.h"

namespace vendaro {

// The adult listing is the list `domain`, which the main window shows over
// its browser pane like the histories; only clicked pictures need the window
// side, on their way to the store wizard.
void registerImageWindows(Workbench& workbench, QtToolWindowSlots& /*windows*/) {
  auto* features = dynamic_cast<ImageFeatures*>(workbench.mainWindow.hooks.pictureCollector);
  if (features == nullptr) return;
  // A picture clicked in the main pane goes to the store wizard, when the
  // store subsystem takes it.
  features->offerToStoreWizard = [&workbench](const std::string& address) {
    if (workbench.offerPictureToStore) workbench.offerPictureToStore(address);
  };
}

}  // namespace vendaro
