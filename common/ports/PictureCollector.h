#pragma once

#include "platform/Browser.h"
#include "platform/PageDocument.h"

namespace vendaro {

// The image buffer and catalogs as the browser panes see them. The main
// window hands pages and clicks over; the image-buffer feature implements it.
// Every step does nothing unless overridden.
class PictureCollector {
 public:
  virtual ~PictureCollector() = default;
  // A page completed in the main pane `WebBrowser1`.
  virtual void collectPageImages(const PageDocument& /*document*/) {}
  // A click in the page of `WebBrowser1` (`mainPane`) or `WebBrowser5`.
  virtual void addToCatalog(const DocumentEvent& /*click*/, bool /*mainPane*/) {}
  // `WebBrowser5` completed a page or one of its frames while the private
  // zone is open.
  virtual void privateZonePageCompleted(FrameLevel /*level*/) {}
  // A page the crawler loaded: its pictures to the buffer, its links queued.
  virtual void crawlPage(const PageDocument& /*document*/) {}
};

}  // namespace vendaro
