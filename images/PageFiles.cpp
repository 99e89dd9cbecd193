#include "images/PageFiles.h"

#include <fstream>

#include "common/TextFile.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr const char* kPrivateFilter = "Private collection file (*.prv)|*.prv";
constexpr const char* kPublicFilter =
    "HTML file (*.htm;*.html)|*.htm;*.html|Text File (*.txt;*.rtf)|*.txt;*.rtf";
// Enough of a file to tell what it holds.
constexpr std::size_t kHeadLength = 64;
// How many numbers a spill looks at before it gives up on the folder.
constexpr int kSpillNumberTries = 1000;

std::string headOf(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::string head(kHeadLength, '\0');
  file.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(file.gcount()));
  return head;
}

bool isPage(std::string_view head) {
  const auto start = head.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return true;  // an empty file
  head.remove_prefix(start);
  return text::startsWithIgnoringCase(head, "<html") ||
         text::startsWithIgnoringCase(head, "<!doctype html");
}

}  // namespace

bool mayWritePage(const std::filesystem::path& path, PageKind kind) {
  std::error_code error;
  const auto status = std::filesystem::symlink_status(path, error);
  if (status.type() == std::filesystem::file_type::not_found) return true;
  if (status.type() != std::filesystem::file_type::regular) return false;
  const std::string head = headOf(path);
  if (kind == PageKind::Spill) return head.rfind("<html><body>", 0) == 0;
  return isPage(head);
}

std::filesystem::path spillFile(const std::filesystem::path& folder, int& counter) {
  for (int tries = 0; tries < kSpillNumberTries; ++tries, ++counter) {
    auto path = folder / ("bufer" + std::to_string(counter) + ".htm");
    if (mayWritePage(path, PageKind::Spill)) return path;
  }
  return {};
}

void savePageAs(Dialogs& dialogs, bool privateZone, const std::filesystem::path& folder,
                const std::string& page) {
  // The dialog starts in the output folder, made first if need be.
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const auto chosen =
      dialogs.ShowSave({}, privateZone ? kPrivateFilter : kPublicFilter, (folder / "").string());
  if (!chosen || chosen->empty()) return;
  const std::filesystem::path path = folder / *chosen;  // an absolute answer stays as it is
  if (!mayWritePage(path, PageKind::Saved)) {
    dialogs.MsgBox(path.string() + " is not a page, so it was not replaced. Choose another name.",
                   MessageButtons::Ok, MessageIcon::Exclamation);
    return;
  }
  (void)writeWholeFile(path, page + std::string(text::kCrLf));
}

}  // namespace vendaro
