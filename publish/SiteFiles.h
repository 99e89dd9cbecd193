#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vendaro {

// One file of a site folder as it would be published: its name relative to
// the folder ("/" between folders), size and SHA-256 (hex).
struct SiteFile {
  std::string name;
  std::filesystem::path path;
  std::uint64_t size = 0;
  std::string hash;
};

// The files of a folder that go up, and those that are refused, each with why.
struct SiteListing {
  std::vector<SiteFile> files;
  std::vector<std::string> refused;
};

// Lists every regular file under `folder`, sorted by name. Left out: hidden
// names (a part starting with "."; the publishing records and partial
// uploads are hidden) and the store project's own data files (.caa, .sit,
// .pro). Refused: files that are, or lie behind, links leading outside the
// folder, and names that remoteNameProblem refuses.
SiteListing listSiteFiles(const std::filesystem::path& folder);

// Why `name` cannot be a remote name below the destination folder: empty,
// absolute, a "." or ".." part, a backslash (a folder separator to some
// servers), or a control character (a line break would end an FTP command).
std::optional<std::string> remoteNameProblem(const std::string& name);

}  // namespace vendaro
