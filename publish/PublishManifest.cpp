#include "publish/PublishManifest.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace vendaro {
namespace {

constexpr const char* kHeader = "vendaro publish manifest 1";
constexpr const char* kDestination = "destination ";

}  // namespace

PublishManifest::PublishManifest(std::filesystem::path folder, std::string destination)
    : folder_(std::move(folder)), destination_(std::move(destination)) {}

void PublishManifest::load() {
  entries_.clear();
  std::ifstream in(folder_ / kFileName);
  std::string line;
  if (!std::getline(in, line) || line != kHeader) return;
  if (!std::getline(in, line) || line != kDestination + destination_) return;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string hash, name;
    Entry entry;
    if (!(fields >> hash >> entry.size) || fields.get() != ' ' || !std::getline(fields, name)) {
      continue;
    }
    entry.hash = hash;
    entries_[name] = entry;
  }
}

bool PublishManifest::save() const {
  const std::filesystem::path file = folder_ / kFileName;
  const std::filesystem::path temporary = folder_ / (std::string(kFileName) + ".new");
  {
    std::ofstream out(temporary, std::ios::trunc);
    out << kHeader << "\n" << kDestination << destination_ << "\n";
    for (const auto& [name, entry] : entries_) {
      out << entry.hash << " " << entry.size << " " << name << "\n";
    }
    out.flush();
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  return !error;
}

bool PublishManifest::isPublished(const SiteFile& file) const {
  const auto found = entries_.find(file.name);
  return found != entries_.end() && found->second.size == file.size &&
         found->second.hash == file.hash;
}

void PublishManifest::record(const SiteFile& file) {
  entries_[file.name] = Entry{file.size, file.hash};
}

}  // namespace vendaro
