#include "platform/ProgramDocumentPrinter.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

extern char** environ;

namespace vendaro {
namespace {

// Both ends of a pipe, closed when it goes out of scope.
struct Pipe {
  int ends[2] = {-1, -1};
  Pipe() {
    if (::pipe2(ends, O_CLOEXEC) != 0) {
      throw PrintError(std::string("cannot start the printing program: ") + std::strerror(errno));
    }
  }
  ~Pipe() {
    closeEnd(0);
    closeEnd(1);
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  void closeEnd(int which) {
    if (ends[which] >= 0) ::close(ends[which]);
    ends[which] = -1;
  }
};

// Writes all of `text`; false when the program stopped reading.
bool writeAll(int fd, const std::string& text) {
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    done += static_cast<std::size_t>(written);
  }
  return true;
}

std::string readAll(int fd) {
  std::string text;
  char buffer[4096];
  while (true) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return text;
    text.append(buffer, static_cast<std::size_t>(got));
  }
}

int waitFor(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

// A program that dies from a signal or says nothing still gets a message.
std::string failureText(int status, std::string message) {
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) message.pop_back();
  if (!message.empty()) return message;
  if (WIFSIGNALED(status))
    return "the printing program stopped (signal " + std::to_string(WTERMSIG(status)) + ")";
  return "the printing program failed";
}

}  // namespace

ProgramDocumentPrinter::ProgramDocumentPrinter(std::filesystem::path program)
    : program_(std::move(program)) {}

Outcome<std::filesystem::path> ProgramDocumentPrinter::besideThisProgram() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    return failure(ErrorKind::NotFound, "cannot find the printing program: " + error.message());
  }
  const std::filesystem::path folder = self.parent_path();
  for (const std::filesystem::path& program :
       {folder / kPdfProgram, folder / "../libexec/vendaro" / kPdfProgram}) {
    if (::access(program.c_str(), X_OK) == 0) return program;
  }
  return failure(ErrorKind::NotFound, std::string("the printing program ") + kPdfProgram +
                                          " is missing next to " + self.string());
}

void ProgramDocumentPrinter::print(const PrintedDocument& document,
                                   const std::filesystem::path& file) {
  Pipe input;
  Pipe messages;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, input.ends[0], STDIN_FILENO);
  posix_spawn_file_actions_adddup2(&actions, messages.ends[1], STDERR_FILENO);
  const std::string program = program_.string();
  const std::string target = file.string();
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(target.c_str()),
                        nullptr};
  pid_t child = 0;
  const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) {
    throw PrintError("cannot start " + program + ": " + std::strerror(spawned));
  }
  input.closeEnd(0);
  messages.closeEnd(1);
  // A program that quits early must not end this one with SIGPIPE.
  struct sigaction ignore {};
  struct sigaction previous {};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGPIPE, &ignore, &previous);
  writeAll(input.ends[1], printedDocumentText(document));
  ::sigaction(SIGPIPE, &previous, nullptr);
  input.closeEnd(1);
  const std::string message = readAll(messages.ends[0]);
  const int status = waitFor(child);
  if (status < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw PrintError(failureText(status, message));
  }
}

}  // namespace vendaro
