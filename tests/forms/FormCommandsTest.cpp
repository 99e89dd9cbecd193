#include "forms/FormCommands.h"
#include "forms/GetResponsesCommand.h"

#include <gtest/gtest.h>

#include <sstream>

#include "intake/MailIntakeSession.h"

#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro {
namespace {

using testing::TempFolder;

class FormCommandsTest : public ::testing::Test {
 protected:
  TempFolder folder;
  testing::TestDatabase database{folder.file("Vendaro2.mdb")};
  std::ostringstream out;
  std::ostringstream err;
};

TEST_F(FormCommandsTest, FormPageWritesTheStoredRowsInTableOrder) {
  const std::int64_t id =
      database.insertRow("Forms", {{"formName", "Poll"}, {"tabStyle", "<table>"}});
  for (const char* row : {"<tr>1</tr>", "<tr>2</tr>"}) {
    database.insertRow("Fields", {{"formID", id}, {"fieldDescription", row}});
  }
  const std::string page =
      "<html><head><title>Poll </title><base href=''></head><body background='' bgcolor='' "
      "text='' link='' vlink='' alink=''><form ACTION='mailto:?subject=Poll' METHOD='POST' "
      "ENCTYPE='text/plain' NAME='Poll'><table><tr>1</tr>\r\n<tr>2</tr>\r\n"
      "</table></form></body></html>\r\n";
  EXPECT_EQ(runFormPageCommand({folder.path(), "Poll", {}, false}, out, err), 0);
  EXPECT_EQ(out.str(), page);
  EXPECT_EQ(runFormPageCommand({folder.path(), "Poll", folder.file("p.htm"), false}, out, err), 0);
  EXPECT_EQ(folder.read("p.htm"), page);
  EXPECT_EQ(runFormPageCommand({folder.path(), "Gone", {}, false}, out, err), kFormCommandFailed);
  EXPECT_EQ(err.str(), "vendaro form-page: no form named Gone\n");

  // A link or a device at the output name stays as it is.
  std::filesystem::create_symlink("p.htm", folder.file("link.htm"));
  for (const std::filesystem::path& target :
       {folder.file("link.htm"), std::filesystem::path("/dev/null")}) {
    err.str("");
    EXPECT_EQ(runFormPageCommand({folder.path(), "Poll", target, false}, out, err), kFormCommandFailed);
    EXPECT_EQ(err.str(), "vendaro form-page: " + target.string() +
                             " is not a regular file; the page was not written\n");
  }
  EXPECT_TRUE(std::filesystem::is_symlink(folder.file("link.htm")));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
}

// One row per mail with one column per field of the form, in field order;
// the responses of other forms left out; values and senders trimmed, a
// value of several lines on one line.
TEST_F(FormCommandsTest, ResponsesAsCsvGroupOneRowPerMail) {
  const std::int64_t id = database.insertRow("Forms", {{"formName", "Poll"}});
  for (const char* name : {"name", "email"}) {
    database.insertRow("Fields", {{"formID", id}, {"fieldName", name}});
  }
  const auto respond = [this](const char* form, const char* from, const char* field,
                              const char* value) {
    database.insertRow("Respond", {{"respondForm", form},
                                   {"respondDate", "2026-12-06"},
                                   {"responder", from},
                                   {"FieldName", field},
                                   {"fieldValue", value}});
  };
  respond(" Poll", " ann@x", "name", "Ann\r\nSmith\r\n");
  respond(" Poll", " ann@x", "email", "ann@x");
  respond(" Other", " bob@x", "name", "Bob");
  respond(" Poll", " ann@x", "email", "a2@x");  // a second mail of the same sender
  EXPECT_EQ(runResponsesCommand({folder.path(), "Poll", true}, out, err), 0);
  EXPECT_EQ(out.str(),
            "responder,respondDate,name,email\r\n"
            "ann@x,2026-12-06,Ann Smith,ann@x\r\n"
            "ann@x,2026-12-06,,a2@x\r\n");

  // The responses of a form deleted since are listed; a name that is neither
  // a form nor has responses is an error.
  EXPECT_EQ(runResponsesCommand({folder.path(), "Other", false}, out, err), 0);
  EXPECT_EQ(runResponsesCommand({folder.path(), "Gone", false}, out, err), kFormCommandFailed);
  EXPECT_EQ(err.str(), "vendaro responses: there is no form named Gone\n");
}

// The order intake and the response intake share one lock: a second intake
// into the same database stores nothing twice.
TEST_F(FormCommandsTest, GetResponsesWaitsForNoOtherIntake) {
  database.insertRow("Forms", {{"formName", "Poll"}});
  folder.write("password", "secret\n");
  const auto held = FileLock::tryTake(folder.file(kIntakeLockFile));
  GetResponsesOptions options;
  options.appFolder = folder.path();
  options.form = "Poll";
  options.mailbox = {.host = "127.0.0.1", .port = 1, .user = "shop"};
  options.passwordFile = folder.file("password");
  EXPECT_EQ(runGetResponsesCommand(options, {}, out, err), kFormCommandFailed);
  EXPECT_NE(err.str().find(MailIntakeSession::kBusy), std::string::npos) << err.str();
}

// The question names the responses; without --yes the answer is No.
TEST_F(FormCommandsTest, DeleteFormAsksAndTakesNoUnlessYes) {
  database.insertRow("Forms", {{"formName", "Poll"}});
  for (const char* field : {"name", "email"}) {
    database.insertRow("Respond", {{"respondForm", " Poll"}, {"FieldName", field}});
  }
  EXPECT_EQ(runDeleteFormCommand({folder.path(), "Poll"}, out, err), kFormCommandFailed);
  EXPECT_EQ(err.str(),
            "Delete the form \"Poll\" and its stored response?\n"
            "vendaro delete-form: not deleted (--yes deletes it)\n");
  EXPECT_EQ(database.select("Respond").rows.size(), 2u);
  EXPECT_EQ(runDeleteFormCommand({folder.path(), "Poll", QuestionAnswer::Yes}, out, err), 0);
  EXPECT_EQ(out.str(), "deleted the form Poll\n");
  EXPECT_TRUE(database.select("Respond").rows.empty());
}

}  // namespace
}  // namespace vendaro
