#pragma once

#include "common/ports/PictureCollector.h"
#include "common/ports/VisitRecorder.h"
#include "platform/BrowserPane.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/StatusBar.h"

namespace vendaro {

// The main window's controls that the pane events read or change.
struct PaneEventControls {
  BrowserPane& WebBrowser1;
  BrowserPane& WebBrowser5;
  ListControl& Combo2;
  Label& Caption;
  StatusBar& StatusBar1;
  ListControl& domain;   // private history
  ListControl& domain2;  // public history
  const bool& inPrivateZone;
  const bool& keepRecord;
  VisitRecorder* const& visitRecorder;        // null skips the history step
  PictureCollector* const& pictureCollector;  // null skips that step
};

// What the main window does when its two user panes report progress: the
// page state in status panel 1, the caption and address bar, the page's
// document events, and the hand-over of each completed page to the history
// and the image buffer. Takes the panes' callbacks for its lifetime.
class PaneEvents {
 public:
  explicit PaneEvents(PaneEventControls controls);
  PaneEvents(const PaneEvents&) = delete;
  PaneEvents& operator=(const PaneEvents&) = delete;
  ~PaneEvents();

  // Hands the main pane's page to the history recorder and the picture
  // collector; nothing without a page.
  void ProcessCompletedPage();

  // May be null: that step is then skipped.

 private:
  void WebBrowser1_BeforeNavigate2();
  void WebBrowser1_NavigateComplete2();
  void WebBrowser1_DownloadComplete();
  void WebBrowser1_DocumentComplete(FrameLevel level);
  void WebBrowser1_DocumentEvent(const DocumentEvent& event);
  void WebBrowser5_NavigateComplete2(FrameLevel level);
  void WebBrowser5_DocumentComplete(FrameLevel level);
  void WebBrowser5_DocumentEvent(const DocumentEvent& event);

  bool publicZone() const { return !c_.inPrivateZone; }
  // Address bar, caption and page state for a pane that starts showing a page.
  void showNavigation(const Browser& pane);
  void setPageState(const char* text) { c_.StatusBar1.setPanelText(1, text); }

  PaneEventControls c_;
  // Whether the document events of each pane's page are being followed.
  bool followingWebBrowser1Document_ = false;
  bool followingWebBrowser5Document_ = false;
};

}  // namespace vendaro
