#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vendaro::testing {

// What the server answers for one path.
struct HttpReply {
  int status = 200;
  std::string contentType = "text/html";
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;  // further header lines
  // Time to wait before answering; the wait ends early when the server stops.
  std::chrono::milliseconds delay{0};
  // Announces the whole body's length but sends only its first half.
  bool cutShort = false;
};

// A reply that waits `delay` before answering with `body`.
inline HttpReply delayedReply(std::chrono::milliseconds delay, std::string body = {}) {
  HttpReply reply;
  reply.body = std::move(body);
  reply.delay = delay;
  return reply;
}

// A request as the server received it.
struct HttpRequestSeen {
  std::string method;
  std::string target;  // path and query as sent
  std::string head;    // request line and header lines
};

// An HTTP/1.1 server on 127.0.0.1 and a free port, for integration tests. The
// test registers replies per path (query included); other paths get 404.
// Every connection is served on its own thread and closed after one answer.
// The destructor stops the server and waits for its threads.
class LocalHttpServer {
 public:
  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  int port() const { return port_; }
  // "http://127.0.0.1:PORT" followed by `path`.
  std::string url(const std::string& path) const;

  void reply(const std::string& path, HttpReply reply);
  // Shorthands: a 200 page, and a redirect to `location`.
  void page(const std::string& path, std::string body, std::string contentType = "text/html");
  void redirect(const std::string& path, const std::string& location, int status = 302);

  std::vector<HttpRequestSeen> requests() const;
  int requestCount(const std::string& target) const;

 private:
  void acceptLoop();
  void serve(int connection);
  HttpReply replyFor(const std::string& target) const;
  bool waitUnlessStopped(std::chrono::milliseconds delay);

  int listener_ = -1;
  int port_ = 0;
  int wakePipe_[2] = {-1, -1};
  bool stopping_ = false;
  mutable std::mutex mutex_;
  std::condition_variable stopped_;
  std::map<std::string, HttpReply> replies_;
  std::vector<HttpRequestSeen> requests_;
  std::vector<std::thread> connections_;
  std::thread acceptor_;
};

// A loopback port that refuses connections: bound, never listening, kept
// while the object lives so no other test can take it.
class RefusingPort {
 public:
  RefusingPort();
  ~RefusingPort();
  RefusingPort(const RefusingPort&) = delete;
  RefusingPort& operator=(const RefusingPort&) = delete;

  int port() const { return port_; }
  std::string url(const std::string& path) const;

 private:
  int socket_ = -1;
  int port_ = 0;
};

}  // namespace vendaro::testing
