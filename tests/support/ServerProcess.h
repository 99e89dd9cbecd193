#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/support/Loopback.h"

extern char** environ;

namespace vendaro::testing {

// Starts `arguments` in a process group of its own, so that a signal to the
// group reaches every process it forks; stdin from /dev/null, all output
// appended to `output`.
inline pid_t spawn(const std::vector<std::string>& arguments, const std::filesystem::path& output) {
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                   0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = -1;
  const int error = ::posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) throw std::runtime_error("cannot start " + arguments[0]);
  return pid;
}

// Kills a process started by `spawn`, its group and every process descended
// from it, also those in sessions of their own (a server's connection
// handlers), and reaps it.
inline void killTree(pid_t& pid) {
  if (pid <= 0) return;
  std::vector<pid_t> tree{pid};
  for (std::size_t i = 0; i < tree.size(); ++i) {
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
      std::ifstream stat(entry.path() / "stat");
      std::string skip, name;
      pid_t parent = 0;
      // pid (name) state ppid: the name has no spaces for the servers used here.
      if (stat >> skip >> name >> skip >> parent && parent == tree[i]) {
        tree.push_back(std::stoi(entry.path().filename().string()));
      }
    }
  }
  for (std::size_t i = 1; i < tree.size(); ++i) ::kill(tree[i], SIGKILL);
  ::kill(-pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  pid = -1;
}

inline int freePort() {
  int port = 0;
  ::close(boundLoopbackSocket(port));
  return port;
}

inline bool accepts(int port) {
  const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = loopbackAddress(port);
  const bool connected =
      ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(probe);
  return connected;
}

// Waits up to five seconds for a server to accept connections on `port`.
inline void waitForPort(int port) {
  for (int tries = 0; tries < 500 && !accepts(port); ++tries) ::usleep(10000);
}

}  // namespace vendaro::testing
