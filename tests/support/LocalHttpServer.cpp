#include "tests/support/LocalHttpServer.h"

#include <poll.h>

#include <stdexcept>

#include "tests/support/Loopback.h"

namespace vendaro::testing {
namespace {

constexpr int kPollMilliseconds = 50;
constexpr std::size_t kMaxRequestHead = 64 * 1024;

// The reason phrase is only read by people; clients go by the number.
const char* reasonOf(int status) {
  return status == 200 ? "OK" : status == 404 ? "Not Found" : "Status";
}

std::string loopbackUrl(int port, const std::string& path) {
  return "http://127.0.0.1:" + std::to_string(port) + path;
}

// Reads until the end of the request head; empty when the client went away.
std::string readRequestHead(int connection, const bool& stopping, std::mutex& mutex) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequestHead) {
    {
      std::lock_guard lock(mutex);
      if (stopping) return {};
    }
    pollfd ready{connection, POLLIN, 0};
    if (poll(&ready, 1, kPollMilliseconds) <= 0) continue;
    const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
    if (got <= 0) return {};
    head.append(buffer, static_cast<std::size_t>(got));
  }
  return head.substr(0, head.find("\r\n\r\n"));
}

HttpRequestSeen parseRequestLine(const std::string& head) {
  HttpRequestSeen request;
  request.head = head;
  const std::string line = head.substr(0, head.find("\r\n"));
  const std::size_t methodEnd = line.find(' ');
  const std::size_t targetEnd = line.find(' ', methodEnd + 1);
  request.method = line.substr(0, methodEnd);
  if (methodEnd != std::string::npos) {
    request.target = line.substr(methodEnd + 1, targetEnd - methodEnd - 1);
  }
  return request;
}

std::string formatReply(const HttpReply& reply) {
  std::string text = "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonOf(reply.status) +
                     "\r\nContent-Type: " + reply.contentType +
                     "\r\nContent-Length: " + std::to_string(reply.body.size()) +
                     "\r\nConnection: close\r\n";
  for (const auto& [name, value] : reply.headers) text += name + ": " + value + "\r\n";
  return text + "\r\n" + (reply.cutShort ? reply.body.substr(0, reply.body.size() / 2) : reply.body);
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  listener_ = boundLoopbackSocket(port_);
  if (listen(listener_, 64) != 0 || pipe(wakePipe_) != 0) {
    throw std::runtime_error("cannot start the local HTTP server");
  }
  acceptor_ = std::thread([this] { acceptLoop(); });
}

LocalHttpServer::~LocalHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  stopped_.notify_all();
  [[maybe_unused]] ssize_t written = write(wakePipe_[1], "x", 1);
  acceptor_.join();
  for (std::thread& connection : connections_) connection.join();
  close(listener_);
  close(wakePipe_[0]);
  close(wakePipe_[1]);
}

std::string LocalHttpServer::url(const std::string& path) const {
  return loopbackUrl(port_, path);
}

void LocalHttpServer::reply(const std::string& path, HttpReply reply) {
  std::lock_guard lock(mutex_);
  replies_[path] = std::move(reply);
}

void LocalHttpServer::page(const std::string& path, std::string body, std::string contentType) {
  HttpReply answer;
  answer.body = std::move(body);
  answer.contentType = std::move(contentType);
  reply(path, std::move(answer));
}

void LocalHttpServer::redirect(const std::string& path, const std::string& location, int status) {
  HttpReply answer;
  answer.status = status;
  answer.headers.emplace_back("Location", location);
  reply(path, std::move(answer));
}

std::vector<HttpRequestSeen> LocalHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

int LocalHttpServer::requestCount(const std::string& target) const {
  std::lock_guard lock(mutex_);
  int count = 0;
  for (const HttpRequestSeen& request : requests_) count += request.target == target ? 1 : 0;
  return count;
}

void LocalHttpServer::acceptLoop() {
  while (true) {
    pollfd ready[2] = {{listener_, POLLIN, 0}, {wakePipe_[0], POLLIN, 0}};
    if (poll(ready, 2, -1) < 0) continue;
    if (ready[1].revents != 0) return;
    const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::lock_guard lock(mutex_);
    connections_.emplace_back([this, connection] {
      serve(connection);
      close(connection);
    });
  }
}

void LocalHttpServer::serve(int connection) {
  const std::string head = readRequestHead(connection, stopping_, mutex_);
  if (head.empty()) return;
  HttpRequestSeen request = parseRequestLine(head);
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
  }
  const HttpReply answer = replyFor(request.target);
  if (!waitUnlessStopped(answer.delay)) return;
  sendAll(connection, formatReply(answer));
}

HttpReply LocalHttpServer::replyFor(const std::string& target) const {
  std::lock_guard lock(mutex_);
  const auto found = replies_.find(target);
  if (found != replies_.end()) return found->second;
  HttpReply missing;
  missing.status = 404;
  missing.body = "<html><head><title>Not Found</title></head><body>No such page</body></html>";
  return missing;
}

bool LocalHttpServer::waitUnlessStopped(std::chrono::milliseconds delay) {
  std::unique_lock lock(mutex_);
  return !stopped_.wait_for(lock, delay, [this] { return stopping_; });
}

RefusingPort::RefusingPort() {
  socket_ = boundLoopbackSocket(port_);
}

RefusingPort::~RefusingPort() {
  close(socket_);
}

std::string RefusingPort::url(const std::string& path) const {
  return loopbackUrl(port_, path);
}

}  // namespace vendaro::testing
