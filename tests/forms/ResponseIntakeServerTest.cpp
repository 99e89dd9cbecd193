// The response intake over libcurl against a private dovecot server on loopback.
#include <gtest/gtest.h>

#include <sstream>

#include "forms/FormCommands.h"
#include "forms/FormCreator.h"
#include "forms/GetResponsesCommand.h"
#include "tests/support/PhpMailSite.h"
#include "tests/support/Pop3TestServer.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::Pop3TestServer;

constexpr const char* kUser = "forms";

class ResponseIntakeServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(Pop3TestServer::available(), Pop3TestServer::kUnavailable);
    server.addUser(kUser, "secret");
    server.start();
    folder.write("password", "secret\n");
    const std::int64_t id = database.insertRow("Forms", {{"formName", "Survey"}});
    for (const char* name : {"name", "email"}) {
      database.insertRow("Fields", {{"formID", id}, {"fieldName", name}});
    }
  }

  int getResponses(const std::string& form, bool hostDelete) {
    GetResponsesOptions options;
    options.appFolder = folder.path();
    options.form = form;
    options.mailbox = {.host = "127.0.0.1", .port = server.port(), .user = kUser};
    options.passwordFile = folder.file("password");
    options.deleteMessages = hostDelete;
    out.str("");
    err.str("");
    return runGetResponsesCommand(options, MailSettings{}, out, err);
  }

  Pop3TestServer server;
  testing::TempFolder folder;
  testing::TestDatabase database{folder.file("Vendaro2.mdb")};
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(ResponseIntakeServerTest, StoresEachResponseOnceAndKeepsOtherFormsMail) {
  server.deliver(kUser,
                 "From: ann@x.example\r\nSubject: Survey\r\nMIME-Version: 1.0\r\n"
                 "Content-Type: text/plain; charset=utf-8\r\n"
                 "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                 "name=3DAnn J=C3=B6rg\r\nemail=3Dann@x.example\r\n");
  server.deliver(kUser, "From: bob@x.example\r\nSubject: Other\r\n\r\nname=Bob\r\n");
  server.deliver(kUser,
                 "From: cy@x.example\r\nSubject: Re: Survey\r\nMIME-Version: 1.0\r\n"
                 "Content-Type: multipart/mixed; boundary=\"gone\"\r\n\r\n"
                 "--nothere\r\nContent-Transfer-Encoding: base64\r\n\r\n@@@@\r\nemail=cy\r\n");
  ASSERT_EQ(getResponses("Survey", false), 0) << err.str();
  EXPECT_NE(out.str().find("responses stored: 2"), std::string::npos) << out.str();
  ASSERT_EQ(getResponses("Survey", true), 0) << err.str();  // nothing twice; then deleted
  EXPECT_NE(out.str().find("responses stored: 0"), std::string::npos) << out.str();
  EXPECT_EQ(server.messageCount(kUser), 1);  // the other form's mail stays

  testing::ScriptedDialogs dialogs;
  Settings creator(FormCreatorPlatform{database, dialogs, nullptr, {}});
  creator.Form_Load();
  ASSERT_EQ(creator.grdDataGrid.rows.size(), 4u);  // one record per field and response
  EXPECT_EQ(creator.grdDataGrid.rows[0][5], "Ann Jörg\r\n");

  std::ostringstream csv;
  ASSERT_EQ(runResponsesCommand({folder.path(), "Survey", true}, csv, err), 0);
  const std::string date = creator.grdDataGrid.rows[0][2];
  EXPECT_EQ(csv.str(),
            "responder,respondDate,name,email\r\n"
            "ann@x.example," +
                date +
                ",Ann Jörg,ann@x.example\r\n"
                "cy@x.example," +
                date + ",,cy\r\n");
}

// The form page with its mail script, under PHP's built-in server: a post
// arrives as the mail the intake reads, with the field names as typed; a
// post with a line break in a one-line field is refused and sends nothing.
TEST_F(ResponseIntakeServerTest, AFormPostedToItsScriptArrivesAsAResponse) {
  VENDARO_REQUIRE_TOOL(testing::PhpMailSite::available(), testing::PhpMailSite::kUnavailable);
  database.execute("update Forms set email = 'forms@shop.example'");
  const std::int64_t id = database.query("select formID from Forms", {}).rows[0][0].integer();
  database.insertRow("Fields",
                     {{"formID", id}, {"fieldName", "your note"}, {"fieldType", "textarea"}});
  testing::TempFolder site;
  FormPageOptions page{folder.path(), "Survey", site.file("survey.htm"), true};
  ASSERT_EQ(runFormPageCommand(page, out, err), 0) << err.str();
  EXPECT_NE(site.read("survey.htm").find("<form ACTION='survey.php' METHOD='POST' NAME='Survey'"),
            std::string::npos);
  testing::PhpMailSite php(site.path(), server, kUser);

  const auto refused =
      php.post("survey.php", {{"name", "Ann\r\nBcc: x@y.example"}, {"fill_ms", "3000"}});
  EXPECT_EQ(refused.status, 400) << refused.page;
  EXPECT_NE(refused.page.find("The field name must be a single line."), std::string::npos);
  EXPECT_EQ(server.messageCount(kUser), 0);
  const auto thanks = php.post("survey.php", {{"name", "Ann"},
                                              {"email", "ann@x.example"},
                                              {"your note", "two\r\nlines"},
                                              {"fill_ms", "3000"},
                                              {"homepage_url", ""}});
  EXPECT_EQ(thanks.status, 200) << thanks.page << php.log();
  ASSERT_EQ(getResponses("Survey", false), 0) << err.str();
  EXPECT_NE(out.str().find("responses stored: 1"), std::string::npos) << out.str();
  std::ostringstream csv;
  ASSERT_EQ(runResponsesCommand({folder.path(), "Survey", true}, csv, err), 0);
  EXPECT_NE(csv.str().find(",Ann,ann@x.example,two lines\r\n"), std::string::npos) << csv.str();
}

}  // namespace
}  // namespace vendaro
