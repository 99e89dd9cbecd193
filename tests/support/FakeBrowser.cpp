#include "tests/support/FakeBrowser.h"

#include <stdexcept>

namespace vendaro::testing {

void FakeBrowser::record(const char* call) {
  calls.push_back(call);
  if (failing) throw std::runtime_error(std::string(call) + " failed");
}

void FakeBrowser::Navigate(const std::string& address) {
  calls.push_back("Navigate " + address);
  bool cancel = false;
  if (onBeforeNavigate) onBeforeNavigate(address, cancel);
  if (cancel) return;
  navigations.push_back(address);
  busy = true;
}

void FakeBrowser::openDocument() {
  openText.emplace();
}

void FakeBrowser::appendToDocument(const std::string& html) {
  if (!openText) openDocument();
  openText->append(html);
}

void FakeBrowser::closeDocument() {
  if (!openText) return;
  written.push_back(*openText);
  openText.reset();
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

void FakeBrowser::completeFrame(const std::string& address) {
  if (onNavigateComplete) onNavigateComplete(FrameLevel::Frame, address);
  if (onDocumentComplete) onDocumentComplete(FrameLevel::Frame, address);
}

void FakeBrowser::raiseDocumentEvent(DocumentEvent::Kind kind, const std::string& href) {
  DocumentEvent event;
  event.kind = kind;
  event.tagName = href.empty() ? "IMG" : "A";
  event.href = href;
  if (onDocumentEvent) onDocumentEvent(event);
}

}  // namespace vendaro::testing
