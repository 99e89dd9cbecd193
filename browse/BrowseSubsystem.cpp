#include "browse/BrowseSubsystem.h"

#include "browse/Browsing.h"

namespace vendaro {

void registerBrowseCommands(Workbench& workbench) {
  addBrowsing(workbench);
}

}  // namespace vendaro
