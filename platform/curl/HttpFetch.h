#pragma once

#include <atomic>
#include <cstddef>
#include <string>

namespace vendaro {

// What one fetch gave. `Completed` means a server answered, whatever its
// status; `Failed` covers refused connections, time-outs, bad addresses and
// refused schemes; `Cancelled` is a fetch stopped by `HttpFetch::cancel`.
struct FetchResult {
  enum class Outcome { Completed, Failed, Cancelled };
  Outcome outcome = Outcome::Failed;
  long status = 0;          // HTTP status of the last answer (after redirects)
  std::string finalUrl;     // address after redirects
  std::string contentType;  // Content-Type header of the last answer
  std::string body;         // bytes as received (content encoding undone)
  std::string error;        // why the fetch failed
};

// Fetches http and https addresses with libcurl, one at a time, blocking the
// calling thread (a worker). `cancel` may be called from any thread: the
// running fetch ends at once and every later one ends before it starts.
// Redirects are followed (at most 10), certificates are always checked.
class HttpFetch {
 public:
  // Bodies are cut at this size; no page the program reads comes close.
  static constexpr std::size_t kMaxBodyBytes = 32 * 1024 * 1024;

  HttpFetch();
  ~HttpFetch();
  HttpFetch(const HttpFetch&) = delete;
  HttpFetch& operator=(const HttpFetch&) = delete;

  // Keeps at most `maxBytes` of the body; a longer answer is cut there and
  // still completes.
  FetchResult run(const std::string& address, std::size_t maxBytes = kMaxBodyBytes);
  void cancel();
  bool cancelled() const { return cancelled_; }

 private:
  void* multi_;  // CURLM*, kept out of the header
  std::atomic<bool> cancelled_{false};
};

// Why a fetch gave no page: the transport's error, "HTTP " and the status
// for an answer of 400 or more, "cancelled"; empty for a page.
std::string failureOf(const FetchResult& result);

// True for the addresses a fetch accepts: http:// and https:// only.
bool isFetchableAddress(const std::string& address);

}  // namespace vendaro
