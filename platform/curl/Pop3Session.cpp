#include "platform/curl/Pop3Session.h"

#include <curl/curl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <optional>
#include <sstream>

#include "platform/curl/MailLogin.h"
#include "platform/curl/Pop3Reply.h"

namespace vendaro {
namespace {

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL* handle(void* easy) {
  return static_cast<CURL*>(easy);
}

bool isTlsFailure(CURLcode code) {
  switch (code) {
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_USE_SSL_FAILED:
      return true;
    default:
      return false;
  }
}

// A server's text as shown in a message: one line, control characters as
// "?", at most kShownServerText characters.
constexpr std::size_t kShownServerText = 100;
std::string shownServerText(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::string shown;
  for (const char c : text.substr(0, kShownServerText)) {
    shown += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
  }
  return text.size() > kShownServerText ? shown + "..." : shown;
}

bool hasLineBreak(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// A message whose lines end in a bare LF ends with "\n.\n", which libcurl,
// waiting for CR LF "." CR LF, never takes for the end.
bool endsWithBareLfTerminator(const std::string& body) {
  return body.size() >= 3 && body.compare(body.size() - 3, 3, "\n.\n") == 0 &&
         body.find("\r\n") == std::string::npos;
}

// "1 120\r\n2 uid-two\r\n": the second word of each line by the first.
std::map<int, std::string> listing(const std::string& body) {
  std::map<int, std::string> entries;
  std::istringstream in(body);
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    int number = 0;
    std::string value;
    if (words >> number >> value) entries[number] = value;
  }
  return entries;
}

long milliseconds(std::chrono::steady_clock::duration duration) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(duration).count());
}

bool isLostConnection(CURLcode code) {
  return code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR || code == CURLE_GOT_NOTHING ||
         code == CURLE_PARTIAL_FILE;
}

}  // namespace

// The libcurl callbacks; nested so they may fill the session's private state.
class Pop3Session::Callbacks {
 public:
  // The greeting must be a POP3 answer; anything else is said at once
  // rather than waited on until the time runs out. A refusal after the
  // login hangs up at once: libcurl would otherwise end the connection with
  // a QUIT, which commits the session's deletions.
  static size_t replyLine(char* data, size_t size, size_t count, void* userData) {
    auto* session = static_cast<Pop3Session*>(userData);
    std::string line(data, size * count);
    session->lastActivity_ = Clock::now();
    const bool first = !session->loggedIn_ && session->replyLines_.empty();
    if (first && line.rfind("+OK", 0) != 0 && line.rfind("-ERR", 0) != 0) {
      session->stopNumber_ = kNotPop3;
      session->stopReason_ = "The server at " + session->baseUrl() +
                             " did not greet as a POP3 server; it sent \"" + shownServerText(line) +
                             "\"";
      session->hangUp();
      return 0;
    }
    if (session->loggedIn_ && !session->refusalKeepsSession_ && line.rfind("-ERR", 0) == 0) {
      session->hangUp();
    }
    session->replyLines_.push_back(std::move(line));
    return size * count;
  }

  static size_t bodyData(char* data, size_t size, size_t count, void* userData) {
    auto* session = static_cast<Pop3Session*>(userData);
    const size_t bytes = size * count;
    session->lastActivity_ = Clock::now();
    if (session->body_.size() + bytes > kMaxMessageBytes) {
      session->bodyTooLarge_ = true;
      session->hangUp();
      return 0;
    }
    session->body_.append(data, bytes);
    if (endsWithBareLfTerminator(session->body_)) {
      session->stopNumber_ = kNotPop3;
      session->stopReason_ =
          "The server sent the message with bare LF line ends where POP3 needs CR LF (its "
          "first line: \"" +
          shownServerText(session->body_.substr(0, session->body_.find('\n'))) +
          "\"); the message was not read";
      session->hangUp();
      return 0;
    }
    return bytes;
  }

  static int progress(void* userData, curl_off_t, curl_off_t done, curl_off_t, curl_off_t) {
    auto* session = static_cast<Pop3Session*>(userData);
    if (session->aborted_) return session->stopWith(0, {});
    const auto now = Clock::now();
    if (now - session->lastActivity_ >= std::chrono::seconds(session->timeouts_.idleSeconds)) {
      return session->stopWith(CURLE_OPERATION_TIMEDOUT, "The server at " + session->baseUrl() +
                                                             " did not answer in time" +
                                                             session->serverSaid());
    }
    if (now >= session->sessionDeadline_) {
      return session->stopWith(kDeadline, session->sessionDeadlineText());
    }
    if (now >= session->actionDeadline_) {
      return session->stopWith(
          kDeadline,
          "The message did not arrive in the time allowed for its size" + session->serverSaid());
    }
    if (session->progress_ && *session->progress_ && done != session->lastProgress_ && done > 0) {
      session->lastProgress_ = static_cast<long>(done);
      auto total = pop3reply::retrSize(pop3reply::lastOk(session->replyLines_)).value_or(0);
      (*session->progress_)(static_cast<long>(done), std::max(total, static_cast<long>(done)));
    }
    return 0;
  }

  // The session's one connection; a second one would be a silent new login.
  static curl_socket_t openSocket(void* userData, curlsocktype, curl_sockaddr* address) {
    auto* session = static_cast<Pop3Session*>(userData);
    if (session->loggedIn_) return CURL_SOCKET_BAD;
    session->socket_ =
        ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
    return session->socket_;
  }

  static int closeSocket(void* userData, curl_socket_t socket) {
    auto* session = static_cast<Pop3Session*>(userData);
    if (session->socket_ == socket) session->socket_ = -1;
    return ::close(socket);
  }
};

Pop3Session::Pop3Session(MailTimeouts timeouts) : timeouts_(timeouts) {
  initialiseCurlOnce();
}

Pop3Session::~Pop3Session() {
  close();
}

Pop3Session::Result Pop3Session::open(const MailAccount& account, int& count) {
  close();
  if (hasLineBreak(account.user) || hasLineBreak(account.password)) {
    state_ = State::Ended;
    return {false, kUnsafeAccount,
            "The user name or password contains a line break, which the server would take for "
            "a command of its own; nothing was sent"};
  }
  account_ = account;
  sessionDeadline_ =
      Clock::now() + std::chrono::seconds(timeouts_.connectSeconds + 2 * timeouts_.idleSeconds);
  easy_ = curl_easy_init();
  if (!easy_) {
    state_ = State::Ended;
    return refusal(CURLE_FAILED_INIT, "The mail library could not start a session");
  }
  configureHandle();
  state_ = State::Open;
  Result result = stat(count);
  if (result.ok) result = readListings(count);
  if (result.ok && count > 0) result = readUniqueIds();
  if (result.ok && uidList_ == UidList::Missing) {
    // libcurl ended the connection on the refusal; nothing was changed in
    // it, so a new login numbers the messages the same way.
    if (easy_) curl_easy_cleanup(handle(easy_));
    easy_ = curl_easy_init();
    loggedIn_ = false;
    configureHandle();
    result = stat(count);
    if (result.ok) result = readListings(count);
    uidList_ = UidList::Missing;
  }
  return result;
}

// The capability list read at login (CAPA), when the server gave one.
bool Pop3Session::capabilitiesLackUidl() const {
  bool listed = false;
  for (const std::string& line : loginLines_) {
    const std::string word = line.substr(0, line.find_first_of("\r\n "));
    if (word == "UIDL") return false;
    if (word == ".") listed = true;
  }
  return listed;
}

// The announced sizes set the deadlines of the messages and of the session.
Pop3Session::Result Pop3Session::readListings(int count) {
  sizes_.clear();
  uids_.clear();
  uidList_ = UidList::Unread;
  long total = 0;
  if (count > 0) {
    Result result = perform({"/", "LIST", true});
    if (!result.ok) return result;
    for (const auto& [number, size] : listing(body_)) {
      sizes_[number] = std::atol(size.c_str());
      total += sizes_[number];
    }
    body_.clear();
  }
  sessionDeadline_ = Clock::now() + std::chrono::seconds(2 * timeouts_.idleSeconds) +
                     std::chrono::seconds(total / std::max(1L, timeouts_.slowestBytesPerSecond)) +
                     std::chrono::milliseconds(count * timeouts_.perMessageMs);
  return {};
}

// One UIDL listing serves the session. A server without UIDL (the command is
// optional) answers -ERR; its messages then have no unique id here.
Pop3Session::Result Pop3Session::readUniqueIds() {
  if (capabilitiesLackUidl()) {
    uidList_ = UidList::Missing;
    return {};
  }
  Request request{"/", "UIDL", true};
  request.refusalKeepsSession = true;
  Result result = perform(request);
  if (result.ok) {
    uids_ = listing(body_);
    uidList_ = UidList::Read;
  } else if (state_ == State::Open) {
    uidList_ = UidList::Missing;
    result = {};
  }
  body_.clear();
  return result;
}

Pop3Session::Result Pop3Session::stat(int& count) {
  const bool login = !loggedIn_;
  Result result = perform({"/", "STAT", false});
  if (!result.ok) return result;
  if (login) loginLines_ = replyLines_;
  auto parsed = pop3reply::statCount(pop3reply::lastOk(replyLines_));
  if (!parsed) return refusal(kUnreadableReply, "The server's answer to STAT could not be read");
  count = *parsed;
  return result;
}

Pop3Session::Result Pop3Session::retrieve(int number, std::string& text, const Progress& progress) {
  progress_ = &progress;
  Request request{"/" + std::to_string(number), nullptr, true};
  if (auto size = sizes_.find(number); size != sizes_.end()) request.announcedBytes = size->second;
  Result result = perform(request);
  progress_ = nullptr;
  if (result.ok) result = checkMessage(number, request.announcedBytes);
  if (result.ok) text = pop3reply::withCrLf(body_);
  body_.clear();
  return result;
}

// libcurl reports success when the connection ends inside a message, before
// its terminating line: a message shorter than announced, or after which the
// server has hung up, did not arrive whole.
Pop3Session::Result Pop3Session::checkMessage(int number, long listed) {
  const long announced = pop3reply::retrSize(pop3reply::lastOk(replyLines_)).value_or(listed);
  const auto received = static_cast<long>(body_.size());
  curl_socket_t socket = CURL_SOCKET_BAD;
  curl_easy_getinfo(handle(easy_), CURLINFO_ACTIVESOCKET, &socket);
  bool hungUp = socket == CURL_SOCKET_BAD;
  if (!hungUp) {
    pollfd readable{socket, POLLIN, 0};
    char byte = 0;
    hungUp = ::poll(&readable, 1, 0) > 0 && ::recv(socket, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
  }
  if (received >= announced && !hungUp) return {};
  return refusal(kIncompleteMessage,
                 "Message " + std::to_string(number) + " broke off after " +
                     std::to_string(received) + " of the " + std::to_string(announced) +
                     " bytes announced; it was not read and is fetched again next time");
}

Pop3Session::Result Pop3Session::remove(int number) {
  Result result = perform({"/" + std::to_string(number), "DELE", false});
  uids_.erase(number);
  return result;
}

bool Pop3Session::hasMessage(int number) const {
  return state_ == State::Open && sizes_.count(number) > 0;
}

Pop3Session::Result Pop3Session::uniqueId(int number, std::string& uid) {
  uid.clear();
  if (state_ != State::Open) return perform({"/", "UIDL", false});  // says why not
  if (uidList_ == UidList::Missing) return {};
  if (auto found = uids_.find(number); found != uids_.end()) {
    uid = found->second;
    return {};
  }
  // Not in the listing of the session's start: the server answers for it.
  Result result = perform({"/" + std::to_string(number), "UIDL", false});
  if (!result.ok) return result;
  auto parsed = pop3reply::uidlId(pop3reply::lastOk(replyLines_));
  if (!parsed) return refusal(kUnreadableReply, "The server's answer to UIDL could not be read");
  uid = *parsed;
  return result;
}

void Pop3Session::close(LogoutWait wait) {
  aborted_ = false;
  if (easy_ && state_ == State::Open && loggedIn_) logOut(wait);
  if (easy_) curl_easy_cleanup(handle(easy_));
  easy_ = nullptr;
  forget();
}

void Pop3Session::abandon() {
  aborted_ = false;
  dropConnection();
  forget();
}

void Pop3Session::forget() {
  state_ = State::Closed;
  loggedIn_ = false;
  account_.password.assign(account_.password.size(), '\0');
  account_ = {};
  sizes_.clear();
  uids_.clear();
  uidList_ = UidList::Unread;
}

// Shutting the socket down first makes libcurl's QUIT on cleanup fail, so
// the server leaves its update state out and keeps every message.
void Pop3Session::dropConnection() {
  if (!easy_) return;
  hangUp();
  curl_easy_cleanup(handle(easy_));
  easy_ = nullptr;
}

void Pop3Session::logOut(LogoutWait wait) {
  // A last NOOP on a connection that may not be kept: libcurl then sends
  // QUIT within this handle's time limits. (The QUIT of curl_easy_cleanup
  // would wait up to a minute for a frozen server.)
  CURL* easy = handle(easy_);
  curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, timeouts_.idleSeconds * 1000L);
  if (wait == LogoutWait::Brief) {
    curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, kBriefLogoutSeconds);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT, kBriefLogoutSeconds);
  }
  curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L);
  curl_easy_setopt(easy, CURLOPT_URL, (baseUrl() + "/").c_str());
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, "NOOP");
  curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
  curl_easy_perform(easy);
}

void Pop3Session::configureHandle() {
  CURL* easy = handle(easy_);
  setMailLogin(easy, "pop3,pop3s", account_, timeouts_, errorBuffer_);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeouts_.idleSeconds);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Callbacks::replyLine);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Callbacks::bodyData);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Callbacks::progress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, &Callbacks::openSocket);
  curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, this);
  curl_easy_setopt(easy, CURLOPT_CLOSESOCKETFUNCTION, &Callbacks::closeSocket);
  curl_easy_setopt(easy, CURLOPT_CLOSESOCKETDATA, this);
}

std::string Pop3Session::baseUrl() const {
  return mailServerUrl(account_, "pop3", "pop3s");
}

Pop3Session::Result Pop3Session::perform(const Request& request) {
  if (state_ == State::Closed) return {false, kNotConnected, "Not connected to the mailbox"};
  if (state_ == State::Ended) {
    return {false, kSessionEnded,
            "The mailbox session ended after an earlier error; connect again"};
  }
  CURL* easy = handle(easy_);
  replyLines_.clear();
  body_.clear();
  bodyTooLarge_ = false;
  lastProgress_ = -1;
  errorBuffer_[0] = '\0';
  stopReason_.clear();
  refusalKeepsSession_ = request.refusalKeepsSession;
  lastActivity_ = Clock::now();
  if (!setDeadlines(request)) return refusal(kDeadline, sessionDeadlineText());
  curl_easy_setopt(easy, CURLOPT_URL, (baseUrl() + request.path).c_str());
  // A single-line reply must not be read as a message body: NOBODY for those.
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.command);
  curl_easy_setopt(easy, CURLOPT_NOBODY, request.wantsBody ? 0L : 1L);
  const CURLcode code = curl_easy_perform(easy);
  if (code == CURLE_WEIRD_SERVER_REPLY && request.refusalKeepsSession &&
      !pop3reply::lastError(replyLines_).empty()) {
    return {false, code, "The server refused the command" + serverError()};
  }
  if (code != CURLE_OK) return failure(code);
  loggedIn_ = true;
  return {};
}

// The action may take until the earlier of the session's deadline and, for a
// message, the time its announced size allows.
bool Pop3Session::setDeadlines(const Request& request) {
  const auto now = Clock::now();
  actionDeadline_ = sessionDeadline_;
  if (request.announcedBytes > 0) {
    const long seconds = timeouts_.idleSeconds +
                         request.announcedBytes / std::max(1L, timeouts_.slowestBytesPerSecond);
    actionDeadline_ = std::min(actionDeadline_, now + std::chrono::seconds(seconds));
  }
  if (sessionDeadline_ <= now) return false;
  // libcurl's own limit is a backstop: the progress callback, which hangs up
  // first, ends the action at its deadline.
  curl_easy_setopt(handle(easy_), CURLOPT_TIMEOUT_MS,
                   std::max(1L, milliseconds(actionDeadline_ - now)) + kBackstopMs);
  return true;
}

int Pop3Session::stopWith(int number, std::string reason) {
  stopNumber_ = number;
  stopReason_ = std::move(reason);
  hangUp();
  return 1;
}

// Called from libcurl's callbacks: the socket is shut, not closed, so that
// libcurl's QUIT fails and the server keeps every message of the session.
void Pop3Session::hangUp() {
  if (socket_ >= 0) ::shutdown(socket_, SHUT_RDWR);
}

std::string Pop3Session::sessionDeadlineText() const {
  return "The mailbox session at " + baseUrl() +
         " took longer than the time allowed for the size the server announced";
}

// What the server sent last, for a message about a server that went quiet.
std::string Pop3Session::serverSaid() const {
  if (!body_.empty()) return " after " + std::to_string(body_.size()) + " bytes of the message";
  if (replyLines_.empty()) return " (it sent nothing)";
  return " (it last sent \"" + shownServerText(replyLines_.back()) + "\")";
}

Pop3Session::Result Pop3Session::refusal(int number, std::string description) {
  // The handle goes: libcurl must not carry on with a new login, nor commit
  // the session's deletions after an error.
  dropConnection();
  state_ = State::Ended;
  return {false, number, withoutPassword(std::move(description))};
}

std::string Pop3Session::serverError() const {
  std::string error = pop3reply::lastError(replyLines_);
  return error.empty() ? std::string() : " (server: " + error + ")";
}

Pop3Session::Result Pop3Session::failure(int code) {
  const auto curlCode = static_cast<CURLcode>(code);
  const std::string detail = errorBuffer_[0] ? std::string(" (") + errorBuffer_ + ")" : "";
  const std::string where = baseUrl();
  std::string text;
  if (bodyTooLarge_) {
    return refusal(kMessageTooLarge, "The message is larger than the 64 MiB that are accepted");
  } else if (!stopReason_.empty()) {
    return refusal(stopNumber_, stopReason_);
  } else if (aborted_) {
    text = "The mailbox action was cancelled";
  } else if (curlCode == CURLE_LOGIN_DENIED && account_.login == MailAccount::Login::OAuth2) {
    text = "The server refused the OAuth2 token for user " + account_.user + serverError();
  } else if (curlCode == CURLE_LOGIN_DENIED) {
    text = "Login failed for user " + account_.user + serverError();
  } else if (isTlsFailure(curlCode)) {
    text = "TLS failure with " + where + detail;
  } else if (curlCode == CURLE_COULDNT_CONNECT && loggedIn_) {
    text = "The server closed the connection";
  } else if (curlCode == CURLE_COULDNT_CONNECT) {
    text = "Connection refused by " + where + detail;
  } else if (curlCode == CURLE_COULDNT_RESOLVE_HOST) {
    text = "Unknown mail host " + account_.host;
  } else if (curlCode == CURLE_OPERATION_TIMEDOUT) {
    text = "The server at " + where + " did not answer in time" + serverSaid();
  } else if (isLostConnection(curlCode)) {
    text = "The server closed the connection" + detail;
  } else if (curlCode == CURLE_WEIRD_SERVER_REPLY && !pop3reply::lastError(replyLines_).empty()) {
    text = "The server refused the command" + serverError();
  } else {
    text = std::string(curl_easy_strerror(curlCode)) + detail;
  }
  return refusal(code, text);
}

// A password of a few characters cannot be told apart from ordinary text:
// starring every "e" of a message would garble it and show the password
// letter by letter. Such a password is left alone.
std::string Pop3Session::withoutPassword(std::string text) const {
  const std::string& password = account_.password;
  if (password.size() < kShortestScrubbedPassword) return text;
  for (auto at = text.find(password); at != std::string::npos; at = text.find(password, at)) {
    text.replace(at, password.size(), "***");
    at += 3;
  }
  return text;
}

}  // namespace vendaro
