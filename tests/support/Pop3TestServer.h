#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/MailClient.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {

// A private dovecot POP3 server for integration tests: its own temporary
// folder, configuration, throw-away certificate and free ports on 127.0.0.1,
// run as a child process; nothing under /etc is read or changed. Mailboxes are
// Maildir folders that `deliver` writes into directly.
class Pop3TestServer {
 public:
  // True when dovecot (dovecot-core, dovecot-pop3d) and openssl are installed.
  static bool available();
  // True when IMAP is served too (dovecot-imapd).
  static bool imapAvailable();
  static constexpr const char* kImapUnavailable =
      "dovecot's IMAP server is not installed (dovecot-imapd; see scripts/install-deps)";
  static constexpr const char* kUnavailable =
      "dovecot is not installed (dovecot-core dovecot-pop3d openssl; see scripts/install-deps)";

  Pop3TestServer();
  // Kills the server.
  ~Pop3TestServer();
  Pop3TestServer(const Pop3TestServer&) = delete;
  Pop3TestServer& operator=(const Pop3TestServer&) = delete;

  // Adds a mailbox; call before `start`.
  void addUser(const std::string& user, const std::string& password);
  // Logins take OAuth2 tokens only (XOAUTH2, OAUTHBEARER), which the server
  // checks by a POST to the token introspection address `url`; call before `start`.
  void useOAuth2(const std::string& url) { oauth2Url_ = url; }
  // Starts the server and waits until it accepts connections; throws
  // std::runtime_error with the server's log when it does not come up. May be
  // called again after `kill` (same folder, mailboxes kept).
  void start();
  // Kills the server and all its processes at once: open sessions are not
  // committed (their deletions are lost).
  void kill();
  // Stops every process of the server without ending it, so connections stay
  // open and unanswered; `thaw` lets them go on.
  void freeze();
  void thaw();
  bool running() const { return master_ > 0; }

  // Puts a message, line ends as given, into the user's mailbox.
  // (Written into new/, where IMAP sees it at once through inotify.)
  void deliver(const std::string& user, const std::string& rawMessage);
  // Messages in the user's mailbox (new and seen); `folder` names an IMAP
  // folder below the inbox ("Vendaro/Imported").
  int messageCount(const std::string& user, const std::string& folder = {}) const;

  // The user's Maildir, for a test's own delivery agent or reading what arrived.
  std::filesystem::path maildirOf(const std::string& user) const {
    return folder_.path() / "home" / user / "Maildir";
  }

  int port() const { return port_; }
  int tlsPort() const { return tlsPort_; }
  int imapPort() const { return imapPort_; }  // plain and STARTTLS; 0 without dovecot-imapd
  // The throw-away certificate, which is its own certificate authority.
  std::string caFile() const { return (folder_.path() / "cert.pem").string(); }
  std::string log() const;

  // An account on this server: plain and STARTTLS on `port`, implicit TLS on
  // `tlsPort`; the certificate as CA file for both TLS kinds. IMAP: plain
  // and STARTTLS on `imapPort`.
  MailAccount account(const std::string& user, const std::string& password,
                      MailAccount::Security security = MailAccount::Security::None,
                      MailAccount::Protocol protocol = MailAccount::Protocol::Pop3) const;

 private:
  void makeCertificate();
  void writeConfig();
  std::string passdb() const;
  bool launch();
  void signalAll(int signal);

  TempFolder folder_;
  std::vector<std::pair<std::string, std::string>> users_;
  int port_ = 0;
  int tlsPort_ = 0;
  int imapPort_ = 0;
  pid_t master_ = -1;
  int delivered_ = 0;
  std::string oauth2Url_;
};

}  // namespace vendaro::testing
