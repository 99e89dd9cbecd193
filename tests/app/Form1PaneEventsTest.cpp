#include "tests/app/Form1Fixture.h"

namespace vendaro::testing {
namespace {

using Entries = std::vector<std::string>;
using Kind = DocumentEvent::Kind;

class RecordingVisits : public VisitRecorder {
 public:
  void recordVisitedDomain(ListControl& history, const PageDocument& document) override {
    history.AddItem(document.domain);
  }
};

class RecordingPictures : public PictureCollector {
 public:
  void collectPageImages(const PageDocument& document) override {
    collected.push_back(document.url);
  }
  void addToCatalog(const DocumentEvent& click, bool mainPane) override {
    clicks.push_back((mainPane ? "main " : "second ") + click.href);
  }
  void privateZonePageCompleted(FrameLevel level) override {
    privatePages.push_back(level == FrameLevel::TopLevel ? "page" : "frame");
  }
  Entries collected;
  Entries clicks;
  Entries privatePages;
};

std::shared_ptr<PageDocument> page(const std::string& url, const std::string& title,
                                   const std::string& domain) {
  auto document = std::make_shared<PageDocument>();
  document->url = url;
  document->title = title;
  document->domain = domain;
  return document;
}

class Form1PaneEvents : public Form1Fixture {
 protected:
  Form1PaneEvents() {
    loadForm();
    form->hooks.visitRecorder = &visits;
    form->hooks.pictureCollector = &pictures;
    browser1->pages["http://shop.example/"] = page("http://shop.example/", "Shop", "shop.example");
    browser5->pages["http://two.example/"] = page("http://two.example/", "Two", "two.example");
  }

  // Points a browser at a page and raises only its navigate-complete event.
  static void navigateCompleted(FakeBrowser& browser, FrameLevel level = FrameLevel::TopLevel) {
    browser.locationUrl = "http://shop.example/";
    browser.locationName = "Shop";
    browser.onNavigateComplete(level, browser.locationUrl);
  }

  void openInMainPane() {
    browser1->Navigate("http://shop.example/");
    browser1->completeNavigation();
  }

  const std::string& pageState() const { return form->StatusBar1.panelText(1); }

  RecordingVisits visits;
  RecordingPictures pictures;
};

TEST_F(Form1PaneEvents, MainPaneNavigationShowsAddressAndCaptionOnlyInThePublicZone) {
  form->zone.inPrivateZone = true;
  navigateCompleted(*browser1);
  browser1->onDownloadComplete();
  EXPECT_EQ(form->Combo2.Text(), "http://");
  EXPECT_EQ(form->Caption.Caption(), "Form1");
  EXPECT_EQ(pageState(), "Done");

  form->zone.inPrivateZone = false;
  navigateCompleted(*browser1);
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
  EXPECT_EQ(form->Caption.Caption(), "Shop");
  EXPECT_EQ(pageState(), "Working...");
  browser1->onDownloadComplete();
  EXPECT_EQ(pageState(), "Done");
}

// The bars show the pane on screen: a page completing in the hidden main
// pane changes neither them nor the caption, and switching shows its address.
TEST_F(Form1PaneEvents, HiddenMainPaneLeavesTheWindowAloneUntilItIsShown) {
  browser5->locationUrl = "http://two.example/";
  form->Picture23_MouseUp();  // "Browser 2"
  EXPECT_EQ(form->Combo2.Text(), "http://two.example/");
  form->StatusBar1.setPanelText(1, "translating");
  navigateCompleted(*browser1);
  browser1->onDownloadComplete();
  EXPECT_EQ(form->Combo2.Text(), "http://two.example/");
  EXPECT_EQ(form->Caption.Caption(), "Browser 2");
  EXPECT_EQ(pageState(), "translating");
  form->Picture23_MouseUp();
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
  // In the private zone the address bar keeps its text.
  form->zone.inPrivateZone = true;
  form->Picture23_MouseUp();
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
}

TEST_F(Form1PaneEvents, SecondPaneUpdatesTheBarsOnlyWhenShownAndFollowsItsPageEither) {
  // A frame's navigation does not follow the document.
  navigateCompleted(*browser5, FrameLevel::Frame);
  browser5->raiseDocumentEvent(Kind::Click, "http://two.example/a.jpg");
  EXPECT_TRUE(pictures.clicks.empty());

  navigateCompleted(*browser5);  // hidden: bars untouched, page events followed
  EXPECT_EQ(form->Caption.Caption(), "Form1");
  browser5->raiseDocumentEvent(Kind::Click, "http://two.example/a.jpg");
  browser5->raiseDocumentEvent(Kind::MouseOver, "http://two.example/b");
  EXPECT_EQ(pictures.clicks, Entries{"second http://two.example/a.jpg"});
  EXPECT_EQ(pageState(), "");

  form->Picture23_MouseUp();
  navigateCompleted(*browser5);
  EXPECT_EQ(form->Combo2.Text(), "http://shop.example/");
  EXPECT_EQ(form->Caption.Caption(), "Shop");
  EXPECT_EQ(pageState(), "Working...");
}

TEST_F(Form1PaneEvents, SecondPaneCompletionGoesToTheImageBufferOnlyInThePrivateZone) {
  browser5->Navigate("http://two.example/");
  browser5->completeNavigation();
  EXPECT_TRUE(pictures.privatePages.empty());
  form->zone.inPrivateZone = true;
  browser5->completeFrame("http://two.example/frame.htm");
  browser5->completeNavigation();
  EXPECT_EQ(pictures.privatePages, (Entries{"frame", "page"}));
  // Pages of the second pane are not recorded in the history.
  EXPECT_EQ(form->saved.domain2.ListCount(), 0);
}

TEST_F(Form1PaneEvents, CompletedPagesAreRecordedByZoneAndAlwaysCollected) {
  openInMainPane();
  EXPECT_EQ(form->saved.domain2.items(), Entries{"shop.example"});

  form->zone.inPrivateZone = true;
  openInMainPane();
  EXPECT_EQ(form->saved.domain.ListCount(), 0);
  form->zone.keepRecord = true;
  openInMainPane();
  EXPECT_EQ(form->saved.domain.items(), Entries{"shop.example"});
  EXPECT_EQ(form->saved.domain2.ListCount(), 1);
  EXPECT_EQ(pictures.collected.size(), 3u);

  // The engine's error page after a failed load is neither recorded nor collected.
  form->zone.inPrivateZone = false;
  browser1->pages["http://down.example/"] =
      page("chrome-error://chromewebdata/", "down.example", "chromewebdata");
  browser1->Navigate("http://down.example/");
  browser1->completeNavigation();
  EXPECT_EQ(form->saved.domain2.ListCount(), 1);
  EXPECT_EQ(pictures.collected.size(), 3u);
}

TEST_F(Form1PaneEvents, ProcessingWithoutAPageOrWithoutHelpersDoesNothing) {
  form->ProcessCompletedPage();
  EXPECT_TRUE(pictures.collected.empty());
  form->hooks.visitRecorder = nullptr;
  form->hooks.pictureCollector = nullptr;
  openInMainPane();
  EXPECT_EQ(form->saved.domain2.ListCount(), 0);
  EXPECT_EQ(pageState(), "Done");
}

TEST_F(Form1PaneEvents, FrameCompletionProcessesThePageButFollowsOnlyTheTopLevelDocument) {
  browser1->document = page("http://shop.example/", "Shop", "shop.example");
  browser1->completeFrame("http://shop.example/menu.htm");
  EXPECT_EQ(pictures.collected, Entries{"http://shop.example/"});
  EXPECT_EQ(form->saved.domain2.items(), Entries{"shop.example"});
  form->StatusBar1.setPanelText(1, "Done");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "Done");

  browser1->onDocumentComplete(FrameLevel::TopLevel, "http://shop.example/");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "");
}

TEST_F(Form1PaneEvents, PageEventsShowLinkAddressesAndPassClicks) {
  openInMainPane();
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/cart");
  EXPECT_EQ(pageState(), "http://shop.example/cart");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "");
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/x");
  browser1->raiseDocumentEvent(Kind::MouseOver);  // an element without href
  EXPECT_EQ(pageState(), "");
  browser1->raiseDocumentEvent(Kind::Click, "http://shop.example/p.jpg");
  EXPECT_EQ(pictures.clicks, Entries{"main http://shop.example/p.jpg"});

  form->zone.inPrivateZone = true;
  form->StatusBar1.setPanelText(1, "Done");
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/cart");
  EXPECT_EQ(pageState(), "Done");
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "");
}

TEST_F(Form1PaneEvents, LeavingThePageOrAHiddenPaneEndsFollowingItsEvents) {
  openInMainPane();
  browser1->Navigate("http://elsewhere.example/");
  browser1->raiseDocumentEvent(Kind::MouseOver, "http://shop.example/cart");
  browser1->raiseDocumentEvent(Kind::Click, "http://shop.example/p.jpg");
  EXPECT_EQ(pageState(), "Done");
  EXPECT_TRUE(pictures.clicks.empty());

  form->Picture23_MouseUp();
  browser1->completeNavigation();  // completes while hidden: still processed
  EXPECT_EQ(pictures.collected.size(), 2u);
  browser1->raiseDocumentEvent(Kind::MouseOut);
  EXPECT_EQ(pageState(), "Done");
}

TEST_F(Form1PaneEvents, AClosedWindowNoLongerListensToItsPanes) {
  form.reset();
  EXPECT_FALSE(browser1->onNavigateComplete);
  EXPECT_FALSE(browser1->onDocumentEvent);
  EXPECT_FALSE(browser5->onDocumentComplete);
}

}  // namespace
}  // namespace vendaro::testing
