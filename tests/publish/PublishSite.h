#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "common/TextFile.h"
#include "platform/curl/CurlFileUpload.h"
#include "publish/Publisher.h"
#include "tests/support/ServerProcess.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {

// A test server: its own folder with a "site" folder to publish into, and a
// loopback port that stays the same when it is started again.
class PrivateServer {
 public:
  PrivateServer() { std::filesystem::create_directories(remote()); }
  ~PrivateServer() { killTree(pid_); }
  void stop() { killTree(pid_); }
  std::filesystem::path remote() const { return folder_.file("site"); }

 protected:
  void launch(const std::vector<std::string>& command) {
    pid_ = spawn(command, folder_.file("log"));
    waitForPort(port_);
  }
  void runToEnd(const std::vector<std::string>& command) const {
    ::waitpid(spawn(command, folder_.file("log")), nullptr, 0);
  }
  TempFolder folder_;
  int port_ = freePort();

 private:
  pid_t pid_ = -1;
};

// A small site folder, and a publishing run of it.
struct PublishSite {
  TempFolder site;
  PublishSite() {
    site.write("index.htm", "<html>start</html>");
    std::filesystem::create_directories(site.file("pages"));
    site.write("pages/one two.htm", "<html>one</html>");
    site.write("pages/three.htm", std::string(200000, 'x'));
    site.write("Shop.caa", "project data, never published");
  }

  PublishOutcome publish(
      const UploadDestination& destination,
      const Publisher::Report& report = [](const PublishProgress&) {}) const {
    Publisher publisher(site.path(), destination.url);
    const PublishPlan plan = publisher.plan();
    CurlFileUpload upload(destination);
    const std::atomic<bool> stop = false;
    return publisher.run(
        plan, upload, report, [](const std::string&) {}, stop);
  }
  // The run's files are on the server, whole, with no partial upload left.
  void expectPublishedTo(const std::filesystem::path& remote) const {
    for (const char* name : {"index.htm", "pages/one two.htm", "pages/three.htm"}) {
      const std::string there = readWholeFile(remote / name).value_or("");
      EXPECT_TRUE(there == site.read(name)) << name << " has " << there.size() << " bytes";
    }
    EXPECT_FALSE(std::filesystem::exists(remote / "Shop.caa"));
    EXPECT_FALSE(std::filesystem::exists(remote / "pages/.three.htm.part"));
  }
  // A first run publishes everything; after one page changed, the next
  // uploads it alone; a run whose server stops as its second file starts is
  // completed by the next run.
  template <typename Server>
  void expectOnlyChangesToGoUpEvenAfterAStop(Server& server, const UploadDestination& first,
                                             const UploadDestination& again) {
    EXPECT_TRUE(publish(first).complete());
    expectPublishedTo(server.remote());
    site.write("pages/one two.htm", "<html>changed</html>");
    EXPECT_EQ(publish(again).uploaded, 1u);
    expectPublishedTo(server.remote());

    for (const char* page : {"index.htm", "pages/one two.htm", "pages/three.htm"}) {
      site.write(page, "<html>new</html>");
    }
    const PublishOutcome cut = publish(again, [&server](const PublishProgress& progress) {
      if (progress.filesDone == 1 && !progress.current.empty()) server.stop();
    });
    EXPECT_EQ(cut.uploaded, 1u);
    server.start();
    const PublishOutcome rest = publish(again);
    EXPECT_TRUE(rest.complete());
    EXPECT_EQ(rest.uploaded, 2u);
    expectPublishedTo(server.remote());
  }
  static void expectOneFailure(const PublishOutcome& outcome, const std::string& saying) {
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_NE(outcome.failures[0].find(saying), std::string::npos) << outcome.failures[0];
    EXPECT_EQ(outcome.uploaded, 0u);
  }
};

}  // namespace vendaro::testing
