#include <memory>
#include <string>

#include "platform/qt/QtToolWindowSlots.h"
#include "research/ResearchListView.h"
#include "research/ResearchSubsystem.h"

namespace vendaro {
namespace {

// Opens the window of a list when the list is shown and closes it when the
// list is hidden, as long as it lives.
class ListWindow {
 public:
  ListWindow(ListControl& list, std::string formName, ToolWindows& windows)
      : list_(list), listener_(list.addListener([this, formName, &windows] {
          const bool open = windows.isOpen(formName);
          if (list_.Visible() && !open) windows.show(formName);
          if (!list_.Visible() && open) windows.close(formName);
        })) {}
  ListWindow(const ListWindow&) = delete;
  ListWindow& operator=(const ListWindow&) = delete;
  ~ListWindow() { list_.removeListener(listener_); }

 private:
  ListControl& list_;
  Control::ListenerId listener_;
};

void addListWindow(Workbench& workbench, QtToolWindowSlots& windows, ListControl& list,
                   const std::string& formName, const ResearchListLayout& layout) {
  windows.add(formName, [&workbench, &list, layout] {
    return ToolWindowParts{nullptr,
                           std::make_unique<ResearchListView>(list, workbench.commands, layout)};
  });
  workbench.keep(std::make_unique<ListWindow>(list, formName, workbench.windows));
}

}  // namespace

void registerResearchWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  addListWindow(workbench, windows, workbench.mainWindow.saved.listlinks, kLinksListForm,
                {QStringLiteral("Links listing"),
                 QStringLiteral("listlinks"),
                 "listlinks_DblClick",
                 {{QStringLiteral("Clear All"), "Command1"}},
                 "listlinks_Hide",
                 "listlinks_RightButton"});
  addListWindow(
      workbench, windows, workbench.mainWindow.research.List3, kReportListForm,
      {QStringLiteral("Report listing"),
       QStringLiteral("List3"),
       "List3_DblClick",
       {{QStringLiteral("Clear All Links"), "Clearalllinks"}, {QStringLiteral("Close"), "closel3"}},
       "closel3"});
}

}  // namespace vendaro
