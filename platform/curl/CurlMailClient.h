#pragma once

#include <memory>
#include <string>

#include "platform/EventLoop.h"
#include "platform/MailClient.h"
#include "platform/curl/Pop3Session.h"

namespace vendaro {

class SerialWorker;

// The mail control over libcurl: POP3, POP3 over implicit TLS and STARTTLS,
// certificates always checked. Actions run one at a time on a worker thread
// of this client; each completion, error and progress report is posted to
// the event loop. `connect` logs in and also reads the message count.
//
// Any error ends the session: the libcurl handle is thrown away and later
// actions report an error until `connect` starts a new session (libcurl
// would otherwise log in again silently with new message numbers). Match
// messages by unique id across sessions, never by number alone.
//
// After a fetch the worker reads the next message ahead, while the event
// loop stores the one just fetched; a failure of that read is reported by
// the next action.
//
// Destroying the client while an action runs is safe: the action is
// cancelled, nothing is reported any more, and an open session is dropped
// without logging out (its deletions are not committed).
class CurlMailClient : public MailClient {
 public:
  explicit CurlMailClient(EventLoop& loop, MailTimeouts timeouts = {});
  ~CurlMailClient() override;
  CurlMailClient(const CurlMailClient&) = delete;
  CurlMailClient& operator=(const CurlMailClient&) = delete;

  void connect(const MailAccount& account) override;
  void countMessages() override;
  void fetchMessage(int number) override;
  void deleteMessage(int number) override;
  void uniqueId(int number) override;
  void disconnect() override;
  void abandon() override;

  int messageCount() const override { return messageCount_; }
  const std::string& messageText() const override { return messageText_; }
  const std::string& messageUniqueId() const override { return messageUniqueId_; }

 private:
  struct Outcome;
  struct ReadAhead;
  using Step = std::function<Pop3Session::Result(Pop3Session& session, Outcome& outcome)>;

  void run(MailAction action, Step step, std::function<void(Pop3Session&)> then = {});
  void report(const Outcome& outcome);
  void reportProgress(long done, long total);

  EventLoop& loop_;
  std::shared_ptr<Pop3Session> session_;
  std::shared_ptr<ReadAhead> readAhead_;  // used on the worker thread only
  // False once the client is being destroyed; read and written on the loop thread.
  std::shared_ptr<bool> alive_;
  std::unique_ptr<SerialWorker> worker_;
  int messageCount_ = 0;
  std::string messageText_;
  std::string messageUniqueId_;
};

}  // namespace vendaro
