// Names that must not go up, and `vendaro publish` over file://.
#include <gtest/gtest.h>

#include <thread>
#include <tuple>

#include "common/CommandLine.h"
#include "publish/PublishCommand.h"
#include "publish/PublishWindow.h"
#include "publish/SiteFiles.h"
#include "tests/support/CommandRun.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;

TEST(RemoteNameTest, NamesThatWouldLeaveTheDestinationOrBreakACommandAreRefused) {
  for (const char* name : {"", "/etc/passwd", "../x.htm", "a/../../x.htm", "a//b.htm", "./a.htm",
                           "a\\..\\x.htm", "a.htm\r\nDELE index.htm", "a/"}) {
    EXPECT_TRUE(remoteNameProblem(name).has_value()) << name;
  }
  for (const char* name : {"index.htm", "pages/one two.htm", "a..b/c...htm"}) {
    EXPECT_FALSE(remoteNameProblem(name).has_value()) << name;
  }
}

TEST(PublishCommandTest, UploadsWhatChangedRemembersTheDestinationAndKeepsOutsideFilesOut) {
  TempFolder app, outside, remote;
  fs::create_directories(app.file("Shop"));
  app.write("Shop/index.htm", "<html>start</html>");
  app.write("Shop/Shop.sit", "settings");
  outside.write("secret.txt", "private");
  fs::create_symlink(outside.file("secret.txt"), app.file("Shop/secret.htm"));
  const std::string to = "file://" + remote.path().string() + "/www";
  const auto publish = [&app](const std::string& url, bool dryRun = false) {
    PublishOptions options;
    std::tie(options.appFolder, options.project, options.destination.url, options.dryRun) =
        std::tuple(app.path(), "Shop", url, dryRun);
    return runCommand([&](auto& out, auto& err) { return runPublishCommand(options, out, err); });
  };

  const CommandRun dry = publish(to, true);
  EXPECT_NE(dry.out.find("would upload index.htm (18 bytes)"), std::string::npos) << dry.out;
  EXPECT_FALSE(fs::exists(remote.file("www")));

  const CommandRun first = publish(to);
  EXPECT_EQ(first.code, kExitError);  // a file was left out
  EXPECT_NE(first.err.find("not published: secret.htm: leads outside the folder"),
            std::string::npos)
      << first.err;
  EXPECT_EQ(remote.read("www/index.htm"), "<html>start</html>");
  EXPECT_FALSE(fs::exists(remote.file("www/secret.htm")) ||
               fs::exists(remote.file("www/Shop.sit")));

  fs::remove(app.file("Shop/secret.htm"));
  app.write("Shop/index.htm", "<html>new</html>");
  const CommandRun again = publish("");  // the remembered destination
  EXPECT_EQ(again.code, 0) << again.err;
  EXPECT_NE(again.out.find("published 1 of 1 changed files, 0 unchanged"), std::string::npos)
      << again.out;
  EXPECT_EQ(remote.read("www/index.htm"), "<html>new</html>");

  EXPECT_EQ(publish("http://example.invalid/").code, kExitError);
}

TEST(PublishWindowTest, PublishesOnItsOwnThreadAndRemembersTheDestinationOfTheFolder) {
  TempFolder site, remote;
  site.write("index.htm", "<html>start</html>");
  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  const std::string destination = "file://" + remote.path().string();
  {
    frmPublish form(loop, dialogs);
    form.openFolder(site.path());
    form.txtDestination.setText(destination);
    form.txtUser.setText("merchant");
    form.cmdPublish_Click();
    EXPECT_FALSE(form.cmdPublish.Enabled());
    for (int wait = 0; wait < 1000 && form.running(); ++wait) {
      loop.runPending();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    EXPECT_EQ(form.prgProgress.Value(), 100);
    EXPECT_EQ(form.lstLog.items(),
              (std::vector<std::string>{"uploaded index.htm", "Published; 1 files uploaded."}));
    EXPECT_TRUE(form.cmdPublish.Enabled());
  }
  frmPublish again(loop, dialogs);
  again.openFolder(site.path());
  EXPECT_EQ(again.txtDestination.Text(), destination);
  EXPECT_EQ(again.txtUser.Text(), "merchant");
}

}  // namespace
}  // namespace vendaro::testing
