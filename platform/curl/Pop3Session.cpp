#include "platform/curl/Pop3Session.h"

#include <curl/curl.h>
#include <sys/socket.h>

#include <algorithm>
#include <mutex>
#include <optional>

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

bool isLostConnection(CURLcode code) {
  return code == CURLE_RECV_ERROR || code == CURLE_SEND_ERROR || code == CURLE_GOT_NOTHING ||
         code == CURLE_PARTIAL_FILE;
}

}  // namespace

// The libcurl callbacks; nested so they may fill the session's private state.
class Pop3Session::Callbacks {
 public:
  static size_t replyLine(char* data, size_t size, size_t count, void* session) {
    static_cast<Pop3Session*>(session)->replyLines_.emplace_back(data, size * count);
    return size * count;
  }

  static size_t bodyData(char* data, size_t size, size_t count, void* userData) {
    auto* session = static_cast<Pop3Session*>(userData);
    const size_t bytes = size * count;
    if (session->body_.size() + bytes > kMaxMessageBytes) {
      session->bodyTooLarge_ = true;
      return 0;
    }
    session->body_.append(data, bytes);
    return bytes;
  }

  static int progress(void* userData, curl_off_t, curl_off_t done, curl_off_t, curl_off_t) {
    auto* session = static_cast<Pop3Session*>(userData);
    if (session->aborted_) return 1;
    if (session->progress_ && done != session->lastProgress_ && done > 0) {
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
    return ::socket(address->family, address->socktype | SOCK_CLOEXEC, address->protocol);
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
  account_ = account;
  easy_ = curl_easy_init();
  if (!easy_) {
    state_ = State::Ended;
    return refusal(CURLE_FAILED_INIT, "The mail library could not start a session");
  }
  configureHandle();
  state_ = State::Open;
  return stat(count);
}

Pop3Session::Result Pop3Session::stat(int& count) {
  Result result = perform({"/", "STAT", false});
  if (!result.ok) return result;
  auto parsed = pop3reply::statCount(pop3reply::lastOk(replyLines_));
  if (!parsed) return refusal(kUnreadableReply, "The server's answer to STAT could not be read");
  count = *parsed;
  return result;
}

Pop3Session::Result Pop3Session::retrieve(int number, std::string& text, const Progress& progress) {
  progress_ = &progress;
  Result result = perform({"/" + std::to_string(number), nullptr, true});
  progress_ = nullptr;
  if (result.ok) text = pop3reply::withCrLf(body_);
  body_.clear();
  return result;
}

Pop3Session::Result Pop3Session::remove(int number) {
  return perform({"/" + std::to_string(number), "DELE", false});
}

Pop3Session::Result Pop3Session::uniqueId(int number, std::string& uid) {
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
  state_ = State::Closed;
  loggedIn_ = false;
  account_.password.assign(account_.password.size(), '\0');
  account_ = {};
}

void Pop3Session::logOut(LogoutWait wait) {
  // A last NOOP on a connection that may not be kept: libcurl then sends
  // QUIT within this handle's time limits. (The QUIT of curl_easy_cleanup
  // would wait up to a minute for a frozen server.)
  CURL* easy = handle(easy_);
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
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "pop3,pop3s");
  curl_easy_setopt(easy, CURLOPT_USERNAME, account_.user.c_str());
  curl_easy_setopt(easy, CURLOPT_PASSWORD, account_.password.c_str());
  if (account_.security == MailAccount::Security::StartTls) {
    curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  }
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!account_.caFile.empty()) curl_easy_setopt(easy, CURLOPT_CAINFO, account_.caFile.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, timeouts_.connectSeconds);
  curl_easy_setopt(easy, CURLOPT_SERVER_RESPONSE_TIMEOUT, timeouts_.idleSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, timeouts_.idleSeconds);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer_);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &Callbacks::replyLine);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Callbacks::bodyData);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, &Callbacks::progress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, this);
  curl_easy_setopt(easy, CURLOPT_OPENSOCKETFUNCTION, &Callbacks::openSocket);
  curl_easy_setopt(easy, CURLOPT_OPENSOCKETDATA, this);
}

std::string Pop3Session::baseUrl() const {
  const bool implicitTls = account_.security == MailAccount::Security::Tls;
  std::string url = implicitTls ? "pop3s://" : "pop3://";
  const bool ipv6 = account_.host.find(':') != std::string::npos;
  url += ipv6 ? "[" + account_.host + "]" : account_.host;
  if (account_.port > 0) url += ":" + std::to_string(account_.port);
  return url;
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
  curl_easy_setopt(easy, CURLOPT_URL, (baseUrl() + request.path).c_str());
  // A single-line reply must not be read as a message body: NOBODY for those.
  curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.command);
  curl_easy_setopt(easy, CURLOPT_NOBODY, request.wantsBody ? 0L : 1L);
  const CURLcode code = curl_easy_perform(easy);
  if (code != CURLE_OK) return failure(code);
  loggedIn_ = true;
  return {};
}

Pop3Session::Result Pop3Session::refusal(int number, std::string description) {
  // The handle goes: libcurl must not carry on with a new login.
  if (easy_) curl_easy_cleanup(handle(easy_));
  easy_ = nullptr;
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
  } else if (aborted_) {
    text = "The mailbox action was cancelled";
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
    text = "The server at " + where + " did not answer in time";
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
