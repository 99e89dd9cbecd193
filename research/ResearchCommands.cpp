#include "research/ResearchCommands.h"

#include <memory>

#include "common/CommandLine.h"
#include "common/MainWindowControls.h"
#include "common/TextFile.h"
#include "platform/BlockingEventLoop.h"
#include "platform/HeadlessDialogs.h"
#include "platform/curl/CurlTransfer.h"
#include "platform/curl/PageLoader.h"
#include "research/Research.h"

namespace vendaro {
namespace {

// The research models over the real fetchers and page loaders, without a
// screen: the messages go to `err` and every question is answered No.
class HeadlessResearch {
 public:
  explicit HeadlessResearch(std::ostream& err)
      : dialogs_([&err](const std::string& text, MessageIcon) { err << text << '\n'; }),
        main({pane1, pane5, pane2, pane3, pane4},
             [this] { return std::make_unique<CurlTransfer>(loop); }),
        research(main, dialogs_, loop) {
    main.WebBrowser5.setVisible(false);
  }

  BlockingEventLoop loop;

 private:
  PageLoader pane1{loop}, pane5{loop}, pane2{loop}, pane3{loop}, pane4{loop};
  HeadlessDialogs dialogs_;

 public:
  MainWindowControls main;
  Research research;
};

void printList(const ListControl& list, std::ostream& out) {
  for (const std::string& entry : list.items()) out << entry << '\n';
}

}  // namespace

int runLinksCommand(const LinksOptions& options, std::ostream& out, std::ostream& err) {
  if (!isWebAddress(options.address)) {
    err << "vendaro links: only http and https addresses can be read: " << options.address << '\n';
    return kExitError;
  }
  HeadlessResearch headless(err);
  Browser& pane = headless.main.WebBrowser1.browser();
  pane.onDocumentComplete = [&headless](FrameLevel level, const std::string&) {
    if (level == FrameLevel::TopLevel) headless.loop.stop();
  };
  pane.Navigate(options.address);
  headless.loop.run();
  const auto document = pane.Document();
  if (!document || (document->bodyTagName.empty() && document->frames.empty())) {
    err << "vendaro links: cannot read " << options.address << '\n';
    return kExitError;
  }
  headless.main.Combo1.setText(options.keyword);
  headless.research.links.getlinks_Click();
  printList(headless.main.listlinks, out);
  return 0;
}

int runFindCommand(const FindOptions& options, std::ostream& out, std::ostream& err) {
  HeadlessResearch headless(err);
  MainWindowControls& main = headless.main;
  Research& research = headless.research;
  main.listlinks.AddItems(options.addresses);
  const bool wantsReport = !options.report.empty();
  research.reader.onStopped = [&headless] { headless.loop.stop(); };
  research.search.onFinished = [&] {
    printList(main.listlinks, out);
    if (!wantsReport || main.listlinks.ListCount() == 0) {
      headless.loop.stop();
      return;
    }
    // Nobody is there to press "Read next": a page that times out is skipped.
    research.flags.liveResults = true;
    research.reader.viewreport_Click();
  };
  switch (options.kind) {
    case FindKind::Keywords:
      // The word entered last is tried first, as in the keyword box.
      for (const std::string& keyword : options.keywords) main.Combo1.AddItem(keyword, 0);
      research.search.readit_Click();
      break;
    case FindKind::Email:
      research.search.findemail_Click();
      break;
    case FindKind::Contact:
      research.search.findcontact_Click();
      break;
  }
  if (main.Combo1.ListCount() == 0) return kExitError;  // no keywords: nothing was started
  headless.loop.run();
  if (wantsReport && !writeWholeFile(options.report, research.reader.reportFileText() + "\r\n")) {
    err << "vendaro find: cannot write " << options.report.string() << '\n';
    return kExitError;
  }
  return 0;
}

}  // namespace vendaro
