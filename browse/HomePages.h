#pragma once

#include <functional>

#include "common/VendorSettings.h"
#include "common/ports/PaneNavigator.h"
#include "common/ports/TransferPool.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// The rotation of the vendor's home pages: "/list5.txt" (Inet10) fills the
// queue List5; each start shows the first page not yet in List6 (the pages
// already shown, saved across starts) in WebBrowser1; when every page has
// been shown, List6 is emptied and the vendor home is shown.
class HomePages {
 public:
  static constexpr std::size_t kReadSize = 64000;

  HomePages(TransferPool& transfers, ListControl& list6, PaneNavigator& panes,
            const VendorSettings& vendor);
  ~HomePages();
  HomePages(const HomePages&) = delete;
  HomePages& operator=(const HomePages&) = delete;

  // Downloads the list of home pages (at the window's load).
  void load();
  void Inet10_StateChanged(int state);
  // "Shows  next home page".
  void Picture24_MouseUp();

  ListControl List5;   // home pages still to show
  Transfer& Inet10;    // downloads the list
  ListControl& List6;  // the main window's saved list of pages shown
  // Runs when the list cannot be downloaded (the vendor site unreachable).
  std::function<void()> onVendorUnreachable;

 private:
  void skipShownPages();
  void showFirstQueued();

  PaneNavigator& panes_;
  const VendorSettings& vendor_;
};

}  // namespace vendaro
