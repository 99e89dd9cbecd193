#include "common/StagedCatalogueRecord.h"

#include <system_error>

namespace vendaro {

namespace fs = std::filesystem;

StagedCatalogueRecord::StagedCatalogueRecord(const fs::path& appFolder,
                                             const PublishedCatalogue& rules,
                                             const PublishedItemWalk& items, std::string_view text)
    : appFolder_(appFolder), generatedAt_(rules.generatedAt) {
  recorded_ = isNewestRecord(appFolder, rules, text, items);
  if (recorded_) return;
  const fs::path folder = appFolder / kPublishedFolder;
  std::error_code error;
  madeFolder_ = fs::create_directories(folder, error);
  if (error) {
    staged_ = failure(ErrorKind::Io, "cannot make " + folder.string() + ": " + error.message());
    return;
  }
  const fs::path near = newRecordFile(appFolder, generatedAt_);
  file_.emplace(near, text);
  if (!file_->written()) staged_ = failure(ErrorKind::Io, "cannot write " + near.string());
}

StagedCatalogueRecord::~StagedCatalogueRecord() {
  if (recorded_) return;
  file_.reset();
  std::error_code ignored;
  if (madeFolder_) fs::remove(appFolder_ / kPublishedFolder, ignored);
}

Done StagedCatalogueRecord::keep() {
  if (recorded_ || !staged_) return staged_;
  // Named now: another record may have taken the name meanwhile.
  const fs::path file = newRecordFile(appFolder_, generatedAt_);
  if (!file_->moveTo(file)) return failure(ErrorKind::Io, "cannot write " + file.string());
  recorded_ = true;
  return {};
}

}  // namespace vendaro
