#include "platform/curl/HttpFetch.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <mutex>

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr long kConnectTimeoutSeconds = 15;
constexpr long kMaxRedirects = 10;
constexpr long kFirstErrorStatus = 400;
// A server that sends less than one byte a minute is taken as gone.
constexpr long kStallSeconds = 60;
constexpr int kPollMilliseconds = 1000;
constexpr const char* kUserAgent = "Mozilla/5.0 (compatible; Vendaro/" VENDARO_VERSION ")";

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct BodySink {
  std::string* body;
  std::size_t limit;
  bool overflowed = false;
};

size_t appendBody(char* data, size_t size, size_t count, void* userData) {
  auto* sink = static_cast<BodySink*>(userData);
  const size_t bytes = size * count;
  if (sink->body->size() + bytes > sink->limit) {
    sink->body->append(data, sink->limit - sink->body->size());
    sink->overflowed = true;
    return 0;  // ends the transfer; what was kept still counts as the answer
  }
  sink->body->append(data, bytes);
  return bytes;
}

void setOptions(CURL* easy, const std::string& address, BodySink& sink, char* errorBuffer) {
  curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(easy, CURLOPT_ACCEPT_ENCODING, "");
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendBody);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
}

CURLcode resultOf(CURLM* multi) {
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
    if (message->msg == CURLMSG_DONE) return message->data.result;
  }
  return CURLE_FAILED_INIT;
}

void readAnswerInfo(CURL* easy, FetchResult& result) {
  curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &result.status);
  char* effective = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &effective) == CURLE_OK && effective) {
    result.finalUrl = effective;
  }
  char* contentType = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_CONTENT_TYPE, &contentType) == CURLE_OK && contentType) {
    result.contentType = contentType;
  }
}

}  // namespace

std::string failureOf(const FetchResult& result) {
  switch (result.outcome) {
    case FetchResult::Outcome::Cancelled:
      return "cancelled";
    case FetchResult::Outcome::Failed:
      return result.error.empty() ? std::string("no answer") : result.error;
    case FetchResult::Outcome::Completed:
      break;
  }
  return result.status >= kFirstErrorStatus ? "HTTP " + std::to_string(result.status)
                                            : std::string();
}

bool isFetchableAddress(const std::string& address) {
  return text::isWebAddress(address);
}

HttpFetch::HttpFetch() {
  initialiseCurlOnce();
  multi_ = curl_multi_init();
}

HttpFetch::~HttpFetch() {
  curl_multi_cleanup(static_cast<CURLM*>(multi_));
}

void HttpFetch::cancel() {
  cancelled_ = true;
  curl_multi_wakeup(static_cast<CURLM*>(multi_));
}

FetchResult HttpFetch::run(const std::string& address, std::size_t maxBytes) {
  FetchResult result;
  result.finalUrl = address;
  if (cancelled_) {
    result.outcome = FetchResult::Outcome::Cancelled;
    return result;
  }
  if (!isFetchableAddress(address)) {
    result.error = "Only http and https addresses can be fetched";
    return result;
  }
  auto* multi = static_cast<CURLM*>(multi_);
  CURL* easy = curl_easy_init();
  BodySink sink{&result.body, std::min(maxBytes, kMaxBodyBytes)};
  char errorBuffer[CURL_ERROR_SIZE] = {};
  setOptions(easy, address, sink, errorBuffer);
  curl_multi_add_handle(multi, easy);

  int running = 1;
  while (!cancelled_) {
    if (curl_multi_perform(multi, &running) != CURLM_OK || running == 0) break;
    curl_multi_poll(multi, nullptr, 0, kPollMilliseconds, nullptr);
  }

  if (cancelled_) {
    result.outcome = FetchResult::Outcome::Cancelled;
    result.body.clear();
  } else {
    const CURLcode code = resultOf(multi);
    readAnswerInfo(easy, result);
    const bool cutAtLimit = code == CURLE_WRITE_ERROR && sink.overflowed;
    if (code == CURLE_OK || cutAtLimit) {
      result.outcome = FetchResult::Outcome::Completed;
    } else {
      result.body.clear();
      result.error = errorBuffer[0] ? errorBuffer : curl_easy_strerror(code);
    }
  }
  curl_multi_remove_handle(multi, easy);
  curl_easy_cleanup(easy);
  return result;
}

}  // namespace vendaro
