#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Browser.h"

namespace vendaro::testing {

// A browser that records the calls made on it and serves scripted documents.
// `Navigate` asks `onBeforeNavigate` first; a navigation completes only when
// the test calls `completeNavigation`. Written documents are recorded only;
// closing one raises no event.
class FakeBrowser : public Browser {
 public:
  void Navigate(const std::string& address) override;
  void GoBack() override { record("GoBack"); }
  void GoForward() override { record("GoForward"); }
  void Stop() override {
    busy = false;  // a stopped load is over
    record("Stop");
  }
  void Refresh() override { record("Refresh"); }
  bool Busy() const override { return busy; }
  std::string LocationURL() const override { return locationUrl; }
  std::string LocationName() const override { return locationName; }
  std::shared_ptr<const PageDocument> Document() const override { return document; }
  void openDocument() override;
  void appendToDocument(const std::string& html) override;
  void closeDocument() override;
  void execCommand(BrowserCommand command) override { commands.push_back(command); }
  void clearHistory() override { calls.push_back("clearHistory"); }

  // Finishes the last navigation: sets location and document from `pages`
  // (or an empty page) and raises navigate, download and document complete.
  void completeNavigation();
  // Raises navigate complete and document complete for a frame of the page.
  void completeFrame(const std::string& address);
  // Raises a document event of the shown page.
  void raiseDocumentEvent(DocumentEvent::Kind kind, const std::string& href = "");

  // When set, GoBack, GoForward, Stop and Refresh throw after being recorded,
  // as a browser reports an error (no earlier page, nothing to stop).
  bool failing = false;
  std::vector<std::string> calls;
  std::vector<std::string> navigations;
  std::vector<BrowserCommand> commands;
  // The text being written while a document is open; the whole text of each
  // closed document.
  std::optional<std::string> openText;
  std::vector<std::string> written;
  std::map<std::string, std::shared_ptr<const PageDocument>> pages;
  bool busy = false;
  std::string locationUrl;
  std::string locationName;
  std::shared_ptr<const PageDocument> document;

 private:
  void record(const char* call);
};

}  // namespace vendaro::testing
