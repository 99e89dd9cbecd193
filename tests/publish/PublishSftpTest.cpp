// Publishing over SFTP to a private OpenSSH server on a loopback port. The
// server runs as the tests' user with its own configuration, generated host
// and user keys, and no root log-in: as root (CI) it logs in the user nobody,
// who owns the destination folder; as any other user it can only log in
// that user itself.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "tests/publish/PublishSite.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ServerProcess.h"

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kSshd = "/usr/sbin/sshd";
constexpr const char* kKeygen = "/usr/bin/ssh-keygen";

class PrivateSshd {
 public:
  PrivateSshd() : user_(::geteuid() == 0 ? ::getpwnam("nobody") : ::getpwuid(::geteuid())) {
    fs::permissions(folder_.path(), fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    fs::create_directories(remote());
    if (::chown(remote().c_str(), user_->pw_uid, user_->pw_gid) != 0) throw std::runtime_error("chown");
    makeKey("host_key");
    makeKey("user_key");
    fs::copy_file(folder_.file("user_key.pub"), folder_.file("authorized_keys"));
    if (::geteuid() == 0) fs::create_directories("/run/sshd");
    start();
  }
  ~PrivateSshd() { killTree(pid_); }

  // On the same port each time, so the destination and its known host stay the same.
  void start() {
    folder_.write("sshd_config",
                  "ListenAddress 127.0.0.1\nPort " + std::to_string(port_) + "\nHostKey " +
                      folder_.file("host_key").string() + "\nPidFile none\nAuthorizedKeysFile " +
                      folder_.file("authorized_keys").string() +
                      "\nPermitRootLogin no\nPasswordAuthentication yes\n"
                      "KbdInteractiveAuthentication no\nUsePAM " +
                      (::geteuid() == 0 ? "no" : "yes") +
                      "\nStrictModes no\nSubsystem sftp internal-sftp\nForceCommand internal-sftp\n");
    pid_ = spawn({kSshd, "-D", "-e", "-f", folder_.file("sshd_config").string()}, folder_.file("log"));
    for (int tries = 0; tries < 500 && !accepts(port_); ++tries) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  }
  void stop() { killTree(pid_); }
  void changeHostKey() {
    stop();
    fs::remove(folder_.file("host_key"));
    makeKey("host_key");
    start();
  }

  fs::path remote() const { return folder_.file("site"); }
  UploadDestination destination() const {
    UploadDestination destination;
    destination.url = "sftp://" + std::string(user_->pw_name) + "@127.0.0.1:" +
                      std::to_string(port_) + remote().string();
    destination.keyFile = folder_.file("user_key");
    destination.knownHostsFile = folder_.file("known_hosts");
    return destination;
  }

 private:
  void makeKey(const std::string& name) {
    pid_t keygen = spawn({kKeygen, "-q", "-t", "ed25519", "-N", "", "-f", folder_.file(name).string()},
                         folder_.file("log"));
    ::waitpid(keygen, nullptr, 0);
    fs::permissions(folder_.file(name + ".pub"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  }

  TempFolder folder_;
  const passwd* user_;
  int port_ = freePort();
  pid_t pid_ = -1;
};

class PublishSftpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(::access(kSshd, X_OK) == 0 && ::access(kKeygen, X_OK) == 0,
                         "openssh-server is not installed (see scripts/install-deps)");
    server_ = std::make_unique<PrivateSshd>();
    trusted_ = server_->destination();
    trusted_.trustNewHost = true;
  }
  std::unique_ptr<PrivateSshd> server_;
  PublishSite site_;
  UploadDestination trusted_;
};

TEST_F(PublishSftpTest, PublishesEverythingOnceThenOnlyTheChangedPage) {
  EXPECT_TRUE(site_.publish(trusted_).complete());
  site_.expectPublishedTo(server_->remote());

  site_.site.write("pages/one two.htm", "<html>changed</html>");
  const PublishOutcome again = site_.publish(server_->destination());
  EXPECT_TRUE(again.complete());
  EXPECT_EQ(again.uploaded, 1u);
  site_.expectPublishedTo(server_->remote());
}

TEST_F(PublishSftpTest, ARunCutOffByTheServerIsCompletedByTheNextRun) {
  const PublishOutcome cut = site_.publish(trusted_, [this](const PublishProgress& progress) {
    if (progress.filesDone == 1 && !progress.current.empty()) server_->stop();
  });
  EXPECT_FALSE(cut.complete());
  EXPECT_EQ(cut.uploaded, 1u);
  server_->start();
  const PublishOutcome rest = site_.publish(server_->destination());
  EXPECT_EQ(rest.uploaded, PublishSite::kFiles - 1) << ::testing::PrintToString(rest.failures);
  site_.expectPublishedTo(server_->remote());
}

TEST_F(PublishSftpTest, RefusedConnectionsSayWhyAndUploadNothing) {
  UploadDestination unknownHost = server_->destination();
  UploadDestination wrongPassword = trusted_;
  wrongPassword.keyFile.clear();
  wrongPassword.password = "wrong";
  for (const auto& [destination, message] :
       {std::pair{unknownHost, "is not in"}, std::pair{wrongPassword, "was refused"}}) {
    const PublishOutcome outcome = site_.publish(destination);
    ASSERT_EQ(outcome.failures.size(), 1u);
    EXPECT_NE(outcome.failures[0].find(message), std::string::npos) << outcome.failures[0];
  }
  EXPECT_TRUE(site_.publish(trusted_).complete());  // now known
  server_->changeHostKey();
  site_.site.write("index.htm", "changed");
  const PublishOutcome changed = site_.publish(trusted_);
  ASSERT_EQ(changed.failures.size(), 1u);
  EXPECT_NE(changed.failures[0].find("differs"), std::string::npos) << changed.failures[0];
  EXPECT_EQ(changed.uploaded, 0u);
}

}  // namespace
}  // namespace vendaro::testing
