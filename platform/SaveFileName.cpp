#include "platform/SaveFileName.h"

namespace vendaro {

std::string withFilterExtension(const std::string& path, const std::string& pattern) {
  if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) return path;
  const std::string extension = pattern.substr(1);
  if (extension.find_first_of("*?[") != std::string::npos) return path;
  const std::size_t nameStart = path.find_last_of('/') + 1;
  const std::string name = path.substr(nameStart);
  if (name.empty() || name.find('.', 1) != std::string::npos) return path;
  return path + extension;
}

}  // namespace vendaro
