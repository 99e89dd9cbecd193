#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/MailClient.h"

namespace vendaro {

// How long a mailbox session waits before it gives up on a silent server.
struct MailTimeouts {
  long connectSeconds = 20;
  // No reply line and no byte of a message for this long ends the session.
  long idleSeconds = 60;
  // A message must arrive within idleSeconds plus its announced size at this
  // rate, and the whole session within twice idleSeconds plus the mailbox's
  // announced size at this rate plus perMessageMs for each message: a server
  // that trickles its data cannot hold the intake without end.
  long slowestBytesPerSecond = 4096;
  long perMessageMs = 250;
};

// One POP3 mailbox session over one libcurl easy handle, used from one thread
// at a time (except `abort`). The handle logs in once; every later action
// reuses that connection, so message numbers stay fixed for the session.
//
// States: Closed (no handle) -> Open (logged in) -> Closed by `close` (QUIT,
// which commits deletions), or -> Ended on any error. An ended session has
// thrown its handle away and refuses every action until `open` starts a new
// one: libcurl would otherwise log in again silently with new numbering. For
// the same reason the handle may open exactly one connection per session.
// A session that ends on an error, or is abandoned, drops its connection
// without QUIT, so the server commits none of its deletions.
class Pop3Session {
 public:
  struct Result {
    bool ok = true;
    int number = 0;
    std::string description;
  };
  using Progress = std::function<void(long done, long total)>;

  // Error numbers of failures that libcurl does not number itself; the
  // others carry libcurl's code.
  static constexpr int kNotConnected = 1001;
  static constexpr int kSessionEnded = 1002;
  static constexpr int kUnreadableReply = 1003;
  static constexpr int kMessageTooLarge = 1004;
  static constexpr int kUnsafeAccount = 1005;
  static constexpr int kIncompleteMessage = 1006;
  static constexpr int kNotPop3 = 1007;
  static constexpr int kDeadline = 1008;
  static constexpr std::size_t kMaxMessageBytes = 64 * 1024 * 1024;
  static constexpr long kBriefLogoutSeconds = 2;
  static constexpr long kBackstopMs = 5000;
  // Error texts show "***" for the password, when it has at least this many characters.
  static constexpr std::size_t kShortestScrubbedPassword = 4;

  explicit Pop3Session(MailTimeouts timeouts = {});
  ~Pop3Session();
  Pop3Session(const Pop3Session&) = delete;
  Pop3Session& operator=(const Pop3Session&) = delete;

  // Logs in (ending a session still open) and reads the message count.
  Result open(const MailAccount& account, int& count);
  Result stat(int& count);
  Result retrieve(int number, std::string& text, const Progress& progress);
  Result remove(int number);
  // The message's unique id, from the one UIDL listing of the session; an
  // empty id (and success) when the server has no UIDL.
  Result uniqueId(int number, std::string& uid);
  // True when the open session's listing has this message.
  bool hasMessage(int number) const;
  // The session's UIDL listing by message number; empty without UIDL.
  const std::map<int, std::string>& uniqueIds() const { return uids_; }
  bool hasUniqueIds() const { return uidList_ == UidList::Read; }
  // How long a logout may wait for the server's answer.
  enum class LogoutWait { Usual, Brief };
  // Logs out; deletions are committed by the server now. Always succeeds.
  void close(LogoutWait wait = LogoutWait::Usual);
  // Ends the session without QUIT: the server commits none of its deletions.
  void abandon();
  // Makes the running action end soon with an error. Any thread.
  void abort() { aborted_ = true; }

 private:
  enum class State { Closed, Open, Ended };
  using Clock = std::chrono::steady_clock;
  struct Request {
    std::string path;
    const char* command = nullptr;  // nullptr: libcurl's own (RETR with a path)
    bool wantsBody = false;
    long announcedBytes = 0;           // the size the server announced for the message asked for
    bool refusalKeepsSession = false;  // a "-ERR" answer does not end the session
  };
  class Callbacks;

  Result perform(const Request& request);
  Result readListings(int count);
  Result readUniqueIds();
  Result checkMessage(int number, long listed);
  bool setDeadlines(const Request& request);
  std::string sessionDeadlineText() const;
  std::string serverSaid() const;
  void dropConnection();
  void forget();
  void hangUp();
  int stopWith(int number, std::string reason);
  bool capabilitiesLackUidl() const;
  Result failure(int code);
  Result refusal(int number, std::string description);
  void logOut(LogoutWait wait);
  std::string serverError() const;
  std::string withoutPassword(std::string text) const;
  void configureHandle();
  std::string baseUrl() const;

  MailTimeouts timeouts_;
  MailAccount account_;
  State state_ = State::Closed;
  void* easy_ = nullptr;  // CURL*, kept out of this header
  std::atomic<bool> aborted_{false};
  // Set once the login has succeeded; from then on no new connection is made.
  bool loggedIn_ = false;
  std::vector<std::string> replyLines_;
  std::string body_;
  bool bodyTooLarge_ = false;
  // What made the transfer stop early, for the error text; empty: nothing.
  std::string stopReason_;
  int stopNumber_ = 0;
  // Announced sizes (LIST) and unique ids (UIDL) by message number.
  std::map<int, long> sizes_;
  std::map<int, std::string> uids_;
  enum class UidList { Unread, Read, Missing } uidList_ = UidList::Unread;
  Clock::time_point sessionDeadline_{};
  Clock::time_point actionDeadline_{};
  Clock::time_point lastActivity_{};
  bool refusalKeepsSession_ = false;
  int socket_ = -1;  // the connection's socket while libcurl has it open
  // The reply lines of the login (greeting, capabilities, USER, PASS).
  std::vector<std::string> loginLines_;
  const Progress* progress_ = nullptr;
  long lastProgress_ = -1;
  char errorBuffer_[256] = {};
};

}  // namespace vendaro
