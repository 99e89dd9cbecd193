#include "platform/curl/PageAssembler.h"

#include "platform/curl/CharsetDecoder.h"
#include "platform/curl/HttpFetch.h"
#include "platform/html/HtmlParser.h"
#include "platform/url/WebAddress.h"

namespace vendaro {
namespace {

constexpr const char* kBlankAddress = "about:blank";

PageDocument parseAnswer(const FetchResult& answer) {
  if (answer.outcome != FetchResult::Outcome::Completed) return parseHtmlPage("", answer.finalUrl);
  return parseHtmlPage(CharsetDecoder::decode(answer.body, answer.contentType), answer.finalUrl);
}

}  // namespace

AssembledPage PageAssembler::load(const std::string& address) {
  const FetchResult answer = fetch_.run(address);
  PageDocument document = parseAnswer(answer);
  if (answer.outcome == FetchResult::Outcome::Completed) {
    origin_ = originOf(answer.finalUrl);
    attachFrames(document, 1);
  }
  return {std::make_shared<const PageDocument>(std::move(document)), std::move(loadedFrames_),
          failureOf(answer), answer.status};
}

void PageAssembler::attachFrames(PageDocument& document, int depth) {
  for (PageFrame& frame : document.frames) {
    if (fetch_.cancelled()) return;
    frame.document = loadFrame(frame.src, depth);
  }
}

std::shared_ptr<const PageDocument> PageAssembler::loadFrame(const std::string& address,
                                                             int depth) {
  if (depth > kMaxFrameDepth || framesFetched_ >= kMaxFrames) return nullptr;
  ++framesFetched_;
  if (address.empty() || address == kBlankAddress) {
    loadedFrames_.push_back(kBlankAddress);
    return std::make_shared<const PageDocument>(parseHtmlPage("", kBlankAddress));
  }
  if (origin_.empty() || originOf(address) != origin_) return nullptr;
  const FetchResult answer = fetch_.run(address);
  // A redirect may lead to another site, whose page stays unreadable.
  if (answer.outcome != FetchResult::Outcome::Completed || originOf(answer.finalUrl) != origin_) {
    return nullptr;
  }
  PageDocument document = parseAnswer(answer);
  attachFrames(document, depth + 1);
  loadedFrames_.push_back(answer.finalUrl);
  return std::make_shared<const PageDocument>(std::move(document));
}

}  // namespace vendaro
