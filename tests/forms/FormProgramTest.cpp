// form-page, responses and get-responses as a script runs them: the vendaro
// program on a real database file, its mailbox a scripted POP3 server on
// loopback. What reaches standard output and standard error, and the exit code.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "forms/FormCommands.h"
#include "platform/sqlite/SqliteDatabase.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/support/ScriptedPop3Server.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::ProgramResult;
using testing::ScriptedPop3Server;

const std::string kVendaro = VENDARO_BIN_PATH;

class FormProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::int64_t id = database.insertRow(
        "Forms", {{"formName", "Poll"}, {"tabStyle", "<table>"}, {"email", "poll@shop.example"}});
    for (const char* name : {"name", "email"}) {
      database.insertRow("Fields", {{"formID", id},
                                    {"fieldName", name},
                                    {"fieldDescription", std::string("<tr>") + name + "</tr>"}});
    }
  }

  // `vendaro COMMAND --app-folder APP ARGUMENTS...`.
  ProgramResult run(const std::string& command, std::vector<std::string> arguments,
                    const std::vector<std::string>& environment = {}) {
    arguments.insert(arguments.begin(), {kVendaro, command, "--app-folder", app.path().string()});
    return testing::runProgram(arguments, environment, scratch.path());
  }

  void respond(const char* form, const char* from, const char* field, const char* value) {
    database.insertRow("Respond", {{"respondForm", form},
                                   {"respondDate", "2026-12-06"},
                                   {"responder", from},
                                   {"FieldName", field},
                                   {"fieldValue", value}});
  }

  testing::TempFolder app;
  testing::TempFolder scratch;
  testing::TestDatabase database{app.file(kProgramDatabaseFile)};
};

TEST_F(FormProgramTest, FormPageWritesThePageOrSaysWhyNot) {
  const std::string page =
      "<html><head><title>Poll </title><base href=''></head><body background='' bgcolor='' "
      "text='' link='' vlink='' alink=''><form ACTION='mailto:poll@shop.example?subject=Poll' "
      "METHOD='POST' ENCTYPE='text/plain' NAME='Poll'><table><tr>name</tr>\r\n<tr>email</tr>\r\n"
      "</table></form></body></html>\r\n";
  ProgramResult result = run("form-page", {"Poll"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, page);
  EXPECT_EQ(result.err, "");

  result = run("form-page", {"Poll", "--output", app.file("poll.htm").string(), "--form-script"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_NE(app.read("poll.htm").find("<form ACTION='poll.php' METHOD='POST' NAME='Poll'"),
            std::string::npos);
  EXPECT_NE(app.read("poll.php").find("'poll@shop.example'"), std::string::npos);

  // What cannot be done as asked: exit code 2, one line saying why, nothing written.
  std::filesystem::create_symlink("poll.htm", app.file("link.htm"));
  const std::string link = app.file("link.htm").string();
  const struct {
    std::vector<std::string> arguments;
    std::string error;
  } refused[] = {
      {{"Gone"}, "no form named Gone"},
      {{"Poll", "--form-script"}, "--form-script needs --output: the script goes beside the page"},
      {{"Poll", "--output", link}, link + " is not a regular file; the page was not written"},
      {{"Poll", "--output", "/dev/null"},
       "/dev/null is not a regular file; the page was not written"},
  };
  for (const auto& [arguments, error] : refused) {
    result = run("form-page", arguments);
    EXPECT_EQ(result.exitCode, kFormCommandFailed) << error;
    EXPECT_EQ(result.err, "vendaro form-page: " + error + "\n");
    EXPECT_EQ(result.out, "");
  }
  EXPECT_TRUE(std::filesystem::is_symlink(app.file("link.htm")));

  // A folder without a database stays without one.
  testing::TempFolder empty;
  result = testing::runProgram(
      {kVendaro, "form-page", "--app-folder", empty.path().string(), "Poll"}, {}, scratch.path());
  EXPECT_EQ(result.exitCode, kFormCommandFailed);
  EXPECT_EQ(result.err,
            "vendaro form-page: no database " + empty.file(kProgramDatabaseFile).string() + "\n");
  EXPECT_FALSE(std::filesystem::exists(empty.file(kProgramDatabaseFile)));
}

// One response per mail with a value per field of the form, in field order;
// the responses of other forms left out; control characters from the mail
// shown escaped.
TEST_F(FormProgramTest, ResponsesListsOneResponsePerMail) {
  respond(" Poll", " ann@x", "name", "Ann\r\nSmith\r\n");
  respond(" Poll", " ann@x", "email", "ann@x\x1b]0;owned\x07");
  respond(" Other", " bob@x", "name", "Bob");
  respond(" Poll", " ann@x", "email", "a2@x");  // a second mail of the same sender
  ProgramResult result = run("responses", {"--form", "Poll", "--csv"});
  EXPECT_EQ(result.exitCode, 0) << result.err;
  EXPECT_EQ(result.out,
            "responder,respondDate,name,email\r\n"
            "ann@x,2026-12-06,Ann Smith,ann@x\\x1b]0;owned\\x07\r\n"
            "ann@x,2026-12-06,,a2@x\r\n");
  result = run("responses", {"--form", "Poll"});
  EXPECT_EQ(result.out,
            "Response from ann@x on 2026-12-06\n  name: Ann\nSmith\n"
            "  email: ann@x\\x1b]0;owned\\x07\n"
            "Response from ann@x on 2026-12-06\n  name: \n  email: a2@x\n");

  result = run("responses", {"--form", "Gone"});
  EXPECT_EQ(result.exitCode, kFormCommandFailed);
  EXPECT_EQ(result.err, "vendaro responses: there is no form named Gone\n");
}

// A mailbox of a response to Poll and a mail for another form, changed by `changes`.
std::map<std::string, std::string> mailbox(const std::map<std::string, std::string>& changes = {}) {
  return ScriptedPop3Server::mailbox(
      {{"r1", "From: ann@x.example\r\nSubject: Poll\r\n\r\nname=Ann\r\nemail=ann@x.example\r\n"},
       {"r2", "From: bob@x.example\r\nSubject: Other\r\n\r\nname=Bob\r\n"}},
      changes);
}

// Each response is stored once and only its mail is deleted; a server that
// refuses or is not there fails the run with the reason.
TEST_F(FormProgramTest, GetResponsesStoresEachResponseOnceAndFailsWithTheReason) {
  const std::vector<std::string> password = {"VENDARO_POP_PASSWORD=secret"};
  const auto getResponses = [&](const ScriptedPop3Server& server, const std::string& form) {
    return run("get-responses",
               {"--form", form, "--host", "127.0.0.1", "--port", std::to_string(server.port()),
                "--user", "forms", "--delete"},
               password);
  };
  {
    ScriptedPop3Server server(mailbox());
    for (const char* stored : {"responses stored: 1\n", "responses stored: 0\n"}) {
      const ProgramResult result = getResponses(server, "Poll");
      EXPECT_EQ(result.exitCode, 0) << result.err;
      EXPECT_TRUE(result.out.ends_with(stored)) << result.out;
      EXPECT_EQ(result.err, "");
    }
    const std::vector<std::string> commands = server.commands();
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "PASS secret"), 2);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "DELE 1"), 2);  // stored, then known
    EXPECT_EQ(std::count(commands.begin(), commands.end(), "DELE 2"), 0);
  }
  SqliteDatabase stored(app.file(kProgramDatabaseFile));
  EXPECT_EQ(stored.select("select responder, FieldName, fieldValue from [Respond]").rows,
            (std::vector<std::vector<DbValue>>{{" ann@x.example", "name", "Ann\r\n"},
                                               {" ann@x.example", "email", "ann@x.example"}}));

  const struct {
    const char* name;
    std::map<std::string, std::string> changes;
    const char* form;
    const char* error;
    std::vector<std::string> deletions;
  } failures[] = {
      // The response stored by the first run goes; the mail of the form
      // that does not exist stays.
      {"a form that does not exist",
       {},
       "Other",
       "vendaro get-responses: the form Other does not exist; 1 response(s) left on the server\n",
       {"DELE 1"}},
      {"refused password",
       {{"PASS", "-ERR [AUTH] no\r\n"}},
       "Poll",
       "vendaro get-responses: the intake failed: Login failed for user forms (server: -ERR "
       "[AUTH] no)\n",
       {}},
      {"server gone",
       {{ScriptedPop3Server::kGreeting, ScriptedPop3Server::kHangUp}},
       "Poll",
       "vendaro get-responses: the intake failed: The server closed the connection",
       {}},
  };
  for (const auto& failure : failures) {
    SCOPED_TRACE(failure.name);
    ScriptedPop3Server server(mailbox(failure.changes));
    const ProgramResult result = getResponses(server, failure.form);
    EXPECT_EQ(result.exitCode, kFormCommandFailed);
    EXPECT_NE(result.err.find(failure.error), std::string::npos) << result.err;
    std::vector<std::string> deletions = server.commands();
    std::erase_if(deletions, [](const std::string& line) { return !line.starts_with("DELE"); });
    EXPECT_EQ(deletions, failure.deletions);
  }
}

}  // namespace
}  // namespace vendaro
