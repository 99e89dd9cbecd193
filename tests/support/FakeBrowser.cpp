#include "tests/support/FakeBrowser.h"

namespace vendaro::testing {

void FakeBrowser::Navigate(const std::string& address) {
  calls.push_back("Navigate " + address);
  navigations.push_back(address);
  busy = true;
}

void FakeBrowser::completeNavigation() {
  if (navigations.empty()) return;
  const std::string address = navigations.back();
  auto page = pages.find(address);
  document = page != pages.end() ? page->second : std::make_shared<PageDocument>();
  locationUrl = address;
  locationName = document->title.empty() ? address : document->title;
  busy = false;
  if (onNavigateComplete) onNavigateComplete(FrameLevel::TopLevel, address);
  if (onDownloadComplete) onDownloadComplete();
  if (onDocumentComplete) onDocumentComplete(FrameLevel::TopLevel, address);
}

}  // namespace vendaro::testing
