#include "tests/support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace vendaro::testing {
namespace {

constexpr int kPollMilliseconds = 50;
constexpr std::size_t kMaxRequestHead = 64 * 1024;

// The reason phrase is only read by people; clients go by the number.
const char* reasonOf(int status) {
  if (status == 200) return "OK";
  if (status == 404) return "Not Found";
  return status >= 300 && status < 400 ? "Redirect" : "Status";
}

// A TCP socket bound to 127.0.0.1 on a free port; returns the port.
int bindLoopback(int socketFd) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    throw std::runtime_error("cannot bind a loopback socket");
  }
  socklen_t length = sizeof address;
  getsockname(socketFd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
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

std::string formatReply(const HttpReply& reply, bool withBody) {
  std::string text = "HTTP/1.1 " + std::to_string(reply.status) + " " + reasonOf(reply.status) +
                     "\r\nContent-Type: " + reply.contentType +
                     "\r\nContent-Length: " + std::to_string(reply.body.size()) +
                     "\r\nConnection: close\r\n";
  for (const auto& [name, value] : reply.headers) text += name + ": " + value + "\r\n";
  text += "\r\n";
  if (withBody) text += reply.body;
  return text;
}

void sendAll(int connection, const std::string& text) {
  std::size_t sent = 0;
  while (sent < text.size()) {
    const ssize_t done = send(connection, text.data() + sent, text.size() - sent, MSG_NOSIGNAL);
    if (done <= 0) return;
    sent += static_cast<std::size_t>(done);
  }
}

}  // namespace

LocalHttpServer::LocalHttpServer() {
  listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  port_ = bindLoopback(listener_);
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
  sendAll(connection, formatReply(answer, request.method != "HEAD"));
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
  socket_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  port_ = bindLoopback(socket_);
}

RefusingPort::~RefusingPort() {
  close(socket_);
}

std::string RefusingPort::url(const std::string& path) const {
  return loopbackUrl(port_, path);
}

}  // namespace vendaro::testing
