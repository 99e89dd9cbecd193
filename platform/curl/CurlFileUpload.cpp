#include "platform/curl/CurlFileUpload.h"

#include <curl/curl.h>

#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "platform/Text.h"
#include "platform/digest/Sha256.h"
#include "platform/url/WebAddress.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr long kConnectTimeoutSeconds = 15;
// A server that takes less than one byte a minute is taken as gone.
constexpr long kStallSeconds = 60;

void initialiseCurlOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

std::string unescape(const std::string& text) {
  int length = 0;
  char* plain = curl_easy_unescape(nullptr, text.c_str(), static_cast<int>(text.size()), &length);
  std::string result(plain, static_cast<std::size_t>(length));
  curl_free(plain);
  return result;
}

// Each folder and the file name percent-encoded, "/" kept between them.
std::string escapePath(const std::string& path) {
  std::string result;
  std::size_t start = 0;
  while (true) {
    const std::size_t slash = path.find('/', start);
    const std::string segment = path.substr(start, slash - start);
    char* escaped = curl_easy_escape(nullptr, segment.c_str(), static_cast<int>(segment.size()));
    result += escaped;
    curl_free(escaped);
    if (slash == std::string::npos) return result;
    result += '/';
    start = slash + 1;
  }
}

// A path in an SFTP quote command, in double quotes with `"` and `\` escaped.
std::string quotedPath(const std::string& path) {
  return text::backslashQuoted(path, '"');
}

fs::path defaultKnownHosts() {
  const char* home = std::getenv("HOME");
  return fs::path(home ? home : ".") / ".ssh" / "known_hosts";
}

}  // namespace

struct CurlFileUpload::Handle {
  CURL* easy = nullptr;
  UploadDestination destination;
  AddressParts url;
  std::string server;       // scheme://host:port as libcurl is given it
  std::string folderRaw;    // the address's path, ending in "/"
  std::string folderPlain;  // the same decoded
  // What the host key check saw during the last transfer.
  int hostMatch = CURLKHMATCH_OK;
  std::string hostFingerprint;
  char errorBuffer[CURL_ERROR_SIZE] = {};

  ~Handle() {
    if (easy) curl_easy_cleanup(easy);
  }
};

namespace {

int checkHostKey(CURL*, const curl_khkey*, const curl_khkey* found, curl_khmatch match,
                 void* data) {
  auto* handle = static_cast<CurlFileUpload::Handle*>(data);
  if (match == CURLKHMATCH_OK) return CURLKHSTAT_FINE;
  if (match == CURLKHMATCH_MISSING && handle->destination.trustNewHost) {
    return CURLKHSTAT_FINE_ADD_TO_FILE;
  }
  // Remembered for the message: why the host was refused.
  handle->hostMatch = match;
  if (found && found->len > 0) {
    handle->hostFingerprint =
        "SHA256:" + digest::sha256Base64(std::string_view(found->key, found->len));
  }
  return CURLKHSTAT_REJECT;
}

struct Source {
  std::ifstream file;
  const FileUpload::Progress* progress;
  const std::atomic<bool>* stop;
};

size_t readSource(char* buffer, size_t size, size_t count, void* data) {
  auto* source = static_cast<Source*>(data);
  source->file.read(buffer, static_cast<std::streamsize>(size * count));
  if (source->file.bad()) return CURL_READFUNC_ABORT;
  return static_cast<size_t>(source->file.gcount());
}

// What a size request answers ("Content-Length: ...") is not for the terminal.
size_t discard(char*, size_t size, size_t count, void*) {
  return size * count;
}

int reportProgress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t sent) {
  auto* source = static_cast<Source*>(data);
  if (source->stop->load()) return 1;
  if (*source->progress) (*source->progress)(static_cast<std::uint64_t>(sent));
  return 0;
}

}  // namespace

std::string CurlFileUpload::schemeOf(const std::string& url) {
  const std::optional<AddressParts> parsed = addressParts(url);
  if (!parsed) return {};
  for (const char* scheme : {"sftp", "ftps", "file"}) {
    if (parsed->scheme == scheme) return scheme;
  }
  return {};
}

CurlFileUpload::CurlFileUpload(UploadDestination destination) : handle_(new Handle) {
  initialiseCurlOnce();
  const std::string scheme = schemeOf(destination.url);
  if (scheme.empty()) {
    throw std::invalid_argument("the destination \"" + destination.url +
                                "\" is not an sftp://, ftps:// or file:// address");
  }
  Handle& handle = *handle_;
  handle.url = *addressParts(destination.url);
  handle.destination = std::move(destination);
  handle.folderRaw = handle.url.path.empty() ? "/" : handle.url.path;
  if (handle.folderRaw.back() != '/') handle.folderRaw += '/';
  handle.folderPlain = unescape(handle.folderRaw);
  // ftps:// is explicit TLS (AUTH TLS on the FTP port) unless implicit TLS is asked for.
  const std::string protocol = scheme == "ftps" && !handle.destination.implicitTls ? "ftp" : scheme;
  handle.server = protocol + "://" + handle.url.host;
  if (!handle.url.port.empty()) handle.server += ":" + handle.url.port;
  if (handle.destination.user.empty()) handle.destination.user = handle.url.user;
  if (handle.destination.knownHostsFile.empty()) {
    handle.destination.knownHostsFile = defaultKnownHosts();
  }
  handle.easy = curl_easy_init();
  if (!handle.easy) throw std::runtime_error("libcurl cannot start a transfer");
}

CurlFileUpload::~CurlFileUpload() = default;

UploadResult CurlFileUpload::put(const fs::path& local, const std::string& remoteName,
                                 const Progress& progress, const std::atomic<bool>& stop) {
  Handle& handle = *handle_;
  const UploadDestination& destination = handle.destination;
  const std::string scheme = handle.url.scheme;
  const std::size_t slash = remoteName.rfind('/');
  const std::string folder = slash == std::string::npos ? "" : remoteName.substr(0, slash + 1);
  const std::string name = remoteName.substr(folder.size());
  const std::string temporary = folder + "." + name + ".part";

  Source source{std::ifstream(local, std::ios::binary), &progress, &stop};
  std::error_code error;
  const std::uintmax_t size = fs::file_size(local, error);
  if (!source.file || error) {
    return {UploadResult::Kind::Failed, "cannot read " + local.string(), false};
  }
  if (scheme == "file") {
    fs::create_directories(fs::path(handle.folderPlain + folder), error);
  }

  CURL* easy = handle.easy;
  curl_easy_reset(easy);
  const std::string url = handle.server + handle.folderRaw + escapePath(temporary);
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR,
                   scheme == "sftp"   ? "sftp"
                   : scheme == "file" ? "file"
                                      : "ftp,ftps");
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(easy, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  curl_easy_setopt(easy, CURLOPT_READFUNCTION, readSource);
  curl_easy_setopt(easy, CURLOPT_READDATA, &source);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, discard);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, discard);
  curl_easy_setopt(easy, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(easy, CURLOPT_XFERINFOFUNCTION, reportProgress);
  curl_easy_setopt(easy, CURLOPT_XFERINFODATA, &source);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, handle.errorBuffer);
  curl_easy_setopt(easy, CURLOPT_FTP_CREATE_MISSING_DIRS,
                   static_cast<long>(CURLFTP_CREATE_DIR_RETRY));
  if (!destination.user.empty()) curl_easy_setopt(easy, CURLOPT_USERNAME, destination.user.c_str());
  if (!destination.password.empty()) {
    curl_easy_setopt(easy, CURLOPT_PASSWORD, destination.password.c_str());
  }

  curl_slist* after = nullptr;
  if (scheme == "sftp") {
    const std::string knownHosts = destination.knownHostsFile.string();
    if (destination.trustNewHost)
      fs::create_directories(destination.knownHostsFile.parent_path(), error);
    curl_easy_setopt(easy, CURLOPT_SSH_KNOWNHOSTS, knownHosts.c_str());
    curl_easy_setopt(easy, CURLOPT_SSH_KEYFUNCTION, checkHostKey);
    curl_easy_setopt(easy, CURLOPT_SSH_KEYDATA, &handle);
    long methods = CURLSSH_AUTH_AGENT;
    if (!destination.keyFile.empty()) methods = CURLSSH_AUTH_PUBLICKEY;
    if (!destination.password.empty()) methods = CURLSSH_AUTH_PASSWORD | CURLSSH_AUTH_KEYBOARD;
    curl_easy_setopt(easy, CURLOPT_SSH_AUTH_TYPES, methods);
    if (!destination.keyFile.empty()) {
      curl_easy_setopt(easy, CURLOPT_SSH_PRIVATE_KEYFILE, destination.keyFile.c_str());
      curl_easy_setopt(easy, CURLOPT_SSH_PUBLIC_KEYFILE, "");  // derived from the private key
    }
    // SFTP's rename does not replace a file: the old one goes first.
    const std::string target = handle.folderPlain + remoteName;
    after = curl_slist_append(after, ("*rm " + quotedPath(target)).c_str());
    after = curl_slist_append(
        after, ("rename " + quotedPath(handle.folderPlain + temporary) + " " + quotedPath(target))
                   .c_str());
  } else if (scheme == "ftps") {
    curl_easy_setopt(easy, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(easy, CURLOPT_FTPSSLAUTH, static_cast<long>(CURLFTPAUTH_TLS));
    if (!destination.caFile.empty())
      curl_easy_setopt(easy, CURLOPT_CAINFO, destination.caFile.c_str());
  }
  if (after) curl_easy_setopt(easy, CURLOPT_POSTQUOTE, after);

  handle.hostMatch = CURLKHMATCH_OK;
  handle.errorBuffer[0] = '\0';
  const CURLcode code = curl_easy_perform(easy);
  curl_slist_free_all(after);
  if (code == CURLE_OK && scheme == "file") {
    fs::rename(handle.folderPlain + temporary, handle.folderPlain + remoteName, error);
    if (error) {
      return {UploadResult::Kind::Failed,
              remoteName + ": cannot be renamed into place (" + error.message() + ")", false};
    }
  }
  if (code == CURLE_OK && scheme == "ftps") return placeFtpUpload(name, size, remoteName);
  return finish(code, remoteName);
}

// Renames an FTP upload into place once the server holds all of it: a data
// connection reset by the client's close can cut the end off an upload that
// the server still reports complete.
UploadResult CurlFileUpload::placeFtpUpload(const std::string& name, std::uintmax_t size,
                                            const std::string& remoteName) {
  CURL* easy = handle_->easy;
  curl_easy_setopt(easy, CURLOPT_UPLOAD, 0L);
  curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);  // SIZE of the temporary file
  CURLcode code = curl_easy_perform(easy);
  curl_off_t received = -1;
  curl_easy_getinfo(easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &received);
  if (code != CURLE_OK) return finish(code, remoteName);
  if (received != static_cast<curl_off_t>(size)) {
    return {UploadResult::Kind::Failed,
            remoteName + ": the server received " + std::to_string(received) + " of " +
                std::to_string(size) + " bytes; the old file stays until the next run",
            false};
  }
  // Renamed in the file's folder, where the request left the session.
  curl_slist* rename = curl_slist_append(nullptr, ("RNFR ." + name + ".part").c_str());
  rename = curl_slist_append(rename, ("RNTO " + name).c_str());
  curl_easy_setopt(easy, CURLOPT_POSTQUOTE, rename);
  code = curl_easy_perform(easy);
  curl_easy_setopt(easy, CURLOPT_POSTQUOTE, nullptr);
  curl_slist_free_all(rename);
  return finish(code, remoteName);
}

UploadResult CurlFileUpload::finish(int result, const std::string& remoteName) {
  const Handle& handle = *handle_;
  const auto code = static_cast<CURLcode>(result);
  const std::string& host = handle.url.host;
  const std::string detail =
      handle.errorBuffer[0] ? std::string(handle.errorBuffer) : curl_easy_strerror(code);
  using Kind = UploadResult::Kind;
  if (code == CURLE_OK) return {};
  if (code == CURLE_ABORTED_BY_CALLBACK) return {Kind::Cancelled, "stopped", true};
  if (handle.hostMatch == CURLKHMATCH_MISMATCH) {
    return {Kind::Failed,
            "the host key of " + host + " (" + handle.hostFingerprint +
                ") differs from the one in " + handle.destination.knownHostsFile.string() +
                ": someone may be intercepting the connection. If the server's key really "
                "changed, remove its old line from that file",
            true};
  }
  if (handle.hostMatch == CURLKHMATCH_MISSING) {
    return {Kind::Failed,
            "the host " + host + " is not in " + handle.destination.knownHostsFile.string() +
                " (its key is " + handle.hostFingerprint +
                "); check that fingerprint with the host, then publish again trusting the new host",
            true};
  }
  switch (code) {
    case CURLE_LOGIN_DENIED:
    case CURLE_AUTH_ERROR:
      return {Kind::Failed,
              "the log-in as \"" + handle.destination.user + "\" at " + host +
                  " was refused: check the user and the password or key (" + detail + ")",
              true};
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
      return {Kind::Failed, "the secure connection to " + host + " failed: " + detail, true};
    case CURLE_USE_SSL_FAILED:
      return {Kind::Failed, host + " does not offer TLS: " + detail, true};
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_OPERATION_TIMEDOUT:
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_SSH:
    case CURLE_FTP_ACCEPT_TIMEOUT:
    case CURLE_WEIRD_SERVER_REPLY:
      return {Kind::Failed, "the connection to " + host + " failed: " + detail, true};
    case CURLE_QUOTE_ERROR:
      return {Kind::Failed, remoteName + ": uploaded, but not renamed into place (" + detail + ")",
              false};
    default:
      return {Kind::Failed, remoteName + ": " + detail, false};
  }
}

}  // namespace vendaro
