#include "platform/curl/PageLoader.h"

#include <utility>

#include "platform/curl/HttpFetch.h"
#include "platform/curl/PageAssembler.h"
#include "platform/html/HtmlParser.h"

namespace vendaro {
namespace {

constexpr const char* kBlankAddress = "about:blank";
constexpr long kFirstErrorStatus = 400;

}  // namespace

PageLoader::PageLoader(EventLoop& loop) : loop_(loop) {}

PageLoader::~PageLoader() {
  *alive_ = false;
  loading_.reset();
}

void PageLoader::Navigate(const std::string& address) {
  load(address, kNewHistoryEntry);
}

void PageLoader::GoBack() {
  if (historyIndex_ > 0) load(history_[historyIndex_ - 1], historyIndex_ - 1);
}

void PageLoader::GoForward() {
  if (historyIndex_ >= 0 && historyIndex_ + 1 < static_cast<int>(history_.size())) {
    load(history_[historyIndex_ + 1], historyIndex_ + 1);
  }
}

void PageLoader::Refresh() {
  if (historyIndex_ >= 0 && location_ != kBlankAddress) load(location_, historyIndex_);
}

void PageLoader::Stop() {
  ++generation_;
  loading_.reset();
}

std::string PageLoader::LocationName() const {
  if (document_ && !document_->title.empty()) return document_->title;
  return location_;
}

void PageLoader::clearHistory() {
  history_.clear();
  historyIndex_ = -1;
  if (location_.empty() || location_ == kBlankAddress) return;
  history_.push_back(location_);
  historyIndex_ = 0;
}

void PageLoader::openDocument() {
  openDocument_.emplace();
}

void PageLoader::appendToDocument(const std::string& html) {
  if (!openDocument_) openDocument();
  openDocument_->append(html);
}

void PageLoader::closeDocument() {
  if (!openDocument_) return;
  const std::string html = std::move(*openDocument_);
  openDocument_.reset();
  showDocument(html);
}

void PageLoader::showDocument(const std::string& html) {
  Stop();
  document_ = std::make_shared<const PageDocument>(parseHtmlPage(html, kBlankAddress));
  location_ = kBlankAddress;
  loadError_.clear();
  const std::uint64_t generation = generation_;
  std::weak_ptr<bool> alive = alive_;
  loop_.post([this, alive, generation] {
    if (alive.expired()) return;
    raiseIfCurrent(generation, [this] {
      if (onDocumentComplete) onDocumentComplete(FrameLevel::TopLevel, location_);
    });
  });
}

void PageLoader::load(const std::string& address, int historyIndex) {
  bool cancel = false;
  if (onBeforeNavigate) onBeforeNavigate(address, cancel);
  if (cancel) return;
  Stop();
  loading_ = std::make_unique<FetchThread>(loop_, [this, address, historyIndex](HttpFetch& fetch) {
    auto page = std::make_shared<AssembledPage>(PageAssembler(fetch).load(address));
    return [this, page, historyIndex] { show(*page, historyIndex); };
  });
}

void PageLoader::show(const AssembledPage& page, int historyIndex) {
  loading_.reset();
  document_ = page.document;
  loadError_ = page.failure;
  if (errorPagesEmpty_ && page.status >= kFirstErrorStatus) {
    document_ = std::make_shared<const PageDocument>(parseHtmlPage("", page.document->url));
  }
  location_ = page.document->url;
  recordHistory(historyIndex);
  raiseLoadEvents(page);
}

void PageLoader::recordHistory(int historyIndex) {
  if (historyIndex != kNewHistoryEntry) {
    historyIndex_ = historyIndex;
    return;
  }
  history_.resize(historyIndex_ + 1);
  history_.push_back(location_);
  historyIndex_ = static_cast<int>(history_.size()) - 1;
}

template <typename Raise>
bool PageLoader::raiseIfCurrent(std::uint64_t generation, Raise raise) {
  if (generation != generation_) return false;
  std::shared_ptr<bool> alive = alive_;
  raise();
  return *alive && generation == generation_;
}

void PageLoader::raiseLoadEvents(const AssembledPage& page) {
  const std::uint64_t generation = generation_;
  const std::string address = location_;
  if (!raiseIfCurrent(generation, [&] {
        if (onNavigateComplete) onNavigateComplete(FrameLevel::TopLevel, address);
      })) {
    return;
  }
  if (!raiseIfCurrent(generation, [&] {
        if (onTitleChange) onTitleChange(LocationName());
      })) {
    return;
  }
  if (!raiseIfCurrent(generation, [&] {
        if (onDownloadComplete) onDownloadComplete();
      })) {
    return;
  }
  for (const std::string& frame : page.loadedFrames) {
    if (!raiseIfCurrent(generation, [&] {
          if (onDocumentComplete) onDocumentComplete(FrameLevel::Frame, frame);
        })) {
      return;
    }
  }
  raiseIfCurrent(generation, [&] {
    if (onDocumentComplete) onDocumentComplete(FrameLevel::TopLevel, address);
  });
}

}  // namespace vendaro
