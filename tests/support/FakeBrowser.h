#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Browser.h"

namespace vendaro::testing {

// A browser that records the calls made on it and serves scripted documents.
// Navigation completes only when the test calls `completeNavigation`.
class FakeBrowser : public Browser {
 public:
  void Navigate(const std::string& address) override;
  void GoBack() override { calls.push_back("GoBack"); }
  void GoForward() override { calls.push_back("GoForward"); }
  void Stop() override { calls.push_back("Stop"); }
  void Refresh() override { calls.push_back("Refresh"); }
  bool Busy() const override { return busy; }
  std::string LocationURL() const override { return locationUrl; }
  std::string LocationName() const override { return locationName; }
  std::shared_ptr<const PageDocument> Document() const override { return document; }
  void writeDocument(const std::string& html) override { written.push_back(html); }

  // Finishes the last navigation: sets location and document from `pages`
  // (or an empty page) and raises navigate, download and document complete.
  void completeNavigation();

  std::vector<std::string> calls;
  std::vector<std::string> navigations;
  std::vector<std::string> written;
  std::map<std::string, std::shared_ptr<const PageDocument>> pages;
  bool busy = false;
  std::string locationUrl;
  std::string locationName;
  std::shared_ptr<const PageDocument> document;
};

}  // namespace vendaro::testing
