#include "publish/PublishSubsystem.h"

namespace vendaro {

void registerPublishCommands(Workbench& workbench) {
  // "Publishing" in the Vendaro menu and the toolbar's publisher button open
  // the publish window instead of an outside program.
  for (const char* command : {"pub_shng", "Picture20"}) {
    workbench.commands.replace(command, [&workbench] { workbench.windows.show(kPublishForm); });
  }
}

}  // namespace vendaro
