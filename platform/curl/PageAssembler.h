#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/PageDocument.h"

namespace vendaro {

class HttpFetch;

// A page fetched and parsed together with its frames.
struct AssembledPage {
  std::shared_ptr<const PageDocument> document;  // never null
  // Addresses of the frames that were loaded, each after the frames inside
  // it: the order in which a browser completes them.
  std::vector<std::string> loadedFrames;
  // Why the page itself could not be read (failureOf); empty when it was.
  std::string failure = {};
  long status = 0;  // the HTTP status of the page's answer; 0 without one
};

// Fetches a page and, below it, its frames and iframes (frames of frames
// too), converting each to UTF-8 and parsing it into a `PageDocument`. Runs on
// a worker thread. A frame keeps a null document, as a browser's script would
// see it, when it comes from another origin (scheme, host and port), fails to
// load, lies deeper than `kMaxFrameDepth` or exceeds `kMaxFrames` in all,
// which also ends pages that frame themselves. An answer with an error status
// is still a page (a browser shows the server's error page); a page that
// cannot be fetched at all gives an empty document with its address.
class PageAssembler {
 public:
  static constexpr int kMaxFrameDepth = 5;
  static constexpr int kMaxFrames = 50;

  explicit PageAssembler(HttpFetch& fetch) : fetch_(fetch) {}

  AssembledPage load(const std::string& address);

 private:
  void attachFrames(PageDocument& document, int depth);
  std::shared_ptr<const PageDocument> loadFrame(const std::string& address, int depth);

  HttpFetch& fetch_;
  std::string origin_;
  int framesFetched_ = 0;
  std::vector<std::string> loadedFrames_;
};

}  // namespace vendaro
