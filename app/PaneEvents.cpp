#include "app/PaneEvents.h"

#include <initializer_list>

#include "common/EnginePages.h"

namespace vendaro {
namespace {

constexpr const char* kWorking = "Working...";
constexpr const char* kDone = "Done";

}  // namespace

PaneEvents::PaneEvents(PaneEventControls controls) : c_(controls) {
  Browser& browser1 = c_.WebBrowser1.browser();
  browser1.onBeforeNavigate = [this](const std::string&, bool&) { WebBrowser1_BeforeNavigate2(); };
  browser1.onNavigateComplete = [this](FrameLevel, const std::string&) {
    WebBrowser1_NavigateComplete2();
  };
  browser1.onDownloadComplete = [this] { WebBrowser1_DownloadComplete(); };
  browser1.onDocumentComplete = [this](FrameLevel level, const std::string&) {
    WebBrowser1_DocumentComplete(level);
  };
  browser1.onDocumentEvent = [this](const DocumentEvent& event) {
    WebBrowser1_DocumentEvent(event);
  };

  Browser& browser5 = c_.WebBrowser5.browser();
  browser5.onNavigateComplete = [this](FrameLevel level, const std::string&) {
    WebBrowser5_NavigateComplete2(level);
  };
  browser5.onDocumentComplete = [this](FrameLevel level, const std::string&) {
    WebBrowser5_DocumentComplete(level);
  };
  browser5.onDocumentEvent = [this](const DocumentEvent& event) {
    WebBrowser5_DocumentEvent(event);
  };
}

PaneEvents::~PaneEvents() {
  // The browsers may outlive the window and must not call back into it.
  for (BrowserPane* pane : {&c_.WebBrowser1, &c_.WebBrowser5}) {
    Browser& browser = pane->browser();
    browser.onBeforeNavigate = nullptr;
    browser.onNavigateComplete = nullptr;
    browser.onDownloadComplete = nullptr;
    browser.onDocumentComplete = nullptr;
    browser.onDocumentEvent = nullptr;
  }
}

void PaneEvents::showNavigation(const Browser& pane) {
  // A blank page (about:blank) leaves the address bar empty, as browsers do.
  const std::string address = pane.LocationURL();
  c_.Combo2.setText(isEngineAddress(address) ? std::string() : address);
  c_.Caption.setCaption(pane.LocationName());
  setPageState(kWorking);
}

void PaneEvents::WebBrowser1_BeforeNavigate2() {
  followingWebBrowser1Document_ = false;
}

void PaneEvents::WebBrowser1_NavigateComplete2() {
  if (c_.WebBrowser1.Visible() && publicZone()) showNavigation(c_.WebBrowser1.browser());
}

// A page that completes in the pane not on screen leaves the caption and the
// page state of the pane on screen as they are.
void PaneEvents::WebBrowser1_DownloadComplete() {
  if (!c_.WebBrowser1.Visible()) return;
  if (!c_.inPrivateZone) c_.Caption.setCaption(c_.WebBrowser1.browser().LocationName());
  setPageState(kDone);
}

void PaneEvents::WebBrowser1_DocumentComplete(FrameLevel level) {
  if (level == FrameLevel::TopLevel && c_.WebBrowser1.Visible()) {
    followingWebBrowser1Document_ = true;
  }
  ProcessCompletedPage();
}

void PaneEvents::WebBrowser1_DocumentEvent(const DocumentEvent& event) {
  if (!followingWebBrowser1Document_) return;
  switch (event.kind) {
    case DocumentEvent::Kind::MouseOut:
      setPageState("");
      break;
    case DocumentEvent::Kind::MouseOver:
      // Shows where the link under the pointer leads, except in the private zone.
      if (publicZone()) {
        setPageState("");
        c_.StatusBar1.setPanelText(1, event.href);
      }
      break;
    case DocumentEvent::Kind::Click:
      if (c_.pictureCollector) c_.pictureCollector->addToCatalog(event, true);
      break;
  }
}

void PaneEvents::ProcessCompletedPage() {
  const auto document = c_.WebBrowser1.browser().Document();
  // The engine's own error page is no visit and has no pictures of the site.
  if (!document || isEnginePage(*document)) return;
  if (c_.visitRecorder) {
    if (publicZone()) {
      c_.visitRecorder->recordVisitedDomain(c_.domain2, *document);
    } else if (c_.keepRecord) {
      c_.visitRecorder->recordVisitedDomain(c_.domain, *document);
    }
  }
  if (c_.pictureCollector) c_.pictureCollector->collectPageImages(*document);
}

void PaneEvents::WebBrowser5_NavigateComplete2(FrameLevel level) {
  if (c_.WebBrowser5.Visible() && publicZone()) showNavigation(c_.WebBrowser5.browser());
  if (level == FrameLevel::TopLevel) followingWebBrowser5Document_ = true;
}

void PaneEvents::WebBrowser5_DocumentComplete(FrameLevel level) {
  if (c_.inPrivateZone && c_.pictureCollector) c_.pictureCollector->privateZonePageCompleted(level);
}

void PaneEvents::WebBrowser5_DocumentEvent(const DocumentEvent& event) {
  if (followingWebBrowser5Document_ && event.kind == DocumentEvent::Kind::Click &&
      c_.pictureCollector) {
    c_.pictureCollector->addToCatalog(event, false);
  }
}

}  // namespace vendaro
