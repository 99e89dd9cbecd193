#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/EventLoop.h"
#include "platform/MailClient.h"
#include "platform/curl/ImapSession.h"

namespace vendaro {

class SerialWorker;

// The mail control over IMAP: the inbox read like a POP3 mailbox, so the
// intakes run unchanged. `connect` logs in, selects the inbox and lists its
// messages; message n is the n-th of that listing, and its unique id names
// mailbox, UIDVALIDITY and UID ("INBOX;UIDVALIDITY=7;UID=42"), so a message
// is known again in any later session, and not when the server has renumbered.
//
// Messages are fetched in batches (up to kBatchMessages, or kBatchBytes by
// their listed sizes) while the loop stores them one by one. Deletion does
// not delete: `deleteMessage` notes the message, and `disconnect` moves the
// noted messages into `doneFolder` before it logs out, as a POP3 server
// commits its deletions at QUIT. `abandon` moves nothing.
//
// Actions run on a worker thread; completions, errors and progress are
// posted to the event loop. Destroying the client while an action runs is
// safe: nothing is reported any more and nothing is moved.
class ImapMailClient : public MailClient {
 public:
  static constexpr std::size_t kBatchMessages = 64;
  static constexpr std::uint64_t kBatchBytes = 8 * 1024 * 1024;

  ImapMailClient(EventLoop& loop, std::string doneFolder, MailTimeouts timeouts = {});
  ~ImapMailClient() override;
  ImapMailClient(const ImapMailClient&) = delete;
  ImapMailClient& operator=(const ImapMailClient&) = delete;

  void connect(const MailAccount& account) override;
  void countMessages() override;
  void fetchMessage(int number) override;
  void deleteMessage(int number) override;
  void uniqueId(int number) override;
  void disconnect() override;
  void abandon() override;

  int messageCount() const override { return static_cast<int>(listed_.size()); }
  const std::string& messageText() const override { return messageText_; }
  const std::string& messageUniqueId() const override { return messageUniqueId_; }

  // The UIDNEXT the inbox had at the last `connect`.
  std::uint32_t uidNext() const { return uidNext_; }

 private:
  struct Outcome;
  using Step = std::function<ImapSession::Result(ImapSession& session, Outcome& outcome)>;

  void run(MailAction action, Step step);
  void report(Outcome& outcome);
  void completeAtOnce(MailAction action);
  std::vector<std::uint32_t> batchFrom(int number) const;
  void forget();

  EventLoop& loop_;
  std::string doneFolder_;
  std::shared_ptr<ImapSession> session_;
  std::shared_ptr<bool> alive_;
  std::unique_ptr<SerialWorker> worker_;
  std::vector<ImapSession::Listed> listed_;
  std::uint32_t uidValidity_ = 0;
  std::uint32_t uidNext_ = 0;
  std::map<std::uint32_t, std::string> fetched_;  // the batch not yet handed out
  std::vector<std::uint32_t> toMove_;
  std::string messageText_;
  std::string messageUniqueId_;
};

}  // namespace vendaro
