#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/PublishedCatalogue.h"
#include "common/StagedFile.h"
#include "platform/Outcome.h"

namespace vendaro {

// A record of what a generation publishes, written and synced ahead of its
// keeping: made while the pages are still going to disk, it is kept once
// they are in place, which is then one rename. Unless the project's newest
// record already says the same, keep() adds it to {appFolder}/published;
// a record not kept leaves no file, nor the folder when it made it.
class StagedCatalogueRecord {
 public:
  // `text` is the record of `rules` (its own items not used) with the items
  // `items` walks through.
  StagedCatalogueRecord(const std::filesystem::path& appFolder, const PublishedCatalogue& rules,
                        const PublishedItemWalk& items, std::string_view text);
  ~StagedCatalogueRecord();
  StagedCatalogueRecord(const StagedCatalogueRecord&) = delete;
  StagedCatalogueRecord& operator=(const StagedCatalogueRecord&) = delete;

  // Io, with the file or folder, when it cannot be kept.
  Done keep();

 private:
  std::filesystem::path appFolder_;
  std::string generatedAt_;
  bool recorded_ = false;  // already, or by keep()
  bool madeFolder_ = false;
  Done staged_;
  std::optional<StagedFile> file_;
};

}  // namespace vendaro
