#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/FileUpload.h"

namespace vendaro {

// FileUpload over libcurl: SFTP (host key checked against a known-hosts
// file), FTP with explicit TLS for ftps:// (implicit TLS on request) and
// file://. One handle serves every file, so one connection carries a run.
class CurlFileUpload : public FileUpload {
 public:
  // Throws std::invalid_argument when the address is not an sftp://, ftps://
  // or file:// address of a folder.
  explicit CurlFileUpload(UploadDestination destination);
  ~CurlFileUpload() override;
  CurlFileUpload(const CurlFileUpload&) = delete;
  CurlFileUpload& operator=(const CurlFileUpload&) = delete;

  UploadResult put(const std::filesystem::path& local, const std::string& remoteName,
                   const Progress& progress, const std::atomic<bool>& stop) override;

  // The scheme of a destination address ("sftp", "ftps", "file"), empty when
  // it is not one of them or cannot be parsed.
  static std::string schemeOf(const std::string& url);

  struct Handle;  // the libcurl handle and what its callbacks record

 private:
  UploadResult placeFtpUpload(const std::string& name, std::uintmax_t size,
                              const std::string& remoteName);
  UploadResult finish(int code, const std::string& remoteName);
  std::unique_ptr<Handle> handle_;
};

}  // namespace vendaro
