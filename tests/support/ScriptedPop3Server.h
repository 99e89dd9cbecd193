#pragma once

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace vendaro::testing {

// A POP3 server on 127.0.0.1 and a free port that answers from a script and
// records every command line it receives, so a test can check the exact
// conversation of a client. Connections are served one after another; QUIT
// is answered and ends the connection. The destructor stops the server.
class ScriptedPop3Server {
 public:
  // Replies by whole command line ("RETR 1"), else by command ("CAPA"),
  // else "-ERR unknown command"; a reply holds its CR LF line ends. The reply
  // to kGreeting greets. A reply ending in kHangUp is sent without it and the
  // connection closed; one starting with kTrickle is sent a byte every 20 ms.
  static constexpr const char* kGreeting = "<greeting>";
  static constexpr const char* kHangUp = "<hang up>";
  static constexpr const char* kTrickle = "<trickle>";
  explicit ScriptedPop3Server(std::map<std::string, std::string> replies);
  // The replies of a well-behaved server holding `mails` (unique id, text
  // with CR LF line ends) that takes USER, PASS, DELE, NOOP and QUIT;
  // `changes` replace or add replies.
  static std::map<std::string, std::string> mailbox(
      const std::vector<std::pair<std::string, std::string>>& mails,
      const std::map<std::string, std::string>& changes = {});
  ~ScriptedPop3Server();
  ScriptedPop3Server(const ScriptedPop3Server&) = delete;
  ScriptedPop3Server& operator=(const ScriptedPop3Server&) = delete;

  int port() const { return port_; }
  // Every command line of every connection, without its line end.
  std::vector<std::string> commands() const;
  int connections() const;

 private:
  void acceptLoop();
  void serve(int connection);
  const std::string& replyTo(const std::string& command) const;
  // Sends a scripted reply; false when it hangs up.
  bool send(int connection, std::string reply);

  const std::map<std::string, std::string> replies_;
  int listener_ = -1;
  int port_ = 0;
  mutable std::mutex mutex_;
  bool stopping_ = false;
  int connection_ = -1;  // the one being served
  int connections_ = 0;
  std::vector<std::string> commands_;
  std::thread acceptor_;
};

}  // namespace vendaro::testing
