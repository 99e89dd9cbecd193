#include "platform/curl/ImapSession.h"

#include <curl/curl.h>
#include <poll.h>

#include <algorithm>
#include <mutex>
#include <thread>

#include "platform/Text.h"
#include "platform/curl/ImapReply.h"
#include "platform/curl/MailLogin.h"
#include "platform/settings/MailSettings.h"

namespace vendaro {
namespace {

namespace reply = imapreply;
using namespace std::chrono_literals;

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kMaxLineBytes = 1024 * 1024;
// How often a wait for the socket looks at the abort flag.
constexpr auto kPollSlice = 100ms;
constexpr const char* kMailboxName = "INBOX";

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

CURL* handle(void* easy) {
  return static_cast<CURL*>(easy);
}

bool hasLineBreak(const std::string& text) {
  return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

// A server's text as shown in a message: one line, printable, at most 100 characters.
std::string shown(std::string_view text) {
  std::string out;
  for (const char c : text.substr(0, 100)) {
    out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
  }
  return text.size() > 100 ? out + "..." : out;
}

// libcurl's login conversation, kept for the error text of a refused login.
int debugLine(CURL*, curl_infotype type, char* data, size_t size, void* lines) {
  if (type == CURLINFO_HEADER_IN) {
    static_cast<std::vector<std::string>*>(lines)->emplace_back(data, size);
  }
  return 0;
}

}  // namespace

ImapSession::ImapSession(MailTimeouts timeouts) : timeouts_(timeouts) {
  initialiseCurlOnce();
}

ImapSession::~ImapSession() {
  abandon();
}

std::string ImapSession::serverName() const {
  return mailServerUrl(account_, "imap", "imaps");
}

ImapSession::Result ImapSession::open(const MailAccount& account, const std::string& mailbox) {
  close();
  aborted_ = false;
  account_ = account;
  if (hasLineBreak(account.user) || hasLineBreak(account.password)) {
    state_ = State::Ended;
    return {false, kUnsafeAccount,
            "The user name, password or token contains a line break, which the server would "
            "take for a command of its own; nothing was sent"};
  }
  Result result = login();
  if (!result.ok) return result;
  std::vector<Response> untagged;
  result = command("CAPABILITY", untagged);
  if (!result.ok) return result;
  for (const Response& response : untagged) {
    idle_ = idle_ || reply::listsCapability(response.line, "IDLE");
    moveCommand_ = moveCommand_ || reply::listsCapability(response.line, "MOVE");
    uidPlus_ = uidPlus_ || reply::listsCapability(response.line, "UIDPLUS");
  }
  const std::string name = mailbox.empty() ? kMailboxName : mailbox;
  if (!MailSettings::isPlainFolderName(name)) {
    return fail(kBadFolderName, "The mailbox name \"" + shown(name) + "\" is not plain ASCII");
  }
  result = command("SELECT " + reply::quoted(name), untagged);
  if (!result.ok) return result;
  mailbox_ = {};
  for (const Response& response : untagged) {
    if (auto v = reply::responseCodeNumber(response.line, "UIDVALIDITY")) mailbox_.uidValidity = *v;
    if (auto v = reply::responseCodeNumber(response.line, "UIDNEXT")) mailbox_.uidNext = *v;
    if (auto v = reply::untaggedCount(response.line, "EXISTS")) mailbox_.exists = *v;
  }
  selected_ = name;
  grew_ = false;
  return {};
}

ImapSession::Result ImapSession::login() {
  easy_ = curl_easy_init();
  if (!easy_) {
    state_ = State::Ended;
    return {false, CURLE_FAILED_INIT, "The mail library could not start a session"};
  }
  CURL* easy = handle(easy_);
  const std::string url = serverName() + "/";
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECT_ONLY, 1L);
  setMailLogin(easy, "imap,imaps", account_, timeouts_, errorBuffer_);
  loginLines_.clear();
  curl_easy_setopt(easy, CURLOPT_DEBUGFUNCTION, &debugLine);
  curl_easy_setopt(easy, CURLOPT_DEBUGDATA, &loginLines_);
  curl_easy_setopt(easy, CURLOPT_VERBOSE, 1L);
  errorBuffer_[0] = '\0';
  const CURLcode code = curl_easy_perform(easy);
  curl_easy_setopt(easy, CURLOPT_VERBOSE, 0L);
  if (code != CURLE_OK) return loginFailure(code);
  state_ = State::Open;
  buffer_.clear();
  readAt_ = 0;
  return {};
}

ImapSession::Result ImapSession::loginFailure(int code) {
  const auto curlCode = static_cast<CURLcode>(code);
  const std::string detail = errorBuffer_[0] ? std::string(" (") + errorBuffer_ + ")" : "";
  std::string said;
  for (std::string line : loginLines_) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const std::string status = reply::taggedStatus(line, line.substr(0, line.find(' ')));
    if (status == "NO" || status == "BAD")
      said = " (server: " + shown(reply::statusText(line)) + ")";
  }
  if (aborted_) return fail(code, "The mailbox action was cancelled");
  if (curlCode == CURLE_LOGIN_DENIED) {
    const bool token = account_.login == MailAccount::Login::OAuth2;
    return fail(kLoginRefused, (token ? "The server refused the OAuth2 token for user "
                                      : "Login failed for user ") +
                                   account_.user + said);
  }
  if (curlCode == CURLE_COULDNT_CONNECT)
    return fail(code, "Connection refused by " + serverName() + detail);
  if (curlCode == CURLE_COULDNT_RESOLVE_HOST)
    return fail(code, "Unknown mail host " + account_.host);
  if (curlCode == CURLE_OPERATION_TIMEDOUT) {
    return fail(code, "The server at " + serverName() + " did not answer in time");
  }
  if (curlCode == CURLE_WEIRD_SERVER_REPLY) {
    return fail(code, "The server at " + serverName() + " does not speak IMAP as expected" +
                          (said.empty() ? detail : said));
  }
  static_assert(kLoginRefused == CURLE_LOGIN_DENIED);
  return fail(code, std::string(curl_easy_strerror(curlCode)) + " with " + serverName() + detail);
}

ImapSession::Result ImapSession::command(const std::string& text, std::vector<Response>& untagged) {
  if (state_ == State::Closed) return {false, kNotConnected, "Not connected to the mailbox"};
  if (state_ == State::Ended) {
    return {false, kSessionEnded,
            "The mailbox session ended after an earlier error; connect again"};
  }
  untagged.clear();
  const std::string tag = "V" + std::to_string(++nextTag_);
  Result result = send(tag + " " + text + "\r\n");
  for (Response response; result.ok;) {
    result = readResponse(response);
    if (!result.ok) break;
    const std::string status = reply::taggedStatus(response.line, tag);
    if (status == "OK") return {};
    if (!status.empty()) return refused(text.substr(0, text.find(' ')), response.line);
    if (reply::isBye(response.line)) {
      return fail(CURLE_RECV_ERROR, "The server closed the connection (server: " +
                                        shown(reply::statusText(response.line)) + ")");
    }
    noteUntagged(response.line);
    untagged.push_back(std::move(response));
  }
  return result;
}

// A refusal leaves the connection usable, but the intake stops anyway: the
// session ends, as after any other failure.
ImapSession::Result ImapSession::refused(const std::string& what, const std::string& tagged) {
  return fail(kRefused,
              "The server refused " + what + " (server: " + shown(reply::statusText(tagged)) + ")");
}

void ImapSession::noteUntagged(const std::string& line) {
  if (auto count = reply::untaggedCount(line, "EXISTS")) {
    grew_ = grew_ || *count > mailbox_.exists;
    mailbox_.exists = *count;
  }
  if (reply::untaggedCount(line, "EXPUNGE") && mailbox_.exists > 0) --mailbox_.exists;
}

ImapSession::Result ImapSession::send(const std::string& text) {
  CURL* easy = handle(easy_);
  deadline_ = Clock::now() + std::chrono::seconds(timeouts_.idleSeconds);
  for (std::size_t at = 0; at < text.size();) {
    if (aborted_) return fail(0, "The mailbox action was cancelled");
    size_t sent = 0;
    const CURLcode code = curl_easy_send(easy, text.data() + at, text.size() - at, &sent);
    if (code == CURLE_AGAIN) {
      curl_socket_t socket = CURL_SOCKET_BAD;
      curl_easy_getinfo(easy, CURLINFO_ACTIVESOCKET, &socket);
      pollfd wanted{socket, POLLOUT, 0};
      ::poll(&wanted, 1, static_cast<int>(kPollSlice.count()));
      if (Clock::now() > deadline_) {
        return fail(CURLE_OPERATION_TIMEDOUT,
                    "The server at " + serverName() + " took no more data");
      }
      continue;
    }
    if (code != CURLE_OK) return fail(code, "The server closed the connection");
    at += sent;
  }
  deadline_ = Clock::now() + std::chrono::seconds(timeouts_.idleSeconds);
  return {};
}

// Reads more of the server's answer into the buffer. Before a deadline has
// passed, only the abort flag ends the wait.
ImapSession::Result ImapSession::fill() {
  CURL* easy = handle(easy_);
  if (readAt_ > 0 && readAt_ == buffer_.size()) {
    buffer_.clear();
    readAt_ = 0;
  }
  char chunk[kReadChunk];
  for (;;) {
    if (waiting_ && stopWait_) return {false, 0, {}};
    if (aborted_) return fail(0, "The mailbox action was cancelled");
    size_t received = 0;
    const CURLcode code = curl_easy_recv(easy, chunk, sizeof chunk, &received);
    if (code == CURLE_OK && received > 0) {
      buffer_.append(chunk, received);
      if (!waiting_) deadline_ = Clock::now() + std::chrono::seconds(timeouts_.idleSeconds);
      return {};
    }
    if (code == CURLE_OK) return fail(CURLE_RECV_ERROR, "The server closed the connection");
    if (code != CURLE_AGAIN) return fail(code, "The server closed the connection");
    if (Clock::now() >= deadline_) {
      if (waiting_) return {false, 0, {}};  // the wait's time is up
      return fail(CURLE_OPERATION_TIMEDOUT,
                  "The server at " + serverName() + " did not answer in time");
    }
    curl_socket_t socket = CURL_SOCKET_BAD;
    curl_easy_getinfo(easy, CURLINFO_ACTIVESOCKET, &socket);
    pollfd wanted{socket, POLLIN, 0};
    ::poll(&wanted, 1, static_cast<int>(kPollSlice.count()));
  }
}

ImapSession::Result ImapSession::readLine(std::string& line) {
  for (;;) {
    const std::size_t end = buffer_.find("\r\n", readAt_);
    if (end != std::string::npos) {
      line.assign(buffer_, readAt_, end - readAt_);
      readAt_ = end + 2;
      return {};
    }
    if (buffer_.size() - readAt_ > kMaxLineBytes) {
      return fail(kUnreadableReply, "The server sent a line longer than 1 MiB");
    }
    if (readAt_ > kReadChunk) {
      buffer_.erase(0, readAt_);
      readAt_ = 0;
    }
    Result result = fill();
    if (!result.ok) return result;
  }
}

// One response: a line, and where it ends in "{n}", the n bytes of its
// literal and the rest of the line after them.
ImapSession::Result ImapSession::readResponse(Response& response) {
  response = {};
  std::string line;
  Result result = readLine(line);
  while (result.ok) {
    response.line += line;
    const std::optional<std::size_t> size = reply::literalSize(line);
    if (!size) return {};
    if (*size > kMaxMessageBytes) {
      return fail(kMessageTooLarge, "The message is larger than the 64 MiB that are accepted");
    }
    response.literal.reserve(*size);
    while (result.ok && buffer_.size() - readAt_ < *size) {
      const std::size_t wanted = *size - response.literal.size();
      const std::size_t take = std::min(wanted, buffer_.size() - readAt_);
      response.literal.append(buffer_, readAt_, take);
      readAt_ += take;
      if (response.literal.size() == *size) break;
      result = fill();
    }
    if (!result.ok) return result;
    const std::size_t rest = *size - response.literal.size();
    response.literal.append(buffer_, readAt_, rest);
    readAt_ += rest;
    result = readLine(line);
  }
  return result;
}

ImapSession::Result ImapSession::list(std::vector<Listed>& messages) {
  messages.clear();
  if (state_ == State::Open && mailbox_.exists == 0) return {};
  std::vector<Response> untagged;
  Result result = command("UID FETCH 1:* (UID RFC822.SIZE)", untagged);
  if (!result.ok) return result;
  for (const Response& response : untagged) {
    const auto uid = reply::fetchItem(response.line, "UID");
    if (!uid || !reply::untaggedCount(response.line, "FETCH")) continue;
    messages.push_back({static_cast<std::uint32_t>(*uid),
                        reply::fetchItem(response.line, "RFC822.SIZE").value_or(0)});
  }
  return {};
}

ImapSession::Result ImapSession::fetch(const std::vector<std::uint32_t>& uids,
                                       std::map<std::uint32_t, std::string>& texts,
                                       const Progress& progress) {
  texts.clear();
  if (uids.empty()) return {};
  std::vector<std::uint32_t> sorted = uids;
  std::sort(sorted.begin(), sorted.end());
  std::vector<Response> untagged;
  Result result = command("UID FETCH " + reply::uidSet(sorted) + " (UID BODY.PEEK[])", untagged);
  if (!result.ok) return result;
  for (Response& response : untagged) {
    const auto uid = reply::fetchItem(response.line, "UID");
    if (!uid || response.line.find("BODY[]") == std::string::npos) continue;
    const long size = static_cast<long>(response.literal.size());
    texts[static_cast<std::uint32_t>(*uid)] = text::withCrLf(response.literal);
    if (progress) progress(size, size);
  }
  return {};
}

ImapSession::Result ImapSession::findDelimiter() {
  if (delimiter_ != 0) return {};
  std::vector<Response> untagged;
  Result result = command("LIST \"\" \"\"", untagged);
  if (!result.ok) return result;
  delimiter_ = '/';
  for (const Response& response : untagged) {
    if (auto delimiter = reply::listDelimiter(response.line)) delimiter_ = *delimiter;
  }
  return {};
}

ImapSession::Result ImapSession::ensureFolder(const std::string& name) {
  if (std::find(folders_.begin(), folders_.end(), name) != folders_.end()) return {};
  std::vector<Response> untagged;
  Result result = command("LIST \"\" " + reply::quoted(name), untagged);
  if (!result.ok) return result;
  if (untagged.empty()) {
    result = command("CREATE " + reply::quoted(name), untagged);
    if (!result.ok) return result;
  }
  folders_.push_back(name);
  return {};
}

ImapSession::Result ImapSession::move(std::vector<std::uint32_t> uids, const std::string& folder) {
  if (uids.empty()) return {};
  if (!MailSettings::isPlainFolderName(folder)) {
    return fail(kBadFolderName, "The folder name \"" + shown(folder) + "\" is not plain ASCII");
  }
  Result result = findDelimiter();
  if (!result.ok) return result;
  std::string name = folder;
  std::replace(name.begin(), name.end(), '/', delimiter_);
  result = ensureFolder(name);
  std::sort(uids.begin(), uids.end());
  for (std::size_t at = 0; result.ok && at < uids.size(); at += kUidsPerCommand) {
    const auto end = uids.begin() + static_cast<long>(std::min(uids.size(), at + kUidsPerCommand));
    result = moveChunk(reply::uidSet({uids.begin() + static_cast<long>(at), end}), name);
  }
  return result;
}

ImapSession::Result ImapSession::moveChunk(const std::string& set, const std::string& name) {
  std::vector<Response> untagged;
  if (moveCommand_) return command("UID MOVE " + set + " " + reply::quoted(name), untagged);
  Result result = command("UID COPY " + set + " " + reply::quoted(name), untagged);
  if (result.ok) result = command("UID STORE " + set + " +FLAGS.SILENT (\\Deleted)", untagged);
  if (result.ok) result = command(uidPlus_ ? "UID EXPUNGE " + set : "EXPUNGE", untagged);
  return result;
}

ImapSession::Result ImapSession::waitForMail(std::chrono::milliseconds limit,
                                             std::chrono::milliseconds pollInterval, WaitEnd& end) {
  if (state_ != State::Open) return {false, kNotConnected, "Not connected to the mailbox"};
  const Clock::time_point until = Clock::now() + limit;
  if (stopWait_) {
    end = WaitEnd::Stopped;
    return {};
  }
  return idle_ ? idleWait(until, end) : pollWait(until, pollInterval, end);
}

ImapSession::Result ImapSession::idleWait(Clock::time_point until, WaitEnd& end) {
  end = WaitEnd::TimeUp;
  if (tookNewMail(end)) return {};
  const std::string tag = "V" + std::to_string(++nextTag_);
  Result result = send(tag + " IDLE\r\n");
  Response response;
  if (result.ok) result = readResponse(response);
  if (result.ok && response.line.rfind("+", 0) != 0) return refused("IDLE", response.line);
  waiting_ = true;
  deadline_ = until;
  while (result.ok && !grew_) {
    result = readResponse(response);
    if (!result.ok) break;
    if (reply::isBye(response.line)) {
      return fail(CURLE_RECV_ERROR, "The server closed the connection (server: " +
                                        shown(reply::statusText(response.line)) + ")");
    }
    noteUntagged(response.line);
  }
  waiting_ = false;
  if (!result.ok && result.number != 0) return result;
  result = send("DONE\r\n");
  while (result.ok) {
    result = readResponse(response);
    if (!result.ok) return result;
    const std::string status = reply::taggedStatus(response.line, tag);
    if (!status.empty() && status != "OK") return refused("IDLE", response.line);
    if (status.empty()) noteUntagged(response.line);
    if (status.empty()) continue;
    if (!tookNewMail(end) && stopWait_) end = WaitEnd::Stopped;
    return {};
  }
  return result;
}

// Mail that arrived is taken note of once: the next wait waits again.
bool ImapSession::tookNewMail(WaitEnd& end) {
  if (!grew_) return false;
  grew_ = false;
  end = WaitEnd::NewMail;
  return true;
}

ImapSession::Result ImapSession::pollWait(Clock::time_point until,
                                          std::chrono::milliseconds interval, WaitEnd& end) {
  std::vector<Response> untagged;
  for (;;) {
    Result result = command("NOOP", untagged);
    if (!result.ok) return result;
    if (tookNewMail(end)) return {};
    const auto next = std::min(until, Clock::now() + interval);
    while (Clock::now() < next && !stopWait_ && !aborted_) std::this_thread::sleep_for(kPollSlice);
    if (stopWait_) {
      end = WaitEnd::Stopped;
      return {};
    }
    if (Clock::now() >= until) {
      end = WaitEnd::TimeUp;
      return {};
    }
  }
}

void ImapSession::close() {
  if (state_ == State::Open) {
    std::vector<Response> untagged;
    const long usual = timeouts_.idleSeconds;
    timeouts_.idleSeconds = std::min(usual, Pop3Session::kBriefLogoutSeconds);
    command("LOGOUT", untagged);
    timeouts_.idleSeconds = usual;
  }
  abandon();
}

void ImapSession::abandon() {
  if (easy_) curl_easy_cleanup(handle(easy_));
  easy_ = nullptr;
  state_ = State::Closed;
  buffer_.clear();
  readAt_ = 0;
  selected_.clear();
  idle_ = moveCommand_ = uidPlus_ = grew_ = false;
  delimiter_ = 0;
  folders_.clear();
}

ImapSession::Result ImapSession::fail(int number, std::string description) {
  if (easy_) curl_easy_cleanup(handle(easy_));
  easy_ = nullptr;
  state_ = State::Ended;
  waiting_ = false;
  return {false, number, withoutSecret(std::move(description))};
}

std::string ImapSession::withoutSecret(std::string text) const {
  const std::string& secret = account_.password;
  if (secret.size() < Pop3Session::kShortestScrubbedPassword) return text;
  for (auto at = text.find(secret); at != std::string::npos; at = text.find(secret, at)) {
    text.replace(at, secret.size(), "***");
    at += 3;
  }
  return text;
}

}  // namespace vendaro
