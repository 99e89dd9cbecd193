#pragma once

#include <functional>
#include <string>

namespace vendaro {

// The error number of a refused login (password or token), for either
// protocol; libcurl's own number for it.
inline constexpr int kMailLoginRefused = 67;

// The mail-control actions whose completion the intakes wait for.
enum class MailAction { Connect, Count, Fetch, Delete, Disconnect, UniqueId };

struct MailAccount {
  std::string host{};
  int port = 0;  // 0: the protocol's default port
  enum class Security { None, Tls, StartTls } security = Security::None;
  std::string caFile{};  // extra certificate authority, optional
  std::string user{};
  // The password, or with Login::OAuth2 the access token; never logged.
  std::string password{};
  enum class Protocol { Pop3, Imap } protocol = Protocol::Pop3;
  enum class Login { Password, OAuth2 } login = Login::Password;
};

// A mailbox session (POP3, or IMAP on the inbox). Each call starts one action and returns; its end is
// reported by `onComplete` (or `onError`) on the event-loop thread. `connect`
// logs in and reads the message count too. Message numbers stay fixed within
// a session; any error ends the session (later actions fail until the next
// `connect`, which numbers afresh), so match messages by unique id.
class MailClient {
 public:
  virtual ~MailClient() = default;

  virtual void connect(const MailAccount& account) = 0;
  virtual void countMessages() = 0;
  virtual void fetchMessage(int number) = 0;
  virtual void deleteMessage(int number) = 0;
  virtual void uniqueId(int number) = 0;
  virtual void disconnect() = 0;
  // Ends the session without logging out, so the server commits none of its
  // deletions; completes as `Disconnect`.
  virtual void abandon() = 0;

  // Results of the last completed action.
  virtual int messageCount() const = 0;
  virtual const std::string& messageText() const = 0;
  virtual const std::string& messageUniqueId() const = 0;

  std::function<void(MailAction action)> onComplete;
  std::function<void(int number, const std::string& description)> onError;
  std::function<void(long done, long total)> onProgress;
};

}  // namespace vendaro
