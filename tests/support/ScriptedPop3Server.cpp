#include "tests/support/ScriptedPop3Server.h"

#include <chrono>
#include <stdexcept>

#include "tests/support/Loopback.h"

namespace vendaro::testing {

ScriptedPop3Server::ScriptedPop3Server(std::map<std::string, std::string> replies)
    : replies_(std::move(replies)) {
  listener_ = boundLoopbackSocket(port_);
  if (listen(listener_, 4) != 0) {
    close(listener_);
    throw std::runtime_error("cannot start the scripted POP3 server");
  }
  acceptor_ = std::thread([this] { acceptLoop(); });
}

std::map<std::string, std::string> ScriptedPop3Server::mailbox(
    const std::vector<std::pair<std::string, std::string>>& mails,
    const std::map<std::string, std::string>& changes) {
  std::map<std::string, std::string> script = {{"CAPA", "+OK\r\nUSER\r\nUIDL\r\n.\r\n"}};
  std::string list, uidl;
  std::size_t total = 0;
  for (std::size_t n = 1; n <= mails.size(); ++n) {
    const auto& [uid, text] = mails[n - 1];
    const std::string number = std::to_string(n);
    list += number + " " + std::to_string(text.size()) + "\r\n";
    uidl += number + " " + uid + "\r\n";
    total += text.size();
    script["RETR " + number] = "+OK\r\n" + text + ".\r\n";
    script["DELE " + number] = "+OK\r\n";
  }
  script["STAT"] = "+OK " + std::to_string(mails.size()) + " " + std::to_string(total) + "\r\n";
  script["LIST"] = "+OK\r\n" + list + ".\r\n";
  script["UIDL"] = "+OK\r\n" + uidl + ".\r\n";
  for (const char* command : {"USER", "PASS", "NOOP", "QUIT"}) script[command] = "+OK\r\n";
  for (const auto& [command, reply] : changes) script[command] = reply;
  return script;
}

// Shutting the sockets down wakes the blocked accept and recv.
ScriptedPop3Server::~ScriptedPop3Server() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    if (connection_ >= 0) shutdown(connection_, SHUT_RDWR);
  }
  shutdown(listener_, SHUT_RDWR);
  acceptor_.join();
  close(listener_);
}

std::vector<std::string> ScriptedPop3Server::commands() const {
  std::lock_guard lock(mutex_);
  return commands_;
}

int ScriptedPop3Server::connections() const {
  std::lock_guard lock(mutex_);
  return connections_;
}

void ScriptedPop3Server::acceptLoop() {
  for (;;) {
    const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) return;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) {
        close(connection);
        return;
      }
      connection_ = connection;
      ++connections_;
    }
    serve(connection);
    std::lock_guard lock(mutex_);
    connection_ = -1;
    close(connection);
  }
}

bool ScriptedPop3Server::send(int connection, std::string reply) {
  const bool hangsUp = reply.ends_with(kHangUp);
  if (hangsUp) reply.resize(reply.size() - std::string_view(kHangUp).size());
  if (!reply.starts_with(kTrickle)) sendAll(connection, reply);
  for (std::size_t at = std::string_view(kTrickle).size(); reply.starts_with(kTrickle) &&
       at < reply.size(); ++at) {
    sendAll(connection, reply.substr(at, 1));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (std::lock_guard lock(mutex_); stopping_) return false;
  }
  return !hangsUp;
}

void ScriptedPop3Server::serve(int connection) {
  const auto greeting = replies_.find(kGreeting);
  if (!send(connection, greeting == replies_.end() ? "+OK scripted POP3 server ready\r\n"
                                                   : greeting->second)) return;
  std::string received;
  char buffer[4096];
  for (;;) {
    const std::size_t end = received.find("\r\n");
    if (end == std::string::npos) {
      const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
      if (got <= 0) return;
      received.append(buffer, static_cast<std::size_t>(got));
      continue;
    }
    const std::string command = received.substr(0, end);
    received.erase(0, end + 2);
    {
      std::lock_guard lock(mutex_);
      commands_.push_back(command);
    }
    if (!send(connection, replyTo(command)) || command == "QUIT") return;
  }
}

const std::string& ScriptedPop3Server::replyTo(const std::string& command) const {
  if (auto whole = replies_.find(command); whole != replies_.end()) return whole->second;
  if (auto verb = replies_.find(command.substr(0, command.find(' '))); verb != replies_.end()) {
    return verb->second;
  }
  static const std::string unknown = "-ERR unknown command\r\n";
  return unknown;
}

}  // namespace vendaro::testing
