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

// The question names the responses; without --yes the answer is No. The
// form goes with its fields and responses; another form keeps its own.
TEST_F(FormCommandsTest, DeleteFormAsksAndTakesNoUnlessYes) {
  database.insertRow("Forms", {{"formName", "Poll"}});
  database.insertRow("Forms", {{"formName", "Survey"}});
  for (const char* form : {"1", "2"}) database.insertRow("Fields", {{"formID", form}});
  database.insertRow("Respond", {{"respondForm", "Survey"}, {"FieldName", "name"}});
  for (const char* field : {"name", "email"}) {
    database.insertRow("Respond", {{"respondForm", " Poll"}, {"FieldName", field}});
  }
  EXPECT_EQ(runDeleteFormCommand({folder.path(), "Nope", QuestionAnswer::Yes}, out, err),
            kFormCommandFailed);
  EXPECT_EQ(err.str(), "vendaro delete-form: no form named Nope\n");
  err.str("");
  EXPECT_EQ(runDeleteFormCommand({folder.path(), "Poll"}, out, err), kFormCommandFailed);
  EXPECT_EQ(err.str(),
            "Delete the form \"Poll\" and its stored response?\n"
            "vendaro delete-form: not deleted (--yes deletes it)\n");
  EXPECT_EQ(database.select("Respond").rows.size(), 3u);
  EXPECT_EQ(runDeleteFormCommand({folder.path(), "Poll", QuestionAnswer::Yes}, out, err), 0);
  EXPECT_EQ(out.str(), "deleted the form Poll\n");
  for (const char* table : {"Forms", "Fields", "Respond"}) {
    EXPECT_EQ(database.select(table).rows.size(), 1u) << table << " keeps Survey's row alone";
  }
}

}  // namespace
}  // namespace vendaro
