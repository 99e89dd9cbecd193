// Publishing over FTP with explicit TLS to a private pyftpdlib server on a
// loopback port, with a throw-away certificate as its own authority.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/publish/PublishSite.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ServerProcess.h"

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kOpenSsl = "/usr/bin/openssl";

bool pyftpdlibInstalled() {
  return ::access(kOpenSsl, X_OK) == 0 &&
         fs::exists("/usr/lib/python3/dist-packages/pyftpdlib") &&
         fs::exists("/usr/lib/python3/dist-packages/OpenSSL");
}

class PrivateFtps {
 public:
  PrivateFtps() {
    fs::create_directories(folder_.file("site"));
    pid_t openssl = spawn({kOpenSsl, "req", "-x509", "-newkey", "ec", "-pkeyopt",
                           "ec_paramgen_curve:prime256v1", "-nodes", "-days", "2", "-subj",
                           "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1", "-keyout",
                           folder_.file("cert.pem").string(), "-out", folder_.file("cert.pem").string()},
                          folder_.file("log"));
    ::waitpid(openssl, nullptr, 0);
    start();
  }
  ~PrivateFtps() { killGroup(pid_); }

  void start() {
    pid_ = spawn({kPython, VENDARO_FTPS_SERVER, std::to_string(port_), folder_.file("site").string(),
                  "merchant", "secret", folder_.file("cert.pem").string()},
                 folder_.file("log"));
    for (int tries = 0; tries < 500 && !accepts(port_); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  void stop() { killGroup(pid_); }

  fs::path remote() const { return folder_.file("site"); }
  UploadDestination destination(const std::string& password = "secret") const {
    UploadDestination destination;
    destination.url = "ftps://merchant@127.0.0.1:" + std::to_string(port_) + "/";
    destination.password = password;
    destination.caFile = folder_.file("cert.pem");
    return destination;
  }

 private:
  TempFolder folder_;
  int port_ = freePort();
  pid_t pid_ = -1;
};

class PublishFtpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(pyftpdlibInstalled(),
                         "python3-pyftpdlib or python3-openssl is not installed (see scripts/install-deps)");
    server_ = std::make_unique<PrivateFtps>();
  }
  std::unique_ptr<PrivateFtps> server_;
  PublishSite site_;
};

TEST_F(PublishFtpsTest, PublishesEverythingOnceThenOnlyTheChangedPage) {
  EXPECT_TRUE(site_.publish(server_->destination()).complete());
  site_.expectPublishedTo(server_->remote());

  site_.site.write("pages/three.htm", "<html>shorter</html>");
  const PublishOutcome again = site_.publish(server_->destination());
  EXPECT_TRUE(again.complete());
  EXPECT_EQ(again.uploaded, 1u);
  site_.expectPublishedTo(server_->remote());
}

TEST_F(PublishFtpsTest, ARunCutOffByTheServerIsCompletedByTheNextRun) {
  const PublishOutcome cut = site_.publish(server_->destination(), [this](const PublishProgress& progress) {
    if (progress.filesDone == 1 && !progress.current.empty()) server_->stop();
  });
  EXPECT_FALSE(cut.complete());
  EXPECT_EQ(cut.uploaded, 1u);
  server_->start();
  EXPECT_EQ(site_.publish(server_->destination()).uploaded, PublishSite::kFiles - 1);
  site_.expectPublishedTo(server_->remote());
}

TEST_F(PublishFtpsTest, AWrongPasswordIsRefusedAndUploadsNothing) {
  const PublishOutcome outcome = site_.publish(server_->destination("wrong"));
  ASSERT_EQ(outcome.failures.size(), 1u);
  EXPECT_NE(outcome.failures[0].find("was refused"), std::string::npos) << outcome.failures[0];
  EXPECT_FALSE(fs::exists(server_->remote() / "index.htm"));
}

}  // namespace
}  // namespace vendaro::testing
