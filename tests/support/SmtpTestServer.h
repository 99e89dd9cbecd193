#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/ServerProcess.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {

// A private aiosmtpd on a free port of 127.0.0.1 that keeps every mail it
// takes in a Maildir of its own temporary folder; killed with the object.
class SmtpTestServer {
 public:
  static constexpr const char* kPython = "/usr/bin/python3";
  static constexpr const char* kUnavailable =
      "aiosmtpd is not installed (python3-aiosmtpd; see scripts/install-deps)";
  static bool available() {
    const std::string probe = std::string(kPython) + " -c 'import aiosmtpd' 2>/dev/null";
    return std::system(probe.c_str()) == 0;
  }

  SmtpTestServer() {
    start({kPython, "-m", "aiosmtpd", "-n", "-l", "127.0.0.1:" + std::to_string(port_), "-c",
           "aiosmtpd.handlers.Mailbox", (folder_.path() / "mail").string()});
  }
  // The same over TLS ("starttls" or "smtps" as `mode`), taking mail only
  // from `user` with `password`, by the script `script`; its certificate is
  // caFile().
  SmtpTestServer(const std::string& script, const std::string& mode, const std::string& user,
                 const std::string& password) {
    start({kPython, script, folder_.path().string(), std::to_string(port_), mode, user, password});
  }
  ~SmtpTestServer() { killTree(pid_); }
  SmtpTestServer(const SmtpTestServer&) = delete;
  SmtpTestServer& operator=(const SmtpTestServer&) = delete;

  int port() const { return port_; }
  std::string caFile() const { return (folder_.path() / "cert.pem").string(); }
  std::string log() const { return folder_.read("server.log"); }

  // The mails taken so far, each whole, in no particular order.
  std::vector<std::string> mails() const {
    std::vector<std::string> texts;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(folder_.path() / "mail" / "new", error)) {
      std::ifstream file(entry.path(), std::ios::binary);
      std::ostringstream text;
      text << file.rdbuf();
      texts.push_back(text.str());
    }
    return texts;
  }

 private:
  void start(const std::vector<std::string>& command) {
    pid_ = spawn(command, folder_.path() / "server.log");
    waitForPort(port_);
    if (!accepts(port_)) throw std::runtime_error("the mail server did not start: " + log());
  }

  TempFolder folder_;
  int port_ = freePort();
  pid_t pid_ = -1;
};

}  // namespace vendaro::testing
