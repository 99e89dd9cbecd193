#include "research/ResearchSubsystem.h"

#include <memory>

#include "research/Research.h"

namespace vendaro {
namespace {

// The name the research's steps go by in the main window's hooks.
constexpr const char* kHookName = "research";

// The research as a part of the workbench: plugged into the main window's
// stop command and unload while it lives.
class PluggedResearch : public Research {
 public:
  explicit PluggedResearch(Workbench& workbench)
      : Research(ResearchPorts::of(workbench.mainWindow), workbench.dialogs, workbench.loop),
        hooks_(workbench.mainWindow.hooks) {
    hooks_.onStop[kHookName] = [this] { stopCommand(); };
    hooks_.onUnload[kHookName] = [this] { unload(); };
  }
  PluggedResearch(const PluggedResearch&) = delete;
  PluggedResearch& operator=(const PluggedResearch&) = delete;
  ~PluggedResearch() {
    hooks_.onStop.erase(kHookName);
    hooks_.onUnload.erase(kHookName);
  }

 private:
  MainWindowHooks& hooks_;
};

}  // namespace

void registerResearchCommands(Workbench& workbench) {
  auto& research = workbench.keep(std::make_unique<PluggedResearch>(workbench));
  CommandRegistry& commands = workbench.commands;
  LinkCollection& links = research.links;
  commands.add("getlinks", [&links] { links.getlinks_Click(); },
               {"finder", 20, "Get/Add all Links"});
  commands.add("viewlinkslisting", [&links] { links.viewlinkslisting_Click(); },
               {"view", 120, "View links listing"});
  commands.add("Command1", [&links] { links.Command1_Click(); });
  commands.add("listlinks_DblClick", [&links] { links.listlinks_DblClick(); });
  commands.add("listlinks_Hide", [&links] { links.hideLinksList(); });
  // Collecting images: the links of the page shown, then the crawl.
  commands.add("Picture15", [&links] {
    links.getlinks_Click();
    links.CrawlNext();
  });
  KeywordSearch& search = research.search;
  commands.add("readit", [&search] { search.readit_Click(); }, {"finder", 60, "Find keywords"});
  commands.add("findemail", [&search] { search.findemail_Click(); }, {"finder", 40, "Find e-mail"});
  commands.add("findcontact", [&search] { search.findcontact_Click(); },
               {"finder", 50, "Find contact"});
  PageReader& reader = research.reader;
  commands.add("addlink", [&reader] { reader.addlink_Click(); }, {"finder", 10, "Add Link"});
  commands.add("viewreport", [&reader] { reader.viewreport_Click(); },
               {"finder", 80, "Create Full Report"});
  commands.add("readnext", [&reader] { reader.readnext_Click(); }, {"finder", 90, "Read next"});
  commands.add("viewlinks", [&reader] { reader.viewlinks_Click(); }, {"view", 90, "View report"});
  commands.add("savereport", [&reader] { reader.savereport_Click(); },
               {"view", 100, "Save report"});
  commands.add("listlisting", [&reader] { reader.listlisting_Click(); },
               {"view", 110, "Veiw report listing"});
  commands.add("closel3", [&reader] { reader.closel3_Click(); });
  commands.add("Clearalllinks", [&reader] { reader.Clearalllinks_Click(); });
  commands.add("List3_DblClick", [&reader] { reader.List3_DblClick(); });
}

}  // namespace vendaro
