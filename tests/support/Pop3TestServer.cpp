#include "tests/support/Pop3TestServer.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "tests/support/ServerProcess.h"

namespace vendaro::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kDovecot = "/usr/sbin/dovecot";
constexpr const char* kPop3Binary = "/usr/lib/dovecot/pop3";
constexpr const char* kImapBinary = "/usr/lib/dovecot/imap";
constexpr const char* kOpenSsl = "/usr/bin/openssl";
constexpr auto kStartLimit = 10s;

// Mail is owned by the user the mailbox processes run as: nobody when the
// tests run as root (dovecot refuses uid 0), else the tests' own user.
struct MailOwner {
  std::string user;
  std::string group;
  uid_t uid;
  gid_t gid;
};

const MailOwner& mailOwner() {
  static const MailOwner owner = [] {
    const bool root = ::geteuid() == 0;
    const passwd* user = root ? ::getpwnam("nobody") : ::getpwuid(::geteuid());
    const group* group = root ? ::getgrnam("nogroup") : ::getgrgid(::getegid());
    if (!user || !group) throw std::runtime_error("no user and group for the mail");
    return MailOwner{user->pw_name, group->gr_name, user->pw_uid, group->gr_gid};
  }();
  return owner;
}

void giveToMailOwner(const fs::path& path) {
  if (::geteuid() == 0 && ::chown(path.c_str(), mailOwner().uid, mailOwner().gid) != 0) {
    throw std::runtime_error("cannot hand " + path.string() + " to " + mailOwner().user);
  }
}

}  // namespace

bool Pop3TestServer::available() {
  return ::access(kDovecot, X_OK) == 0 && ::access(kPop3Binary, X_OK) == 0 &&
         ::access(kOpenSsl, X_OK) == 0;
}

bool Pop3TestServer::imapAvailable() {
  return available() && ::access(kImapBinary, X_OK) == 0;
}

Pop3TestServer::Pop3TestServer() {
  // dovecot's processes run as other users and must reach the folder.
  fs::permissions(folder_.path(), fs::perms::group_read | fs::perms::group_exec |
                                      fs::perms::others_read | fs::perms::others_exec,
                  fs::perm_options::add);
  fs::create_directories(folder_.path() / "home");
}

Pop3TestServer::~Pop3TestServer() {
  kill();
}

void Pop3TestServer::addUser(const std::string& user, const std::string& password) {
  users_.emplace_back(user, password);
  for (const char* sub : {"", "/new", "/cur", "/tmp"}) {
    const fs::path folder = maildirOf(user).string() + sub;
    fs::create_directories(folder);
    giveToMailOwner(folder);
  }
  giveToMailOwner(folder_.path() / "home" / user);
}

void Pop3TestServer::start() {
  if (running()) return;
  if (!fs::exists(caFile())) makeCertificate();
  std::string users;
  for (const auto& [user, password] : users_) users += user + ":{PLAIN}" + password + "\n";
  folder_.write("users", users);
  // Ports found free may be taken by the time dovecot binds them: try others.
  // A restart keeps its ports, which its clients hold; the killed server's
  // last processes may still hold them for a moment on a busy machine.
  const bool restart = port_ != 0;
  const auto restartLimit = std::chrono::steady_clock::now() + kStartLimit;
  for (int attempt = 0; restart || attempt < 5; ++attempt) {
    if (!restart && (port_ == 0 || attempt > 0)) {
      port_ = freePort();
      tlsPort_ = freePort();
      imapPort_ = imapAvailable() ? freePort() : 0;
    }
    writeConfig();
    if (launch()) return;
    if (log().find("in use") == std::string::npos) {
      throw std::runtime_error("dovecot did not start:\n" + log());
    }
    if (restart && std::chrono::steady_clock::now() > restartLimit) break;
    if (restart) std::this_thread::sleep_for(50ms);
  }
  throw std::runtime_error("dovecot found no free ports:\n" + log());
}

void Pop3TestServer::kill() {
  if (!running()) return;
  // The session processes outlive their master: the whole group goes. Until
  // the last of them has ended, the ports still take connections, which a
  // restart would be taken for; that is waited for (a little while).
  signalAll(SIGKILL);
  ::waitpid(master_, nullptr, 0);
  master_ = -1;
  const auto limit = std::chrono::steady_clock::now() + 2s;
  while ((accepts(port_) || accepts(tlsPort_) || (imapPort_ != 0 && accepts(imapPort_))) &&
         std::chrono::steady_clock::now() < limit) {
    std::this_thread::sleep_for(10ms);
  }
}

void Pop3TestServer::freeze() {
  signalAll(SIGSTOP);
}

void Pop3TestServer::thaw() {
  signalAll(SIGCONT);
}

void Pop3TestServer::signalAll(int signal) {
  if (running()) ::kill(-master_, signal);
}

void Pop3TestServer::deliver(const std::string& user, const std::string& rawMessage) {
  // Written in tmp/ and moved into new/, so the server never sees half a file.
  const std::string name =
      std::to_string(++delivered_) + "." + std::to_string(::getpid()) + ".vendaro-test";
  const fs::path draft = maildirOf(user) / "tmp" / name;
  folder_.write(fs::relative(draft, folder_.path()).string(), rawMessage);
  giveToMailOwner(draft);
  fs::rename(draft, maildirOf(user) / "new" / name);
}

int Pop3TestServer::messageCount(const std::string& user, const std::string& folder) const {
  int count = 0;
  std::string maildirFolder = folder;  // Maildir++: "." between levels, "." first
  std::replace(maildirFolder.begin(), maildirFolder.end(), '/', '.');
  const fs::path box = folder.empty() ? maildirOf(user) : maildirOf(user) / ("." + maildirFolder);
  if (!fs::exists(box)) return 0;
  for (const char* sub : {"new", "cur"}) {
    for (const auto& entry : fs::directory_iterator(box / sub)) {
      if (entry.is_regular_file()) ++count;
    }
  }
  return count;
}

std::string Pop3TestServer::log() const {
  return folder_.read("dovecot.log") + folder_.read("dovecot.out");
}

MailAccount Pop3TestServer::account(const std::string& user, const std::string& password,
                                    MailAccount::Security security,
                                    MailAccount::Protocol protocol) const {
  MailAccount account;
  account.protocol = protocol;
  account.host = "127.0.0.1";
  account.security = security;
  account.port = security == MailAccount::Security::Tls ? tlsPort_ : port_;
  if (account.protocol == MailAccount::Protocol::Imap) account.port = imapPort_;
  if (security != MailAccount::Security::None) account.caFile = caFile();
  account.user = user;
  account.password = password;
  return account;
}

void Pop3TestServer::makeCertificate() {
  const fs::path folder = folder_.path();
  const pid_t openssl = spawn(
      {kOpenSsl, "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1",
       "-nodes", "-keyout", (folder / "key.pem").string(), "-out", caFile(), "-days", "2", "-subj",
       "/CN=localhost", "-addext", "subjectAltName=DNS:localhost,IP:127.0.0.1"},
      folder / "openssl.out");
  int status = 0;
  while (::waitpid(openssl, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    throw std::runtime_error("openssl could not make a certificate:\n" +
                             folder_.read("openssl.out"));
  }
}

void Pop3TestServer::writeConfig() {
  const std::string folder = folder_.path().string();
  const MailOwner& owner = mailOwner();
  std::ostringstream config;
  config << "instance_name = vendaro-test-" << folder_.path().filename().string() << "\n"
         << "base_dir = " << folder << "/run\n"
         << "state_dir = " << folder << "/state\n"
         << "log_path = " << folder << "/dovecot.log\n"
         << "protocols = pop3" << (imapPort_ ? " imap" : "") << "\n"
         << "listen = 127.0.0.1\n"
         << "ssl = yes\n"
         << "ssl_cert = <" << caFile() << "\n"
         << "ssl_key = <" << folder << "/key.pem\n"
         << "disable_plaintext_auth = no\n"
         << "auth_failure_delay = 0\n"
         << "stats_writer_socket_path =\n"
         << "mail_location = maildir:~/Maildir\n"
         << passdb()
         << "userdb {\n  driver = static\n  args = uid=" << owner.user << " gid=" << owner.group
         << " home=" << folder << "/home/%u\n}\n"
         << "service pop3-login {\n"
         << "  inet_listener pop3 {\n    port = " << port_ << "\n  }\n"
         << "  inet_listener pop3s {\n    port = " << tlsPort_ << "\n    ssl = yes\n  }\n}\n"
         << "service imap-login {\n"
         << "  inet_listener imap {\n    port = " << imapPort_ << "\n  }\n"
         << "  inet_listener imaps {\n    port = 0\n  }\n}\n";
  if (::geteuid() != 0) {
    // Without root every dovecot process runs as the tests' own user, and
    // none can shut itself into a chroot.
    config << "service pop3-login {\n  chroot =\n}\nservice anvil {\n  chroot =\n}\n"
           << "service imap-login {\n  chroot =\n}\n"
           << "default_login_user = " << owner.user << "\n"
           << "default_internal_user = " << owner.user << "\n"
           << "default_internal_group = " << owner.group << "\n";
  }
  folder_.write("dovecot.conf", config.str());
}

// The users file, or with OAuth2 the introspection of the tokens.
std::string Pop3TestServer::passdb() const {
  const std::string folder = folder_.path().string();
  if (oauth2Url_.empty()) {
    return "passdb {\n  driver = passwd-file\n  args = scheme=PLAIN " + folder + "/users\n}\n";
  }
  folder_.write("oauth2.conf", "introspection_mode = post\nintrospection_url = " + oauth2Url_ +
                                   "\nusername_attribute = username\nactive_attribute = active\n"
                                   "active_value = true\n");
  return "auth_mechanisms = xoauth2 oauthbearer\n"
         "passdb {\n  driver = oauth2\n  mechanisms = xoauth2 oauthbearer\n  args = " +
         folder + "/oauth2.conf\n}\n";
}

// Starts dovecot and waits until both ports accept connections; false when
// it ended (its log tells why) or did not come up in time.
bool Pop3TestServer::launch() {
  const fs::path folder = folder_.path();
  std::error_code ignored;
  fs::remove(folder / "dovecot.log", ignored);
  fs::remove(folder / "dovecot.out", ignored);
  master_ =
      spawn({kDovecot, "-F", "-c", (folder / "dovecot.conf").string()}, folder / "dovecot.out");
  const auto limit = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < limit) {
    if (::waitpid(master_, nullptr, WNOHANG) == master_) {
      signalAll(SIGKILL);  // what it forked before it ended
      master_ = -1;
      return false;
    }
    if (accepts(port_) && accepts(tlsPort_) && (imapPort_ == 0 || accepts(imapPort_))) return true;
    std::this_thread::sleep_for(10ms);
  }
  kill();
  return false;
}

}  // namespace vendaro::testing
