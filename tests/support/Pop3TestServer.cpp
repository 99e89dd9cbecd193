#include "tests/support/Pop3TestServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <grp.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kDovecot = "/usr/sbin/dovecot";
constexpr const char* kPop3Binary = "/usr/lib/dovecot/pop3";
constexpr const char* kOpenSsl = "/usr/bin/openssl";
constexpr auto kStartLimit = 10s;
constexpr auto kStopLimit = 5s;

bool isExecutable(const char* path) {
  return ::access(path, X_OK) == 0;
}

// Starts `arguments` with stdin from /dev/null and all output into `output`.
pid_t spawn(const std::vector<std::string>& arguments, const fs::path& output) {
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND,
                                   0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  const int error = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::runtime_error("cannot start " + arguments[0]);
  return pid;
}

int runToEnd(const std::vector<std::string>& arguments, const fs::path& output) {
  const pid_t pid = spawn(arguments, output);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeFile(const fs::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

sockaddr_in loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

// A port on 127.0.0.1 that was free a moment ago.
int freePort() {
  const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = loopback(0);
  socklen_t length = sizeof address;
  const bool bound = probe >= 0 &&
                     ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0;
  if (probe >= 0) ::close(probe);
  if (!bound) throw std::runtime_error("no free port on 127.0.0.1");
  return ntohs(address.sin_port);
}

bool accepts(int port) {
  const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const sockaddr_in address = loopback(port);
  const bool connected =
      ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  ::close(probe);
  return connected;
}

// The processes whose parent is `parent`, read from /proc.
std::vector<pid_t> childrenOf(pid_t parent) {
  std::vector<pid_t> children;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator("/proc", error)) {
    const std::string name = entry.path().filename().string();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    const std::string stat = readFile(entry.path() / "stat");
    const auto end = stat.rfind(')');
    if (end == std::string::npos) continue;
    std::istringstream rest(stat.substr(end + 1));
    std::string state;
    pid_t ppid = 0;
    if (rest >> state >> ppid && ppid == parent) children.push_back(std::stoi(name));
  }
  return children;
}

// Mail is owned by the user the mailbox processes run as: nobody when the
// tests run as root (dovecot refuses uid 0), else the tests' own user.
struct MailOwner {
  std::string user;
  std::string group;
  uid_t uid;
  gid_t gid;
};

MailOwner mailOwner() {
  if (::geteuid() == 0) {
    const passwd* nobody = ::getpwnam("nobody");
    const group* nogroup = ::getgrnam("nogroup");
    if (!nobody || !nogroup) throw std::runtime_error("user nobody or group nogroup missing");
    return {"nobody", "nogroup", nobody->pw_uid, nogroup->gr_gid};
  }
  const passwd* me = ::getpwuid(::geteuid());
  const group* myGroup = ::getgrgid(::getegid());
  if (!me || !myGroup) throw std::runtime_error("the current user has no name");
  return {me->pw_name, myGroup->gr_name, ::geteuid(), ::getegid()};
}

void giveToMailOwner(const fs::path& path) {
  static const MailOwner owner = mailOwner();
  if (::geteuid() == 0 && ::chown(path.c_str(), owner.uid, owner.gid) != 0) {
    throw std::runtime_error("cannot hand " + path.string() + " to " + owner.user);
  }
}

}  // namespace

bool Pop3TestServer::available() {
  return isExecutable(kDovecot) && isExecutable(kPop3Binary) && isExecutable(kOpenSsl);
}

Pop3TestServer::Pop3TestServer() {
  // dovecot's processes run as other users and must reach the folder.
  fs::permissions(folder_.path(), fs::perms::owner_all | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read |
                                      fs::perms::others_exec);
  fs::create_directories(folder_.path() / "home");
}

// A graceful stop waits a second for the processes; the folder goes anyway.
Pop3TestServer::~Pop3TestServer() {
  kill();
}

void Pop3TestServer::addUser(const std::string& user, const std::string& password) {
  users_.emplace_back(user, password);
  for (const char* sub : {"", "/new", "/cur", "/tmp"}) {
    const fs::path folder = maildir(user).string() + sub;
    fs::create_directories(folder);
    giveToMailOwner(folder);
  }
  giveToMailOwner(folder_.path() / "home" / user);
}

void Pop3TestServer::start() {
  if (running()) return;
  if (!fs::exists(caFile())) makeCertificate();
  writeUsers();
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (port_ == 0 || attempt > 0) {
      port_ = freePort();
      tlsPort_ = freePort();
      if (tlsPort_ == port_) continue;
    }
    writeConfig();
    launch();
    switch (waitUntilReady()) {
      case Readiness::Ready:
        return;
      case Readiness::PortTaken:
        continue;
      case Readiness::Failed:
        throw std::runtime_error("dovecot did not start:\n" + log());
    }
  }
  throw std::runtime_error("dovecot found no free ports:\n" + log());
}

void Pop3TestServer::stop() {
  reap(SIGTERM);
}

void Pop3TestServer::kill() {
  if (!running()) return;
  // The session processes outlive their master: kill them by id as well.
  const auto children = childrenOf(master_);
  ::kill(master_, SIGKILL);
  for (pid_t child : children) ::kill(child, SIGKILL);
  reap(SIGKILL);
}

void Pop3TestServer::freeze() {
  signalAll(SIGSTOP);
}

void Pop3TestServer::thaw() {
  signalAll(SIGCONT);
}

void Pop3TestServer::signalAll(int signal) {
  if (!running()) return;
  ::kill(master_, signal);
  for (pid_t child : childrenOf(master_)) ::kill(child, signal);
}

void Pop3TestServer::reap(int signal) {
  if (!running()) return;
  ::kill(master_, signal);
  const auto limit = std::chrono::steady_clock::now() + kStopLimit;
  int status = 0;
  while (::waitpid(master_, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > limit) {
      ::kill(master_, SIGKILL);
      ::waitpid(master_, &status, 0);
      break;
    }
    std::this_thread::sleep_for(10ms);
  }
  master_ = -1;
}

void Pop3TestServer::deliver(const std::string& user, const std::string& rawMessage) {
  // Written in tmp/ and moved into new/, so the server never sees half a file.
  const std::string name =
      std::to_string(++delivered_) + "." + std::to_string(::getpid()) + ".vendaro-test";
  const fs::path draft = maildir(user) / "tmp" / name;
  writeFile(draft, rawMessage);
  giveToMailOwner(draft);
  fs::rename(draft, maildir(user) / "new" / name);
}

int Pop3TestServer::messageCount(const std::string& user) const {
  int count = 0;
  for (const char* sub : {"new", "cur"}) {
    for (const auto& entry : fs::directory_iterator(maildir(user) / sub)) {
      if (entry.is_regular_file()) ++count;
    }
  }
  return count;
}

std::string Pop3TestServer::log() const {
  return readFile(folder_.path() / "dovecot.log") + readFile(folder_.path() / "dovecot.out");
}

MailAccount Pop3TestServer::account(const std::string& user, const std::string& password,
                                    MailAccount::Security security) const {
  MailAccount account;
  account.host = "127.0.0.1";
  account.security = security;
  account.port = security == MailAccount::Security::Tls ? tlsPort_ : port_;
  if (security != MailAccount::Security::None) account.caFile = caFile();
  account.user = user;
  account.password = password;
  return account;
}

fs::path Pop3TestServer::maildir(const std::string& user) const {
  return folder_.path() / "home" / user / "Maildir";
}

void Pop3TestServer::makeCertificate() {
  const fs::path folder = folder_.path();
  const int status = runToEnd(
      {kOpenSsl, "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
       "-nodes", "-keyout", (folder / "key.pem").string(), "-out", caFile(), "-days", "2", "-subj",
       "/CN=localhost", "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1"},
      folder / "openssl.out");
  if (status != 0) {
    throw std::runtime_error("openssl could not make a certificate:\n" +
                             readFile(folder / "openssl.out"));
  }
}

void Pop3TestServer::writeUsers() {
  std::string lines;
  for (const auto& [user, password] : users_) lines += user + ":{PLAIN}" + password + "\n";
  writeFile(folder_.path() / "users", lines);
}

void Pop3TestServer::writeConfig() {
  const std::string folder = folder_.path().string();
  const MailOwner owner = mailOwner();
  std::ostringstream config;
  config << "instance_name = vendaro-test-" << folder_.path().filename().string() << "\n"
         << "base_dir = " << folder << "/run\n"
         << "state_dir = " << folder << "/state\n"
         << "log_path = " << folder << "/dovecot.log\n"
         << "protocols = pop3\n"
         << "listen = 127.0.0.1\n"
         << "ssl = yes\n"
         << "ssl_cert = <" << caFile() << "\n"
         << "ssl_key = <" << folder << "/key.pem\n"
         << "disable_plaintext_auth = no\n"
         << "auth_failure_delay = 0\n"
         << "stats_writer_socket_path =\n"
         << "mail_location = maildir:~/Maildir\n"
         << "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN " << folder << "/users\n}\n"
         << "userdb {\n  driver = static\n  args = uid=" << owner.user << " gid=" << owner.group
         << " home=" << folder << "/home/%u\n}\n"
         << "service pop3-login {\n"
         << "  inet_listener pop3 {\n    port = " << port_ << "\n  }\n"
         << "  inet_listener pop3s {\n    port = " << tlsPort_ << "\n    ssl = yes\n  }\n}\n"
         << "service imap-login {\n"
         << "  inet_listener imap {\n    port = 0\n  }\n"
         << "  inet_listener imaps {\n    port = 0\n  }\n}\n";
  if (::geteuid() != 0) {
    // Without root every dovecot process runs as the tests' own user, and
    // none can shut itself into a chroot.
    config << "service pop3-login {\n  chroot =\n}\nservice anvil {\n  chroot =\n}\n"
           << "default_login_user = " << owner.user << "\n"
           << "default_internal_user = " << owner.user << "\n"
           << "default_internal_group = " << owner.group << "\n";
  }
  writeFile(folder_.path() / "dovecot.conf", config.str());
}

void Pop3TestServer::launch() {
  const fs::path folder = folder_.path();
  std::error_code ignored;
  fs::remove(folder / "dovecot.log", ignored);
  fs::remove(folder / "dovecot.out", ignored);
  master_ =
      spawn({kDovecot, "-F", "-c", (folder / "dovecot.conf").string()}, folder / "dovecot.out");
}

Pop3TestServer::Readiness Pop3TestServer::waitUntilReady() {
  const auto limit = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < limit) {
    int status = 0;
    if (::waitpid(master_, &status, WNOHANG) == master_) {
      master_ = -1;
      return log().find("in use") != std::string::npos ? Readiness::PortTaken : Readiness::Failed;
    }
    if (accepts(port_) && accepts(tlsPort_)) return Readiness::Ready;
    std::this_thread::sleep_for(10ms);
  }
  reap(SIGKILL);
  return Readiness::Failed;
}

}  // namespace vendaro::testing
