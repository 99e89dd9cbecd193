#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

#include "store/DiskSiteFiles.h"

namespace vendaro::testing {

// The disk, except that writing the page `failingPage`, syncing it or moving
// it into place fails with `error`, as on a full disk or a folder without
// rights.
class FailingSiteFiles : public DiskSiteFiles {
 public:
  enum class Step { Write, Sync, Move };
  FailingSiteFiles(std::string failingPage, int error, Step step)
      : failingPage_(std::move(failingPage)), error_(error), step_(step) {}

  std::error_code write(const std::filesystem::path& file, std::string_view content,
                        std::string_view ending) override {
    if (step_ == Step::Write && file.filename() == failingPage_) return failure();
    return DiskSiteFiles::write(file, content, ending);
  }
  std::error_code sync(const std::filesystem::path& file) override {
    if (step_ == Step::Sync && file.filename() == failingPage_) return failure();
    return DiskSiteFiles::sync(file);
  }
  std::error_code rename(const std::filesystem::path& from,
                         const std::filesystem::path& to) override {
    const bool intoPlace = from.parent_path().filename() == "new";
    if (step_ == Step::Move && intoPlace && to.filename() == failingPage_) return failure();
    return DiskSiteFiles::rename(from, to);
  }

 private:
  std::error_code failure() const { return {error_, std::generic_category()}; }
  std::string failingPage_;
  int error_;
  Step step_;
};

}  // namespace vendaro::testing
