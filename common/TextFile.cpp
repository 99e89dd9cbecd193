#include "common/TextFile.h"

#include <fstream>
#include <vector>

#include "common/StagedFile.h"

namespace vendaro {

std::optional<std::string> readWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  // Read in large pieces straight into the result, sized to the file when
  // its size is known, so a big file is neither copied nor regrown.
  std::string content;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (!error) content.reserve(static_cast<std::size_t>(size));
  std::vector<char> piece(1 << 16);
  while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
    content.append(piece.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return content;
}

bool writeWholeFile(const std::filesystem::path& path, std::string_view content) {
  StagedFile staged(path, content);
  return staged.moveTo(path);
}

}  // namespace vendaro
