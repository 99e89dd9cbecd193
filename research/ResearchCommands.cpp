#include "research/ResearchCommands.h"

#include <memory>

#include "common/CommandLine.h"
#include "common/MainWindowControls.h"
#include "common/TextFile.h"
#include "platform/BlockingEventLoop.h"
#include "platform/HeadlessDialogs.h"
#include "platform/Text.h"
#include "platform/curl/CurlTransfer.h"
#include "platform/curl/PageLoader.h"
#include "platform/html/NestingLimit.h"
#include "research/Research.h"

namespace vendaro {
namespace {

// A command that ran but could not read every page it was given.
constexpr int kExitPageFailed = 1;

// The research models over the real fetchers and page loaders, without a
// screen. The window's messages and questions are for a user at the screen:
// they are not printed, and every question is answered No.
class HeadlessResearch {
 public:
  HeadlessResearch()
      : main({pane1, pane5, pane2, pane3, pane4},
             [this] { return std::make_unique<CurlTransfer>(loop); }),
        research(main, dialogs_, loop) {
    main.WebBrowser5.setVisible(false);
  }

  BlockingEventLoop loop;
  PageLoader pane1{loop};

 private:
  PageLoader pane5{loop}, pane2{loop}, pane3{loop}, pane4{loop};
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
  if (!text::isWebAddress(options.address)) {
    err << "vendaro links: only http and https addresses can be read: " << options.address << '\n';
    return kExitError;
  }
  HeadlessResearch headless;
  PageLoader& pane = headless.pane1;
  bool answered = false;
  pane.onDocumentComplete = [&](FrameLevel level, const std::string&) {
    if (level != FrameLevel::TopLevel) return;
    answered = true;
    headless.loop.stop();
  };
  // A server that accepts and never answers is given up as the window's
  // loaders give it up.
  headless.loop.postDelayed(LinkCollection::kWatchdogMs, [&headless] { headless.loop.stop(); });
  pane.Navigate(options.address);
  headless.loop.run();
  const std::string failure = answered ? pane.LoadError() : "no answer within 30 seconds";
  if (!failure.empty() || !pane.Document()) {
    err << "vendaro links: cannot read " << options.address << ": " << failure << '\n';
    return kExitPageFailed;
  }
  if (const std::size_t flattened = pane.Document()->flattenedElements) {
    err << "vendaro links: " << options.address << " nests its elements more than "
        << kMaxNestingDepth << " deep; " << flattened
        << " deeper elements were read one level up, their links included\n";
  }
  headless.main.Combo1.setText(options.keyword);
  headless.research.links.getlinks_Click();
  printList(headless.main.listlinks, out);
  return 0;
}

int runFindCommand(const FindOptions& options, std::ostream& out, std::ostream& err) {
  HeadlessResearch headless;
  MainWindowControls& main = headless.main;
  Research& research = headless.research;
  main.listlinks.AddItems(options.addresses);
  bool anyFailed = false;
  research.search.onPageFailed = [&](const std::string& address, const std::string& why) {
    err << "vendaro find: cannot read " << address << ": " << why << '\n';
    anyFailed = true;
  };
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
  return anyFailed ? kExitPageFailed : 0;
}

}  // namespace vendaro
