#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Browser.h"
#include "platform/EventLoop.h"
#include "platform/curl/FetchThread.h"

namespace vendaro {

struct AssembledPage;

// A browser without a screen for the hidden panes: it fetches a page and its
// frames over HTTP(S), parses them into a `PageDocument` and raises the
// browser's events on the event loop once everything is in. `Busy` is true
// from `Navigate` until then and is already false when the events come.
// Events of one load, in order: navigate complete (top level), title change,
// download complete, document complete for each loaded frame (inner frames
// before the frame holding them), document complete (top level) last. A
// handler that navigates, stops or writes ends the remaining events of the
// load. `Stop` abandons the load: nothing is raised for it afterwards.
class PageLoader : public Browser {
 public:
  explicit PageLoader(EventLoop& loop);
  ~PageLoader() override;

  void Navigate(const std::string& address) override;
  void GoBack() override;
  void GoForward() override;
  void Stop() override;
  void Refresh() override;
  bool Busy() const override { return loading_ != nullptr; }
  std::string LocationURL() const override { return location_; }
  std::string LocationName() const override;
  std::shared_ptr<const PageDocument> Document() const override { return document_; }
  // Why the page last loaded could not be read (as `failureOf` says); empty
  // when it was, and for a written document.
  const std::string& LoadError() const { return loadError_; }
  // The pieces are kept until the document is closed. Closing abandons a load
  // under way, shows the text as the document at about:blank at once and
  // raises document complete (top level) on the event loop.
  void openDocument() override;
  void appendToDocument(const std::string& html) override;
  void closeDocument() override;
  void clearHistory() override;
  // Whether a page that answers with an HTTP error status (a missing page's
  // "Error response") is shown as an empty document at its address, for a
  // reader that harvests pages rather than showing them. Off by default.
  void setErrorPagesEmpty(bool empty) { errorPagesEmpty_ = empty; }

 private:
  static constexpr int kNewHistoryEntry = -1;

  // Asks `onBeforeNavigate`, then loads `address`; `historyIndex` is the
  // history entry the page becomes, or a new entry after the current one.
  void load(const std::string& address, int historyIndex);
  void show(const AssembledPage& page, int historyIndex);
  void recordHistory(int historyIndex);
  void showDocument(const std::string& html);
  void raiseLoadEvents(const AssembledPage& page);
  // Runs `raise` unless the load it belongs to has been replaced; returns
  // whether the load is still current afterwards.
  template <typename Raise>
  bool raiseIfCurrent(std::uint64_t generation, Raise raise);

  EventLoop& loop_;
  std::unique_ptr<FetchThread> loading_;
  std::shared_ptr<const PageDocument> document_;
  // The document being written, while one is open.
  std::optional<std::string> openDocument_;
  std::string location_;
  std::string loadError_;
  std::vector<std::string> history_;
  int historyIndex_ = -1;
  // Counts loads, stops and writes, so events of an earlier one are dropped.
  std::uint64_t generation_ = 0;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  bool errorPagesEmpty_ = false;
};

}  // namespace vendaro
