#include "browse/BrowseListsView.h"
#include "browse/BrowseSubsystem.h"
#include "platform/qt/QtToolWindowSlots.h"

namespace vendaro {

void registerBrowseWindows(Workbench& workbench, QtToolWindowSlots& /*windows*/) {
  showBrowseViews(workbench.mainWindow.offers, workbench.mainWindow.saved, workbench.commands);
}

}  // namespace vendaro
