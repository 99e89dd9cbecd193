#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using namespace std::chrono_literals;

// True once process `pid` catches `signal` (its handler is installed).
bool catches(pid_t pid, int signal) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("SigCgt:", 0) == 0) {
      const unsigned long long mask = std::stoull(line.substr(7), nullptr, 16);
      return ((mask >> (signal - 1)) & 1U) != 0;
    }
  }
  return false;
}

// Waits up to `limit` for the child to end; its exit code, or -1.
int waitFor(pid_t pid, std::chrono::seconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (std::chrono::steady_clock::now() < deadline) {
    if (::waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::this_thread::sleep_for(20ms);
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, &status, 0);
  return -1;
}

TEST(SessionEndTest, TheWorkbenchAskedToEndBySigtermWritesItsSavedLists) {
  testing::TempFolder app;
  // Nothing leaves the machine: the vendor site is a closed local port.
  app.write("vendaro.toml", "[vendor]\nbase_url = \"http://127.0.0.1:9\"\n");
  app.write("lb.prv", "http://kept.example/\nhttp://also.example/\n");  // read leniently
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 1);
    ::execl(VENDARO_BINARY, VENDARO_BINARY, "--app-folder", app.path().c_str(), nullptr);
    ::_exit(127);
  }
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (!catches(pid, SIGTERM) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(20ms);
  }
  ASSERT_TRUE(catches(pid, SIGTERM)) << "the workbench did not start";
  ::kill(pid, SIGTERM);
  EXPECT_EQ(waitFor(pid, 60s), 0);
  // Written back in the written format, with the close's image-buffer page and
  // the destruction's.
  EXPECT_EQ(app.read("lb.prv"), "\"http://kept.example/\r\nhttp://also.example/\r\n\"\r\n");
  EXPECT_EQ(app.read("error.htm"), "\"<html><body></body></html>\"\r\n");
  EXPECT_EQ(app.read("error1.htm"), "<html><body></body></html>\r\n");
}

}  // namespace
}  // namespace vendaro
