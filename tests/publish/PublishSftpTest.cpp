// Publishing over SFTP to a private OpenSSH server on a loopback port. The
// server runs as the tests' user with its own configuration, generated host
// and user keys, and no root log-in: as root (CI) it logs in the user nobody,
// who owns the destination folder; as any other user it can only log in
// that user itself.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include "tests/publish/PublishSite.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ServerProcess.h"

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kSshd = "/usr/sbin/sshd";
constexpr const char* kKeygen = "/usr/bin/ssh-keygen";

class PrivateSshd : public PrivateServer {
 public:
  PrivateSshd() : user_(::geteuid() == 0 ? ::getpwnam("nobody") : ::getpwuid(::geteuid())) {
    fs::permissions(folder_.path(),
                    fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
    if (::chown(remote().c_str(), user_->pw_uid, user_->pw_gid) != 0)
      throw std::runtime_error("chown");
    makeKey("host_key");
    makeKey("user_key");
    fs::copy_file(folder_.file("user_key.pub"), folder_.file("authorized_keys"));
    if (::geteuid() == 0) fs::create_directories("/run/sshd");
    start();
  }

  // On the same port each time, so the destination and its known host stay the same.
  void start() {
    folder_.write(
        "sshd_config",
        "ListenAddress 127.0.0.1\nPort " + std::to_string(port_) + "\nHostKey " +
            folder_.file("host_key").string() + "\nPidFile none\nAuthorizedKeysFile " +
            folder_.file("authorized_keys").string() +
            "\nPermitRootLogin no\nPasswordAuthentication yes\n"
            "KbdInteractiveAuthentication no\nUsePAM " +
            (::geteuid() == 0 ? "no" : "yes") +
            "\nStrictModes no\nSubsystem sftp internal-sftp\nForceCommand internal-sftp\n");
    launch({kSshd, "-D", "-e", "-f", folder_.file("sshd_config").string()});
  }
  void changeHostKey() {
    stop();
    fs::remove(folder_.file("host_key"));
    makeKey("host_key");
    start();
  }

  UploadDestination destination() const {
    UploadDestination destination;
    destination.url = "sftp://" + std::string(user_->pw_name) +
                      "@127.0.0.1:" + std::to_string(port_) + remote().string();
    destination.keyFile = folder_.file("user_key");
    destination.knownHostsFile = folder_.file("known_hosts");
    return destination;
  }

 private:
  void makeKey(const std::string& name) {
    runToEnd({kKeygen, "-q", "-t", "ed25519", "-N", "", "-f", folder_.file(name).string()});
  }

  const passwd* user_;
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

TEST_F(PublishSftpTest, UploadsOnlyChangesAndCompletesARunTheServerCutOff) {
  site_.expectOnlyChangesToGoUpEvenAfterAStop(*server_, trusted_, server_->destination());
}

TEST_F(PublishSftpTest, RefusedConnectionsSayWhyAndUploadNothing) {
  UploadDestination wrongPassword = trusted_;
  wrongPassword.keyFile.clear();
  wrongPassword.password = "wrong";
  PublishSite::expectOneFailure(site_.publish(server_->destination()), "is not in");
  PublishSite::expectOneFailure(site_.publish(wrongPassword), "was refused");
  server_->changeHostKey();  // the wrong-password run trusted the first key
  PublishSite::expectOneFailure(site_.publish(trusted_), "differs");
}

}  // namespace
}  // namespace vendaro::testing
