#include "publish/PublishMemory.h"

#include <fstream>

namespace vendaro {
namespace {

constexpr std::string_view kDestination = "destination=";
constexpr std::string_view kUser = "user=";

}  // namespace

PublishMemory PublishMemory::read(const std::filesystem::path& folder) {
  PublishMemory memory;
  std::ifstream in(folder / kFileName);
  std::string line;
  while (std::getline(in, line)) {
    if (line.starts_with(kDestination)) memory.destination = line.substr(kDestination.size());
    if (line.starts_with(kUser)) memory.user = line.substr(kUser.size());
  }
  return memory;
}

bool PublishMemory::write(const std::filesystem::path& folder) const {
  std::ofstream out(folder / kFileName, std::ios::trunc);
  out << kDestination << destination << "\n" << kUser << user << "\n";
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace vendaro
