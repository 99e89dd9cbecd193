#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

namespace vendaro {

// Where and how files are uploaded: an sftp://, ftps:// or file:// address of
// the destination folder and the credentials for it.
struct UploadDestination {
  std::string url;
  std::string user;                      // empty: the user named in the address
  std::string password;                  // SSH password or FTP password
  std::filesystem::path keyFile;         // SSH private key; empty: agent
  std::filesystem::path knownHostsFile;  // SSH known hosts
  bool trustNewHost = false;             // an unknown SSH host key is added, never a changed one
  bool implicitTls = false;              // ftps:// on its own port instead of AUTH TLS
  std::filesystem::path caFile;          // extra certificate authority for FTPS
};

// How one upload ended. `fatal` failures (log-in refused, host key refused,
// server gone) make every further file fail the same way.
struct UploadResult {
  enum class Kind { Done, Failed, Cancelled };
  Kind kind = Kind::Done;
  std::string message;
  bool fatal = false;
  bool ok() const { return kind == Kind::Done; }
};

// Puts files into a destination folder. Each file goes up under a temporary
// name in its target folder and is then renamed over the old file, so the
// old one stays whole until the new one is complete.
class FileUpload {
 public:
  using Progress = std::function<void(std::uint64_t bytesSent)>;
  virtual ~FileUpload() = default;

  // `remoteName` is relative to the destination folder, with "/" between
  // folders; it must have been checked by the caller. Progress reports the
  // bytes of this file sent so far; `stop` set cancels the transfer.
  virtual UploadResult put(const std::filesystem::path& local, const std::string& remoteName,
                           const Progress& progress, const std::atomic<bool>& stop) = 0;
};

}  // namespace vendaro
