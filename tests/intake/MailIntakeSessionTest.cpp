// The intake session over libcurl against a scripted POP3 server: what it
// tells of each message, in what order, and what reaches the server.
#include "intake/MailIntakeSession.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/Database.h"
#include "platform/curl/CurlMailClient.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/ScriptedPop3Server.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using testing::ScriptedPop3Server;

// A store that answers from a script by the message's subject line.
class ScriptedStore : public MailStore {
 public:
  void prepare(const std::string& mailboxKey) override {
    if (refuses) throw DataError(data_errors::kOtherError, "database is locked");
    prepared.push_back(mailboxKey);
  }
  bool wasImported(const std::string& uid) const override { return imported.count(uid) > 0; }
  std::string keptSinceEarlier(const std::string& /*uid*/) const override { return "seen"; }
  StoredMail store(const std::string& messageText, const std::string& /*uid*/) override {
    const std::size_t start = messageText.find("Subject: ") + 9;
    return answers.at(messageText.substr(start, messageText.find("\r\n", start) - start));
  }

  std::map<std::string, StoredMail> answers;
  std::set<std::string> imported;
  std::vector<std::string> prepared;
  bool refuses = false;
};

std::string mail(const std::string& subject) { return "Subject: " + subject + "\r\n\r\nhi\r\n"; }

std::map<std::string, std::string> mailbox() {
  std::vector<std::pair<std::string, std::string>> mails;
  for (const char* subject : {"order", "old", "chat", "broken", "empty order"})
    mails.emplace_back("u" + std::to_string(mails.size() + 1), mail(subject));
  return ScriptedPop3Server::mailbox(mails);
}

const char* kindName(MessageOutcome::Kind kind) {
  switch (kind) {
    case MessageOutcome::Kind::Stored:
      return "stored";
    case MessageOutcome::Kind::SkippedAsImported:
      return "imported before";
    case MessageOutcome::Kind::NotForStore:
      return "not for the store";
    default:
      return "failed";
  }
}

class MailIntakeSessionTest : public ::testing::Test {
 protected:
  MailIntakeSessionTest() {
    store.answers = {
        {"order", {StoreOutcome::Stored, {}, "Order 1\r\n", {"A1 ^ 2^", " Total"}, 7}},
        {"chat", {StoreOutcome::Ignored}},
        {"broken", {StoreOutcome::Failed, "disk is full", "Order 2 not stored\r\n"}},
        {"empty order", {StoreOutcome::StoredKept, {}, "Order 3\r\n", {}, 8}}};
    store.imported = {"u2"};
    account.host = "127.0.0.1";
    account.port = server.port();
    account.user = "shop";
    account.password = "secret";
    // Every event as one line, so the test sees their order.
    MailIntakeEvents& events = session.events;
    events.log = [this](const std::string& lines) { told.push_back("log " + lines); };
    events.lineRead = [this](const std::string& line) { told.push_back("line " + line); };
    events.recordCount = [this](std::int64_t n) { told.push_back("count " + std::to_string(n)); };
    events.bytes = [this](long done, long total) {
      if (done == total) fetchedBytes.insert(static_cast<std::size_t>(done));
    };
    events.message = [this](const MessageOutcome& m) {
      told.push_back(std::to_string(m.number) + "/" + std::to_string(m.total) + " " + m.uid +
                     " " + kindName(m.kind) + " (" + m.keptBecause + ")" + m.error);
    };
    events.fetching = [this](bool on) { told.push_back(on ? "fetching" : "done"); };
  }

  ScriptedPop3Server server{mailbox()};
  testing::TempFolder folder;
  BlockingEventLoop loop;
  testing::ScriptedDialogs dialogs;
  ScriptedStore store;
  MailIntakeSession session{loop, dialogs, std::make_unique<CurlMailClient>(loop), store};
  MailAccount account;
  std::vector<std::string> told;
  std::multiset<std::size_t> fetchedBytes;  // of each message fetched whole
};

TEST_F(MailIntakeSessionTest, TellsWhatBecameOfEachMessageAndDeletesOnlyWhatWasStored) {
  session.deletesStored = true;
  const IntakeResult result = runIntakeToEnd(session, loop, account);
  EXPECT_TRUE(result.completed) << result.error;
  EXPECT_EQ(result.stored, 2);
  EXPECT_EQ(result.failed, 1);
  EXPECT_EQ(store.prepared, std::vector<std::string>{"shop@127.0.0.1"});
  EXPECT_EQ(
      told,
      (std::vector<std::string>{"fetching", "line A1 ^ 2^", "line  Total", "count 7", "log Order 1\r\n",
                  "1/5 u1 stored ()",
                  "log Message u2 was imported before; it is not stored again.\r\n",
                  "2/5 u2 imported before (seen)", "3/5 u3 not for the store (not for this intake)",
                  "log Order 2 not stored\r\n", "4/5 u4 failed (could not be stored)disk is full",
                  "count 8", "log Order 3\r\n", "5/5 u5 stored (stored, and kept to be looked at)",
                  "log 4 message(s) left on the server: 1 could not be stored, 1 not for this "
                  "intake, 1 seen, 1 stored, and kept to be looked at.\r\n",
                  "done"}));
  EXPECT_GE(fetchedBytes.count(mail("order").size()), 1u);
  std::vector<std::string> deletions;
  for (const std::string& command : server.commands()) {
    if (command.rfind("DELE", 0) == 0) deletions.push_back(command);
  }
  EXPECT_EQ(deletions, std::vector<std::string>{"DELE 1"});
  EXPECT_EQ(server.commands().back(), "QUIT");
}

// A start that cannot go ahead says why in a message box and in its
// outcome, and raises no end of an intake that never began.
TEST_F(MailIntakeSessionTest, ARefusedStartSaysWhyAndReachesNoServer) {
  int finished = 0;
  session.events.finished = [&finished](const IntakeResult&) { ++finished; };
  session.lockFile = folder.file(kIntakeLockFile);
  const auto held = FileLock::tryTake(session.lockFile);
  const Done busy = session.start(account);
  ASSERT_FALSE(busy);
  EXPECT_EQ(busy.error().kind, ErrorKind::Conflict);
  EXPECT_EQ(busy.error().message, MailIntakeSession::kBusy);

  session.lockFile.clear();
  store.refuses = true;
  const IntakeResult result = runIntakeToEnd(session, loop, account);
  EXPECT_FALSE(result.completed);
  EXPECT_EQ(result.error, "database is locked");
  EXPECT_EQ(dialogs.messageTexts(),
            (std::vector<std::string>{MailIntakeSession::kBusy, "database is locked"}));
  EXPECT_EQ(finished, 0);
  EXPECT_FALSE(session.running());
  EXPECT_EQ(server.connections(), 0);
}

}  // namespace
}  // namespace vendaro
