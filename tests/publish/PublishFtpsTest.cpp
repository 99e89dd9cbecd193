// Publishing over FTP with explicit TLS to a private pyftpdlib server on a
// loopback port, with a throw-away certificate as its own authority.
#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/publish/PublishSite.h"
#include "tests/support/RequiredTool.h"
#include "tests/support/ServerProcess.h"

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;
constexpr const char* kPython = "/usr/bin/python3";
constexpr const char* kOpenSsl = "/usr/bin/openssl";

bool pyftpdlibInstalled() {
  return ::access(kOpenSsl, X_OK) == 0 && fs::exists("/usr/lib/python3/dist-packages/pyftpdlib") &&
         fs::exists("/usr/lib/python3/dist-packages/OpenSSL");
}

class PrivateFtps : public PrivateServer {
 public:
  PrivateFtps() {
    runToEnd({kOpenSsl, "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
              "-nodes", "-days", "2", "-subj", "/CN=127.0.0.1", "-addext",
              "subjectAltName=IP:127.0.0.1", "-keyout", folder_.file("cert.pem").string(), "-out",
              folder_.file("cert.pem").string()});
    start();
  }

  void start() {
    launch({kPython, VENDARO_FTPS_SERVER, std::to_string(port_), remote().string(), "merchant",
            "secret", folder_.file("cert.pem").string()});
  }

  UploadDestination destination(const std::string& password = "secret") const {
    UploadDestination destination;
    destination.url = "ftps://merchant@127.0.0.1:" + std::to_string(port_) + "/";
    destination.password = password;
    destination.caFile = folder_.file("cert.pem");
    return destination;
  }
};

class PublishFtpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VENDARO_REQUIRE_TOOL(
        pyftpdlibInstalled(),
        "python3-pyftpdlib or python3-openssl is not installed (see scripts/install-deps)");
    server_ = std::make_unique<PrivateFtps>();
  }
  std::unique_ptr<PrivateFtps> server_;
  PublishSite site_;
};

TEST_F(PublishFtpsTest, UploadsOnlyChangesAndCompletesARunTheServerCutOff) {
  site_.expectOnlyChangesToGoUpEvenAfterAStop(*server_, server_->destination(),
                                              server_->destination());
}

TEST_F(PublishFtpsTest, AWrongPasswordIsRefusedAndUploadsNothing) {
  PublishSite::expectOneFailure(site_.publish(server_->destination("wrong")), "was refused");
}

}  // namespace
}  // namespace vendaro::testing
