#include "publish/SiteFiles.h"

#include <algorithm>
#include <system_error>

#include "platform/digest/Sha256.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

bool isHidden(const fs::path& relative) {
  return std::any_of(relative.begin(), relative.end(),
                     [](const fs::path& part) { return part.string().starts_with("."); });
}

bool isProjectData(const fs::path& file) {
  const std::string extension = file.extension().string();
  return extension == ".caa" || extension == ".sit" || extension == ".pro";
}

bool liesWithin(const fs::path& file, const fs::path& folder) {
  std::error_code error;
  const fs::path real = fs::canonical(file, error);
  if (error) return false;
  const auto [end, unused] = std::mismatch(folder.begin(), folder.end(), real.begin(), real.end());
  return end == folder.end();
}

}  // namespace

std::optional<std::string> remoteNameProblem(const std::string& name) {
  if (name.empty()) return "the name is empty";
  if (name.front() == '/') return "the name is absolute";
  if (name.find('\\') != std::string::npos) return "the name contains a backslash";
  if (std::any_of(name.begin(), name.end(),
                  [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; })) {
    return "the name contains a control character";
  }
  std::size_t start = 0;
  while (start <= name.size()) {
    const std::size_t slash = std::min(name.find('/', start), name.size());
    const std::string part = name.substr(start, slash - start);
    if (part.empty() || part == "." || part == "..") {
      return "the name would leave the destination folder";
    }
    start = slash + 1;
  }
  return std::nullopt;
}

SiteListing listSiteFiles(const fs::path& folder) {
  SiteListing listing;
  std::error_code error;
  const fs::path root = fs::canonical(folder, error);
  if (error) return listing;
  for (auto entry = fs::recursive_directory_iterator(
           root, fs::directory_options::follow_directory_symlink, error);
       !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
    const fs::path relative = entry->path().lexically_relative(root);
    if (isHidden(relative)) {
      if (entry->is_directory()) entry.disable_recursion_pending();
      continue;
    }
    if (!liesWithin(entry->path(), root)) {
      listing.refused.push_back(relative.generic_string() + ": leads outside the folder");
      if (entry->is_directory()) entry.disable_recursion_pending();
      continue;
    }
    if (!entry->is_regular_file() || isProjectData(relative)) continue;
    const std::string name = relative.generic_string();
    if (auto problem = remoteNameProblem(name)) {
      listing.refused.push_back(name + ": " + *problem);
      continue;
    }
    SiteFile file{name, entry->path(), entry->file_size(), digest::fileSha256Hex(entry->path())};
    if (file.hash.empty()) {
      listing.refused.push_back(name + ": cannot be read");
      continue;
    }
    listing.files.push_back(std::move(file));
  }
  std::sort(listing.files.begin(), listing.files.end(),
            [](const SiteFile& a, const SiteFile& b) { return a.name < b.name; });
  return listing;
}

}  // namespace vendaro
