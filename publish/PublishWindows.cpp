#include <memory>

#include "platform/qt/QtToolWindowSlots.h"
#include "publish/PublishSubsystem.h"
#include "publish/PublishView.h"
#include "publish/PublishWindow.h"

namespace vendaro {

void registerPublishWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  windows.add(kPublishForm, [&workbench] {
    auto form = std::make_shared<frmPublish>(workbench.loop, workbench.dialogs);
    auto view = std::make_unique<PublishView>(*form);
    return ToolWindowParts{std::move(form), std::move(view)};
  });
  // The submission tool's "Publish" opens the window for its folder of pages.
  workbench.publishFolder = [&workbench, &windows](const std::filesystem::path& folder) {
    workbench.windows.show(kPublishForm);
    if (auto* form = windows.model<frmPublish>(kPublishForm)) form->openFolder(folder);
  };
}

}  // namespace vendaro
