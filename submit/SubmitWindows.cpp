#include <memory>

#include "platform/qt/QtToolWindowSlots.h"
#include "submit/ResearchCommand.h"
#include "submit/SearchEngineSettings.h"
#include "submit/SubmitSubsystem.h"
#include "submit/SubmittionView.h"

namespace vendaro {
namespace {

// "Edit" opens the first page in the web editor and "Publish" the folder of
// the pages in the publishing window, once their subsystems offer them.
KeywordPages::Actions pageActions(Workbench& workbench) {
  return {[&workbench](const std::filesystem::path& page) {
            if (workbench.openInWebEditor) {
              workbench.openInWebEditor(page);
            } else {
              workbench.dialogs.MsgBox("The web editor is not available: open " + page.string() +
                                       " in an editor of your choice.");
            }
          },
          [&workbench](const std::filesystem::path& folder) {
            if (workbench.publishFolder) {
              workbench.publishFolder(folder);
            } else {
              workbench.dialogs.MsgBox("Publishing is not available: upload the pages in " +
                                       folder.string() + " with a program of your choice.");
            }
          }};
}

}  // namespace

void registerSubmitWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  windows.add(Submittion::kFormName, [&workbench] {
    EventLoop& loop = workbench.loop;
    auto window = std::make_shared<Submittion>(
        loop, workbench.dialogs, researchPageLoaders(loop),
        SearchEngines(SearchEngineSettings::read(workbench.context.settings)),
        workbench.mainWindow.bars.Combo2,
        workbench.context.folders.outputFolder(workbench.appFolder), pageActions(workbench));
    auto view = std::make_unique<SubmittionView>(*window);
    return ToolWindowParts{std::move(window), std::move(view)};
  });
}

}  // namespace vendaro
