#include "orders/Outbox.h"

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "orders/CustomerMail.h"
#include "orders/OrderCommand.h"
#include "orders/OrderTables.h"
#include "orders/OutboxCommand.h"
#include "platform/curl/CurlMailSender.h"
#include "tests/support/CommandRun.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/SmtpTestServer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::TempFolder;

// A server that refuses the first `failures` mails, then takes them.
class ScriptedSender : public MailSender {
 public:
  int failures = 0;
  std::vector<OutgoingMail> taken;

  SendResult send(const OutgoingMail& mail) override {
    if (failures > 0) {
      --failures;
      return {false, "550 mailbox unavailable"};
    }
    taken.push_back(mail);
    return {true};
  }
};

OutgoingMail mailTo(const std::string& to) {
  return {"shop@shop.example", to, "Subject: hello\r\n\r\nHello\r\n"};
}

TEST(OutboxTest, AMailIsQueuedOnceKeepsItsErrorUntilSentAndIsNeverSentTwice) {
  TempFolder app;
  testing::TestDatabase database(app.file(kProgramDatabaseFile));
  Outbox outbox(database);
  EXPECT_TRUE(outbox.queue(7, "confirmed", mailTo("ann@buyer.example"), "2026-12-07T10:00:00Z"));
  EXPECT_FALSE(outbox.queue(7, "confirmed", mailTo("ann@buyer.example"), "2026-12-07T10:01:00Z"));
  EXPECT_TRUE(outbox.queue(7, "shipped", mailTo("ann@buyer.example"), "2026-12-07T10:02:00Z"));

  ScriptedSender server;
  server.failures = 1;
  const OutboxSendReport report = outbox.send(server, "2026-12-07T11:00:00Z").value();
  EXPECT_EQ(std::pair(report.sent, report.failed), std::pair(1, 1));
  const std::vector<OutboxMail> waiting = outbox.waiting().value();
  ASSERT_EQ(waiting.size(), 1u);
  EXPECT_EQ(std::tuple(waiting[0].event, waiting[0].state, waiting[0].attempts, waiting[0].error),
            std::tuple("confirmed", OutboxMail::State::Queued, 1, "550 mailbox unavailable"));

  EXPECT_EQ(outbox.send(server, "2026-12-07T12:00:00Z")->sent, 1);
  EXPECT_TRUE(outbox.waiting()->empty());
  EXPECT_EQ(outbox.send(server, "2026-12-07T13:00:00Z")->sent, 0);
  ASSERT_EQ(server.taken.size(), 2u);
  EXPECT_EQ(outbox.find(7, "confirmed")->state, OutboxMail::State::Sent);
}

TEST(CustomerMailTest, TemplatesFillTheirPlaceholdersAndKeepLineBreaksOutOfHeaders) {
  OrderNotice notice;
  notice.orderId = 12;
  notice.name = "Zo\xc3\xab Buyer";
  notice.email = "zoe@buyer.example\r\nBcc: all@example";
  notice.lines = {"2 x T-1 at 22.40 = 44.80"};
  notice.total = "54.12";
  notice.carrier = "UPS";
  notice.tracking = "1Z999";
  const MailTemplate shipped = defaultMailTemplate(OrderStatus::Shipped);
  const OutgoingMail mail = composeCustomerMail(
      {"Order {order_id} for {name}", "{lines}\n{carrier} {tracking}: {total} {unknown}\n"}, notice,
      "shop@shop.example", "Mon, 07 Dec 2026 17:00:00 +0000", "id@shop.example");
  EXPECT_EQ(mail.to, "zoe@buyer.example  Bcc: all@example");
  EXPECT_NE(mail.message.find("\r\nTo: zoe@buyer.example  Bcc: all@example\r\n"),
            std::string::npos);
  EXPECT_NE(mail.message.find("\r\nSubject: =?UTF-8?Q?Order_12_for_Zo=C3=AB_Buyer?=\r\n"),
            std::string::npos)
      << mail.message;
  EXPECT_NE(mail.message.find("\r\n\r\n  2 x T-1 at 22.40 = 44.80\r\nUPS 1Z999: 54.12 {unknown}\r\n"),
            std::string::npos)
      << mail.message;
  EXPECT_NE(shipped.body.find("{tracking}"), std::string::npos);

  const std::optional<MailTemplate> own = readMailTemplate(mailTemplateText(shipped));
  ASSERT_TRUE(own);
  EXPECT_EQ(std::pair(own->subject, own->body), std::pair(shipped.subject, shipped.body));
  EXPECT_FALSE(readMailTemplate("Dear {name}\n"));
}

class SmtpOutboxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(testing::SmtpTestServer::available(), testing::SmtpTestServer::kUnavailable);
    server = std::make_unique<testing::SmtpTestServer>();
    smtp.host = "127.0.0.1";
    smtp.port = server->port();
    smtp.security = MailAccount::Security::None;
    smtp.from = "shop@shop.example";
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    createOrderTables(database);
    database.insertRow("Orders", {{"BillName", "Ann Buyer"},
                                  {"EMail1", "ann@buyer.example"},
                                  {"Total", "$$$ 54.12"}});
  }

  MailDelivery delivery() const {
    return {smtp, {}, nullptr, false, {}, [](const SmtpSettings& settings, const std::string& password) {
              return std::make_unique<CurlMailSender>(settings, password);
            }};
  }

  TempFolder app;
  std::unique_ptr<testing::SmtpTestServer> server;
  SmtpSettings smtp;
};

// `order ID --status confirmed --notify` changes the status and mails the
// customer through a real server; the same event is never mailed twice.
TEST_F(SmtpOutboxTest, NotifyMailsTheCustomerOnce) {
  OrderCommandOptions options;
  options.appFolder = app.path();
  options.orderId = "1";
  options.status = "confirmed";
  options.notify = true;
  options.delivery = delivery();
  const auto order = [&] {
    return testing::runCommand(
        [&](auto& out, auto& err) { return runOrderCommand(options, out, err); });
  };
  const testing::CommandRun confirmed = order();
  ASSERT_EQ(confirmed.code, 0) << confirmed.err;
  const std::vector<std::string> mails = server->mails();
  ASSERT_EQ(mails.size(), 1u) << server->log();
  EXPECT_NE(mails[0].find("Subject: Your order 1 is confirmed"), std::string::npos) << mails[0];
  EXPECT_NE(mails[0].find("Dear Ann Buyer,"), std::string::npos);
  EXPECT_NE(mails[0].find("Total: 54.12"), std::string::npos);

  // With --dry-run nothing is sent: the mail is written as a file.
  options.status = "cancelled";
  options.delivery.dryRun = true;
  options.delivery.dryRunFolder = app.file("eml");
  ASSERT_EQ(order().code, 0);
  EXPECT_NE(app.read("eml/outbox-2.eml").find("Subject: Your order 1 has been cancelled\r\n"),
            std::string::npos);
  EXPECT_EQ(server->mails().size(), 1u);

  // A kind of change without mails, or an SMTP setting missing, changes nothing.
  options.status = "paid";
  const testing::CommandRun refused = order();
  EXPECT_EQ(refused.code, 2);
  EXPECT_NE(
      refused.err.find("--notify tells the customer of confirmed, shipped and cancelled only"),
      std::string::npos);
}

// The program dies after the server took a mail and before the outcome was
// recorded: the next run reports the mail and does not send it again.
TEST_F(SmtpOutboxTest, AMailWhoseSendWasCutOffIsReportedNotSentAgain) {
  struct DyingSender : MailSender {
    CurlMailSender real;
    explicit DyingSender(const SmtpSettings& settings) : real(settings, "") {}
    SendResult send(const OutgoingMail& mail) override {
      real.send(mail);
      throw std::runtime_error("killed");
    }
  };
  {
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    Outbox outbox(database);
    outbox.queue(1, "confirmed", mailTo("ann@buyer.example"), "2026-12-07T10:00:00Z");
    DyingSender dying(smtp);
    EXPECT_THROW((void)outbox.send(dying, "2026-12-07T10:00:01Z"), std::runtime_error);
  }
  ASSERT_EQ(server->mails().size(), 1u);

  OutboxCommandOptions options;
  options.appFolder = app.path();
  options.send = true;
  options.delivery = delivery();
  const auto outbox = [&] {
    return testing::runCommand(
        [&](auto& out, auto& err) { return runOutboxCommand(options, out, err); });
  };
  const testing::CommandRun cutOff = outbox();
  EXPECT_EQ(cutOff.code, 1);
  EXPECT_NE(cutOff.err.find("mail 1 (order 1, confirmed, to ann@buyer.example): a send was cut "
                            "off, so whether the server took it is unknown"),
            std::string::npos)
      << cutOff.err;
  EXPECT_EQ(server->mails().size(), 1u);
  options.send = false;
  EXPECT_EQ(outbox().out, "1  order 1  confirmed  ann@buyer.example  unknown  attempts 1\n");

  // Only a mail of unknown outcome is queued again.
  options.requeue = 2;
  const testing::CommandRun refused = outbox();
  EXPECT_EQ(refused.code, 2);
  EXPECT_EQ(refused.err, "vendaro outbox: mail 2 is no mail of unknown outcome\n");

  // The merchant found it did not arrive and queues it again.
  options.requeue = 1;
  options.send = true;
  EXPECT_EQ(outbox().code, 0);
  EXPECT_EQ(server->mails().size(), 2u);
}

// The password kept in the desktop keyring for a host and user.
struct OneKeyring : PasswordKeyring {
  bool available() override { return true; }
  std::optional<std::string> lookup(const std::string& host, const std::string& user) override {
    if (host == "127.0.0.1" && user == "shop") return "s3cret";
    return std::nullopt;
  }
  bool store(const std::string&, const std::string&, const std::string&) override { return false; }
  void forget(const std::string&, const std::string&) override {}
};

// Over STARTTLS and over TLS from the first byte, with a login whose
// password comes from the keyring: a server whose certificate is not
// trusted gets nothing and the mail stays queued with the reason; trusted
// by [smtp] ca_file, it takes the mail.
TEST(SmtpTlsTest, MailsLeaveOnlyOverATrustedTlsLoginWithTheKeyringsPassword) {
  VENDARO_REQUIRE_TOOL(testing::SmtpTestServer::available(), testing::SmtpTestServer::kUnavailable);
  for (const auto& [mode, security] :
       {std::pair{"starttls", MailAccount::Security::StartTls},
        std::pair{"smtps", MailAccount::Security::Tls}}) {
    SCOPED_TRACE(mode);
    testing::SmtpTestServer server(VENDARO_SMTP_TLS_SERVER, mode, "shop", "s3cret");
    TempFolder app;
    testing::TestDatabase database(app.file(kProgramDatabaseFile));
    Outbox outbox(database);
    outbox.queue(1, "confirmed", mailTo("ann@buyer.example"), "2026-12-07T10:00:00Z");
    MailDelivery delivery{{"127.0.0.1", server.port(), security, "shop", "shop@shop.example", ""},
                          {},
                          std::make_shared<OneKeyring>(),
                          false,
                          {},
                          [](const SmtpSettings& settings, const std::string& password) {
                            return std::make_unique<CurlMailSender>(settings, password);
                          }};
    ASSERT_EQ(deliveryProblem(delivery), "");
    std::ostringstream out, err;
    EXPECT_EQ(deliverOutbox(outbox, delivery, std::nullopt, out, err).value(), 1);
    EXPECT_NE(err.str().find("certificate"), std::string::npos) << err.str();
    EXPECT_TRUE(server.mails().empty());

    delivery.smtp.caFile = server.caFile();
    std::ostringstream sent, none;
    EXPECT_EQ(deliverOutbox(outbox, delivery, std::nullopt, sent, none).value(), 0) << none.str();
    ASSERT_EQ(server.mails().size(), 1u) << server.log();
    EXPECT_NE(server.mails()[0].find("Hello"), std::string::npos);
  }
}

TEST(SmtpSettingsTest, PlainSmtpOnlyOnLoopback) {
  const auto read = [](const std::string& text) {
    return SmtpSettings::read(SettingsFile::parse(text, "vendaro.toml"));
  };
  EXPECT_EQ(read("[smtp]\nhost = \"127.0.0.1\"\nsecurity = \"none\"\nport = 2525\n").port, 2525);
  EXPECT_EQ(read("[smtp]\nhost = \"smtp.shop.example\"\n").portOrDefault(), 465);
  EXPECT_THROW(read("[smtp]\nhost = \"smtp.shop.example\"\nsecurity = \"none\"\n"), SettingsError);
}

}  // namespace
}  // namespace vendaro
