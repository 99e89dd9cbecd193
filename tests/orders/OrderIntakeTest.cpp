#include "orders/OrderIntake.h"

#include <gtest/gtest.h>

#include "tests/orders/OrderIntakeFixture.h"
#include "tests/orders/OrderTestMails.h"

namespace vendaro {
namespace {

using testing::FakeMail;
using testing::OrderMailText;
using testing::Rows;
using testing::storedLines;
using testing::storedOrders;

class OrderIntakeTest : public testing::FakeOrderIntakeTest {
 protected:
  OrderIntakeTest() {
    intake.session.events.finished = [this](const IntakeResult& result) {
      results.push_back(result);
    };
    states.push_back(static_cast<int>(intake.session.mailState()));
    // Notes the state around every completion, so that short-lived states show.
    auto handle = mail.onComplete;
    mail.onComplete = [this, handle](MailAction action) {
      step();
      handle(action);
      step();
    };
  }

  void deliver(const std::string& uid, const std::string& text) {
    mail.mailbox.push_back(FakeMail{uid, text});
  }

  // Notes each state the session passes through.
  void step() override {
    const int state = static_cast<int>(intake.session.mailState());
    if (states.back() != state) states.push_back(state);
  }

  std::vector<std::string> actions() const { return mail.actions(); }

  std::vector<int> states;
  std::vector<IntakeResult> results;
};

TEST_F(OrderIntakeTest, AnEmptyMailboxSaysSoAndLogsOut) {
  int disabled = 0;
  intake.cmdGetMail.addListener([&] { disabled += intake.cmdGetMail.Enabled() ? 0 : 1; });
  getOrders();
  EXPECT_EQ(states, (std::vector<int>{0, 7, 9, 0}));
  EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"No mail waiting"});
  EXPECT_EQ(actions(), (std::vector<std::string>{"connect orders", "disconnect"}));
  EXPECT_EQ(disabled, 0);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_TRUE(results[0].completed);
  EXPECT_FALSE(intake.session.Timer1.Enabled());
}

TEST_F(OrderIntakeTest, StoresEachOrderWithItsOwnLines) {
  OrderMailText first;
  first.v3 = "Standard";  // V1 also carries Saver: the later choice wins
  OrderMailText second;
  second.from = "bob@buyer.example";
  second.description =
      "B7 ^ 1 ^ 4.12 ^ 4.12^\r\nC9 ^ 3 ^ 1.00 ^ 3.00^\r\n Total Price : $$$ 7.12\r\n";
  second.amount = "$$$ 7.12";
  deliver("u1", first.text());
  deliver("u2", second.text());
  int disabled = 0;
  intake.cmdGetMail.addListener([&] { disabled += intake.cmdGetMail.Enabled() ? 0 : 1; });
  getOrders();

  EXPECT_EQ(actions(), (std::vector<std::string>{"connect orders", "uid 1", "fetch 1", "uid 2",
                                                 "fetch 2", "disconnect"}));
  EXPECT_EQ(disabled, 1);
  EXPECT_TRUE(intake.cmdGetMail.Enabled());
  EXPECT_EQ(intake.List3.items(),
            (std::vector<std::string>{"A100 ^ 2 ^ 25.00 ^ 50.00^\r", " Total Price : $$$ 54.12",
                                      "B7 ^ 1 ^ 4.12 ^ 4.12^\r", "C9 ^ 3 ^ 1.00 ^ 3.00^",
                                      " Total Price : $$$ 7.12"}));
  // Shipping costs the T5 or T3 charge of the choice, as received.
  EXPECT_EQ(storedOrders(database),
            (Rows{{1, " ann@buyer.example", "Standard", "$ 9.50", 54.12, "Ann Buyer"},
                  {2, " bob@buyer.example", "Saver", "$ 3.00", 7.12, "Ann Buyer"}}));
  EXPECT_EQ(storedLines(database),
            (Rows{{1, "A100 ", 2, 25, 50}, {2, "B7 ", 1, 4.12, 4.12}, {2, "C9 ", 3, 1, 3}}));
  EXPECT_EQ(intake.lblPercentage.Caption(), " 3");
  EXPECT_NE(intake.Text18.Text().find(" Online Order\r\n ann@buyer.example\r\n"),
            std::string::npos);
  EXPECT_EQ(intake.Text18.Text().find("secret"), std::string::npos);
  EXPECT_EQ(results.at(0).stored, 2);
}

TEST_F(OrderIntakeTest, HostDeleteDeletesOnlyTheStoredOrders) {
  intake.chkHostDelete.setValue(1);
  intake.chkHostDelete_Click();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text,
            "Messages will be deleted after they are read from the host.");
  EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Exclamation);

  OrderMailText notAnOrder;
  notAnOrder.subject = "Lunch?";
  deliver("u1", OrderMailText().text());
  deliver("u2", notAnOrder.text());
  getOrders();
  EXPECT_EQ(actions(), (std::vector<std::string>{"connect orders", "uid 1", "fetch 1", "delete 1",
                                                 "uid 2", "fetch 2", "disconnect"}));
  EXPECT_EQ(states, (std::vector<int>{0, 7, 1, 10, 1, 9, 0}));
  EXPECT_EQ(mail.mailbox.size(), 1u);  // what is left is told by the test against dovecot
  EXPECT_EQ(storedOrders(database).size(), 1u);
  EXPECT_EQ(intake.List3.ListCount(), 2);  // the other mail added nothing

  intake.chkHostDelete.setValue(0);
  intake.chkHostDelete_Click();
  EXPECT_EQ(dialogs.messages.size(), 1u);
}

// Another program reading an old state of the file keeps the log from being
// copied into it (after the busy wait): the session ends without QUIT, so
// the server keeps every message, while the stored orders stay.
TEST_F(OrderIntakeTest, DeletionsAreNotCommittedWhenTheOrdersCannotBeMadeDurable) {
  database.execute("PRAGMA journal_mode=WAL");
  testing::TestDatabase reader(folder.file(kProgramDatabaseFile));
  reader.execute("BEGIN");
  reader.select("SELECT count(*) FROM Orders");
  intake.chkHostDelete.setValue(1);
  deliver("u1", OrderMailText().text());
  deliver("u2", OrderMailText().text());
  getOrders();
  EXPECT_EQ(actions().back(), "abandon");
  EXPECT_EQ(mail.mailbox.size(), 2u);
  ASSERT_EQ(results.size(), 1u);
  EXPECT_FALSE(results[0].completed);
  EXPECT_NE(results[0].error.find("could not be made durable, so no message was deleted"),
            std::string::npos)
      << results[0].error;
  reader.execute("COMMIT");
  EXPECT_EQ(storedOrders(database).size(), 2u);
}

TEST_F(OrderIntakeTest, ARunWithoutDeleteStoresNothingTwice) {
  deliver("u1", OrderMailText().text());
  getOrders();
  deliver("u2", OrderMailText().text());
  getOrders();
  EXPECT_EQ(storedOrders(database).size(), 2u);
  EXPECT_EQ(storedLines(database).size(), 2u);
  EXPECT_NE(intake.Text18.Text().find("Message u1 was imported before"), std::string::npos);
  // The second run did not even fetch the message it had stored.
  const auto all = actions();
  EXPECT_EQ(std::count(all.begin(), all.end(), "fetch 1"), 1);
}

TEST_F(OrderIntakeTest, AnOrderFailingHalfWayLeavesNothingAndIsFetchedAgain) {
  // The database refuses the second line of the first order, after its
  // order record and first line are written.
  database.execute(
      "CREATE TRIGGER refuse BEFORE INSERT ON [Order Details] WHEN NEW.ProductID = 'C9 ' "
      "BEGIN SELECT RAISE(ABORT, 'disk is full'); END");
  OrderMailText failing;
  failing.from = "bob@buyer.example";
  failing.description = "B7 ^ 1 ^ 4.12 ^ 4.12^\r\nC9 ^ 3 ^ 1.00 ^ 3.00^\r\n";
  deliver("u1", failing.text());
  deliver("u2", OrderMailText().text());
  getOrders();
  const auto imported = [&] {
    return testing::rowsOf(database, "select uid from ImportedMessages");
  };
  const auto customers = [&] { return testing::rowsOf(database, "select CustomerID from Orders"); };
  EXPECT_EQ(customers(), (Rows{{" ann@buyer.example"}})) << intake.Text18.Text();
  EXPECT_EQ(storedLines(database), (Rows{{1, "A100 ", 2, 25, 50}}));
  EXPECT_EQ(imported(), (Rows{{"u2"}}));
  EXPECT_NE(intake.Text18.Text().find("The order of  bob@buyer.example could not be stored: "),
            std::string::npos)
      << intake.Text18.Text();
  EXPECT_EQ(results.at(0).stored, 1);

  database.execute("DROP TRIGGER refuse");
  getOrders();
  EXPECT_EQ(customers(), (Rows{{" ann@buyer.example"}, {" bob@buyer.example"}}));
  EXPECT_EQ(storedLines(database).size(), 3u);
  EXPECT_EQ(imported().size(), 2u);
}

TEST_F(OrderIntakeTest, BrokenOrderPartsDoNotStopTheIntake) {
  OrderMailText shortLine;
  shortLine.description = "A100 ^ 2 ^ 25.00\r\nB7 ^ 1 ^ 4.12 ^ 4.12^\r\n";
  OrderMailText noAmount;
  noAmount.description = "C9 ^ 3 ^ 1.00 ^ 3.00^\r\n";
  const std::string withoutAmount = [&] {
    std::string text = noAmount.text();
    return text.replace(text.find("AMOUNT="), 7, "SUM=");
  }();
  OrderMailText shortAmount;
  shortAmount.amount = "$$";
  deliver("u1", shortLine.text());
  deliver("u2", withoutAmount);
  deliver("u3", shortAmount.text());
  getOrders();

  EXPECT_EQ(testing::rowsOf(database, "select OrderID, Total from Orders"),
            (Rows{{1, 54.12}, {2, DbValue()}, {3, DbValue()}}));
  EXPECT_EQ(testing::rowsOf(database, "select OrderID, ProductID from [Order Details]"),
            (Rows{{1, "B7 "}, {2, "C9 "}, {3, "A100 "}}));
}

// What the order pages send beyond the original fields is kept, and what a
// merchant must look at is flagged.
TEST_F(OrderIntakeTest, SecondAddressNoteAndCardTypeAreStoredAndOddQuantitiesFlagged) {
  OrderMailText order;
  order.description =
      "A100 ^ 0.01 ^ 39.00 ^ 0.39^\r\nB7 ^ 2.00 ^ 1.00 ^ 2.00^\r\nC9 ^ -1 ^ 1 ^ -1^\r\n";
  deliver("u1", order.text() +
                    "Adrs2B=Apt 4\r\nAdrs2S=Back door\r\nMETHOD=Visa\r\nB1=Submit\r\n"
                    "Note=Special Instructions :\r\nRing twice.\r\nCall=me\r\n\r\n");
  getOrders();
  EXPECT_EQ(testing::rowsOf(database,
                            "select BillAddress2, ShipAddress2, CardType, Note, Flags from Orders"),
            (Rows{{"Apt 4", "Back door", "Visa", "Special Instructions :\r\nRing twice.\r\nCall=me",
                   "quantity not a whole positive number: A100 (0.01); quantity not a whole "
                   "positive number: C9 (-1)"}}));
  EXPECT_NE(intake.Text18.Text().find("Flagged: quantity not a whole positive number: A100"),
            std::string::npos);
  EXPECT_EQ(storedLines(database).size(), 3u);
}

TEST_F(OrderIntakeTest, ALostConnectionEndsTheIntakeAndKeepsStoredOrders) {
  deliver("u1", OrderMailText().text());
  deliver("u2", OrderMailText().text());
  mail.loseConnectionAt = 5;  // "fetch 2"
  getOrders();
  EXPECT_EQ(storedOrders(database).size(), 1u);
  EXPECT_EQ(storedLines(database).size(), 1u);
  EXPECT_EQ(intake.session.mailState(), MailIntakeSession::MailState::Idle);
  EXPECT_TRUE(intake.cmdGetMail.Enabled());
  EXPECT_FALSE(intake.session.Timer1.Enabled());
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_EQ(dialogs.messages[0].text, "AsyncError: The server closed the connection( 56)");
  ASSERT_EQ(results.size(), 1u);
  EXPECT_FALSE(results[0].completed);
  EXPECT_EQ(results[0].stored, 1);

  // The next intake picks up the message that was not stored.
  mail.loseConnectionAt = 0;
  getOrders();
  EXPECT_EQ(storedOrders(database).size(), 2u);
}

TEST_F(OrderIntakeTest, ProgressShowsAsAPercentage) {
  intake.session.Mail1_Progress(1, 3);
  EXPECT_EQ(intake.lblPercentage.Caption(), "33%");
  intake.session.Mail1_Progress(5, 0);
  EXPECT_EQ(intake.lblPercentage.Caption(), "0");
}

}  // namespace
}  // namespace vendaro
