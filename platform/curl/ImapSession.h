#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/MailClient.h"
#include "platform/curl/Pop3Session.h"

namespace vendaro {

// One IMAP session (RFC 3501) over one libcurl easy handle, used from one
// thread at a time (except `abort`). libcurl connects, speaks TLS or
// STARTTLS, checks the certificate and logs in (LOGIN, SASL PLAIN, or
// XOAUTH2/OAUTHBEARER with an OAuth2 token); the session then speaks the
// commands itself over that connection (libcurl has no IDLE, no MOVE and no
// batched fetch), reading literals by their announced size.
//
// Messages are named by UID within the mailbox selected at `open`, whose
// UIDVALIDITY says whether the UIDs still mean the same messages. Fetching
// uses BODY.PEEK, so a message's flags stay as they were. Any failure ends
// the session: the connection is dropped and later calls fail until `open`.
class ImapSession {
 public:
  using Result = Pop3Session::Result;
  using Progress = Pop3Session::Progress;

  static constexpr int kNotConnected = Pop3Session::kNotConnected;
  static constexpr int kSessionEnded = Pop3Session::kSessionEnded;
  static constexpr int kUnreadableReply = Pop3Session::kUnreadableReply;
  static constexpr int kMessageTooLarge = Pop3Session::kMessageTooLarge;
  static constexpr int kUnsafeAccount = Pop3Session::kUnsafeAccount;
  static constexpr int kRefused = 1010;         // the server answered NO or BAD
  static constexpr int kBadFolderName = 1011;   // a folder name the session does not send
  static constexpr int kLoginRefused = kMailLoginRefused;  // wrong password or token
  static constexpr std::size_t kMaxMessageBytes = Pop3Session::kMaxMessageBytes;
  // UIDs per MOVE or COPY command, so a command line stays short.
  static constexpr std::size_t kUidsPerCommand = 500;

  struct Listed {
    std::uint32_t uid = 0;
    std::uint64_t size = 0;
  };
  // What SELECT said of the mailbox.
  struct MailboxState {
    std::uint32_t uidValidity = 0;
    std::uint32_t uidNext = 0;
    std::uint32_t exists = 0;
  };
  enum class WaitEnd { NewMail, TimeUp, Stopped };

  explicit ImapSession(MailTimeouts timeouts = {});
  ~ImapSession();
  ImapSession(const ImapSession&) = delete;
  ImapSession& operator=(const ImapSession&) = delete;

  // Logs in (ending a session still open) and selects `mailbox`.
  Result open(const MailAccount& account, const std::string& mailbox);
  const MailboxState& mailbox() const { return mailbox_; }
  bool hasIdle() const { return idle_; }

  // Every message of the mailbox, in mailbox order.
  Result list(std::vector<Listed>& messages);
  // The messages with these UIDs (header and body, CR LF line ends); a UID
  // that is gone is missing from `texts`.
  Result fetch(const std::vector<std::uint32_t>& uids, std::map<std::uint32_t, std::string>& texts,
               const Progress& progress);
  // Moves the messages to `folder` ("/" between levels, whatever the server
  // uses), creating it when missing. MOVE where the server has it, else COPY,
  // \Deleted and EXPUNGE.
  Result move(std::vector<std::uint32_t> uids, const std::string& folder);
  // Waits up to `limit` for mail that arrived since the last wait (or
  // `open`) in the selected mailbox: IDLE where the
  // server has it, else NOOP every `pollInterval`. `stopWaiting` ends the
  // wait early with Stopped, and the session stays usable.
  Result waitForMail(std::chrono::milliseconds limit, std::chrono::milliseconds pollInterval,
                     WaitEnd& end);
  // Logs out. Always succeeds.
  void close();
  // Drops the connection without a word.
  void abandon();
  // Makes the running action (or wait) end soon. Any thread.
  void abort() { aborted_ = true; }
  // Ends a running `waitForMail` (and every later one) with Stopped. Any thread.
  void stopWaiting() { stopWait_ = true; }

 private:
  enum class State { Closed, Open, Ended };
  using Clock = std::chrono::steady_clock;
  // One response: its line (a literal's place keeps its "{n}") and the literal.
  struct Response {
    std::string line;
    std::string literal;
  };

  Result login();
  Result command(const std::string& text, std::vector<Response>& untagged);
  Result send(const std::string& text);
  Result readResponse(Response& response);
  Result readLine(std::string& line);
  Result fill();
  Result findDelimiter();
  Result ensureFolder(const std::string& name);
  Result moveChunk(const std::string& set, const std::string& name);
  Result idleWait(Clock::time_point until, WaitEnd& end);
  Result pollWait(Clock::time_point until, std::chrono::milliseconds interval, WaitEnd& end);
  void noteUntagged(const std::string& line);
  bool tookNewMail(WaitEnd& end);
  std::string serverName() const;
  Result loginFailure(int code);
  Result fail(int number, std::string description);
  Result refused(const std::string& what, const std::string& tagged);
  std::string withoutSecret(std::string text) const;

  MailTimeouts timeouts_;
  MailAccount account_;
  State state_ = State::Closed;
  void* easy_ = nullptr;  // CURL*, kept out of this header
  std::atomic<bool> aborted_{false};
  std::atomic<bool> stopWait_{false};
  std::string buffer_;     // received and not yet read
  std::size_t readAt_ = 0;
  Clock::time_point deadline_{};
  bool waiting_ = false;  // a deadline passing ends a wait, not the session
  int nextTag_ = 0;
  MailboxState mailbox_;
  std::string selected_;
  bool idle_ = false;
  bool grew_ = false;  // an EXISTS response counted more messages than before
  bool moveCommand_ = false;
  bool uidPlus_ = false;
  char delimiter_ = 0;  // 0: not yet asked
  std::vector<std::string> folders_;  // folders known to exist
  std::vector<std::string> loginLines_;  // what the server said during the login
  const Progress* progress_ = nullptr;
  char errorBuffer_[256] = {};
};

}  // namespace vendaro
