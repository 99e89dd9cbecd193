#include "browse/HomePages.h"

#include <algorithm>
#include <string>

#include "common/TextFile.h"

namespace vendaro {

HomePages::HomePages(TransferPool& transfers, ListControl& list6, PaneNavigator& panes,
                     const VendorSettings& vendor)
    : Inet10(transfers.take("home pages")), List6(list6), panes_(panes), vendor_(vendor) {
  List5.setVisible(false);
  Inet10.onStateChanged = [this](int state) { Inet10_StateChanged(state); };
}

HomePages::~HomePages() {
  Inet10.onStateChanged = nullptr;
}

void HomePages::load() {
  Inet10.Execute(vendor_.address("/list5.txt"));
}

void HomePages::Inet10_StateChanged(int state) {
  if (state == Transfer::kStateError) {
    if (onVendorUnreachable) onVendorUnreachable();
    return;
  }
  if (state != Transfer::kStateResponseCompleted) return;
  // One address per line, each ended by a CR LF searched from one place after
  // its start (as the saved lists are split); text after the last is ignored.
  const std::string text = Inet10.GetChunk(kReadSize);
  std::size_t start = 0;
  for (std::size_t end = text.find(kCrLf, start + 1); end != std::string::npos;
       end = text.find(kCrLf, start + 1)) {
    List5.AddItem(text.substr(start, end - start));
    start = end + kCrLf.size();
  }
  if (List6.ListCount() == 0 && List5.ListCount() > 0) {
    showFirstQueued();
    return;
  }
  skipShownPages();
  if (List5.ListCount() > 0) {
    showFirstQueued();
  } else {
    List6.Clear();
    panes_.WebBrowser1.browser().Navigate(vendor_.baseUrl);
  }
}

void HomePages::Picture24_MouseUp() {
  skipShownPages();
  if (List5.ListCount() > 0) {
    showFirstQueued();
  } else {
    load();
  }
}

void HomePages::skipShownPages() {
  const auto& shown = List6.items();
  while (List5.ListCount() > 0 &&
         std::find(shown.begin(), shown.end(), List5.List(0)) != shown.end()) {
    List5.RemoveItem(0);
  }
}

void HomePages::showFirstQueued() {
  const std::string address = List5.List(0);
  panes_.WebBrowser1.browser().Navigate(address);
  List6.AddItem(address);
  List5.RemoveItem(0);
}

}  // namespace vendaro
