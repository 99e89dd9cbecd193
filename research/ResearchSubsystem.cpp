#include "research/ResearchSubsystem.h"

#include <memory>

#include "research/Research.h"

namespace vendaro {
namespace {

// The research as a part of the workbench: plugged into the main window's
// stop command while it lives.
class PluggedResearch : public Research {
 public:
  explicit PluggedResearch(Workbench& workbench)
      : Research(workbench.mainWindow, workbench.dialogs, workbench.loop),
        main_(workbench.mainWindow) {
    main_.stopResearch = [this] { stop(); };
  }
  PluggedResearch(const PluggedResearch&) = delete;
  PluggedResearch& operator=(const PluggedResearch&) = delete;
  ~PluggedResearch() { main_.stopResearch = nullptr; }

 private:
  MainWindowControls& main_;
};

}  // namespace

void registerResearchCommands(Workbench& workbench) {
  auto& research = workbench.keep(std::make_unique<PluggedResearch>(workbench));
  CommandRegistry& commands = workbench.commands;
  LinkCollection& links = research.links;
  commands.add("getlinks", [&links] { links.getlinks_Click(); });
  commands.add("viewlinkslisting", [&links] { links.viewlinkslisting_Click(); });
  commands.add("Command1", [&links] { links.Command1_Click(); });
  commands.add("listlinks_DblClick", [&links] { links.listlinks_DblClick(); });
  commands.add("listlinks_Hide", [&links] { links.hideLinksList(); });
  // Collecting images: the links of the page shown, then the crawl.
  commands.add("Picture15", [&links] {
    links.getlinks_Click();
    links.CrawlNext();
  });
  KeywordSearch& search = research.search;
  commands.add("readit", [&search] { search.readit_Click(); });
  commands.add("findemail", [&search] { search.findemail_Click(); });
  commands.add("findcontact", [&search] { search.findcontact_Click(); });
  PageReader& reader = research.reader;
  commands.add("addlink", [&reader] { reader.addlink_Click(); });
  commands.add("viewreport", [&reader] { reader.viewreport_Click(); });
  commands.add("readnext", [&reader] { reader.readnext_Click(); });
  commands.add("viewlinks", [&reader] { reader.viewlinks_Click(); });
  commands.add("savereport", [&reader] { reader.savereport_Click(); });
  commands.add("listlisting", [&reader] { reader.listlisting_Click(); });
  commands.add("closel3", [&reader] { reader.closel3_Click(); });
  commands.add("Clearalllinks", [&reader] { reader.Clearalllinks_Click(); });
  commands.add("List3_DblClick", [&reader] { reader.List3_DblClick(); });
}

}  // namespace vendaro
