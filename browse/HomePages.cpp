#include "browse/HomePages.h"

#include <algorithm>
#include <string>

#include "common/TextFile.h"

namespace vendaro {

HomePages::HomePages(MainWindowControls& main, const VendorSettings& vendor)
    : main_(main), vendor_(vendor) {
  List5.setVisible(false);
  main_.Inet(10).onStateChanged = [this](int state) { Inet10_StateChanged(state); };
}

HomePages::~HomePages() {
  main_.Inet(10).onStateChanged = nullptr;
}

void HomePages::Inet10_StateChanged(int state) {
  if (state == Transfer::kStateError) {
    if (onVendorUnreachable) onVendorUnreachable();
    return;
  }
  if (state != Transfer::kStateResponseCompleted) return;
  // One address per line, each ended by a CR LF searched from one place after
  // its start (as the saved lists are split); text after the last is ignored.
  const std::string text = main_.Inet(10).GetChunk(kReadSize);
  std::size_t start = 0;
  for (std::size_t end = text.find(kCrLf, start + 1); end != std::string::npos;
       end = text.find(kCrLf, start + 1)) {
    List5.AddItem(text.substr(start, end - start));
    start = end + kCrLf.size();
  }
  if (main_.List6.ListCount() == 0 && List5.ListCount() > 0) {
    showFirstQueued();
    return;
  }
  skipShownPages();
  if (List5.ListCount() > 0) {
    showFirstQueued();
  } else {
    main_.List6.Clear();
    main_.WebBrowser1.browser().Navigate(vendor_.baseUrl);
  }
}

void HomePages::Picture24_MouseUp() {
  skipShownPages();
  if (List5.ListCount() > 0) {
    showFirstQueued();
  } else {
    main_.Inet(10).Execute(vendor_.address("/list5.txt"));
  }
}

void HomePages::skipShownPages() {
  const auto& shown = main_.List6.items();
  while (List5.ListCount() > 0 &&
         std::find(shown.begin(), shown.end(), List5.List(0)) != shown.end()) {
    List5.RemoveItem(0);
  }
}

void HomePages::showFirstQueued() {
  const std::string address = List5.List(0);
  main_.WebBrowser1.browser().Navigate(address);
  main_.List6.AddItem(address);
  List5.RemoveItem(0);
}

}  // namespace vendaro
