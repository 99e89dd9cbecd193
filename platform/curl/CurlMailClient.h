#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

#include "platform/EventLoop.h"
#include "platform/MailClient.h"
#include "platform/curl/Pop3Session.h"

namespace vendaro {

class SerialWorker;

// The mail control over libcurl: POP3, POP3 over implicit TLS and STARTTLS,
// certificates always checked. Actions run one at a time on a worker thread
// of this client; each completion, error and progress report is posted to
// the event loop. `connect` logs in and also reads the message count and the
// unique ids, which `uniqueId` then answers without the worker.
//
// After a fetch the worker reads the next message ahead while the event
// loop stores the one just fetched; a failure of that read is reported by
// the next action.
//
// Any error ends the session: the libcurl handle is thrown away and later
// actions report an error until `connect` starts a new session (libcurl
// would otherwise log in again silently with new message numbers). Match
// messages by unique id across sessions, never by number alone.
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
  using Step = std::function<Pop3Session::Result(Pop3Session& session, Outcome& outcome)>;

  void run(MailAction action, Step step);
  void report(const Outcome& outcome);
  void reportProgress(long done, long total);
  void readAhead(int number);
  void arrived(std::shared_ptr<Outcome> outcome, int generation);
  bool reportFailedReadAhead();
  void newSession();

  EventLoop& loop_;
  std::shared_ptr<Pop3Session> session_;
  // False once the client is being destroyed; read and written on the loop thread.
  std::shared_ptr<bool> alive_;
  std::unique_ptr<SerialWorker> worker_;
  int messageCount_ = 0;
  std::string messageText_;
  std::string messageUniqueId_;
  // Loop-thread state of the session: its unique ids and the read ahead.
  std::map<int, std::string> uids_;
  bool uidsKnown_ = false;
  bool uidsMissing_ = false;
  int generation_ = 0;    // a new session ignores what the last one read ahead
  int aheadPending_ = 0;  // the message being read ahead; 0: none
  int waitingFetch_ = 0;  // a fetch of the message being read ahead
  std::shared_ptr<Outcome> ahead_;
};

}  // namespace vendaro
