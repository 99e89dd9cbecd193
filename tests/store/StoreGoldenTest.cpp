#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "common/TextFile.h"
#include "store/SiteGenerator.h"
#include "tests/store/StoreTestCatalogue.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

// Each case compares every generated file, as written to disk (page text
// and one CR LF), with golden/<case>/expected/<file>. With
// VENDARO_UPDATE_GOLDEN=1 the expected files are rewritten instead.
struct GoldenCase {
  std::string name;
  std::function<StoreInput()> input;
};

bool updatingGolden() {
  const char* update = std::getenv("VENDARO_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

void checkAgainstGolden(const std::string& caseName, const StoreInput& input) {
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> pages = generateSite(input, reports);
  EXPECT_TRUE(reports.empty()) << "ordinary input is reported: " << reports.front().message;
  const fs::path expected = fs::path(VENDARO_STORE_GOLDEN_DIR) / caseName / "expected";
  if (updatingGolden()) {
    fs::remove_all(expected);
    fs::create_directories(expected);
  }
  std::set<std::string> generated;
  for (const SitePage& page : pages) {
    const std::string file = page.baseName + ".htm";
    const std::string content = page.text + std::string(kCrLf);
    generated.insert(file);
    if (updatingGolden()) {
      ASSERT_TRUE(writeWholeFile(expected / file, content));
      continue;
    }
    const auto golden = readWholeFile(expected / file);
    ASSERT_TRUE(golden.has_value()) << "no golden file " << caseName << "/" << file;
    EXPECT_EQ(content, *golden) << "differs from golden " << caseName << "/" << file;
  }
  for (const auto& entry : fs::directory_iterator(expected)) {
    EXPECT_TRUE(generated.count(entry.path().filename().string()) == 1)
        << "not generated: " << caseName << "/" << entry.path().filename();
  }
}

StoreInput bannerAllChecks() {
  StoreInput input = testing::smallCatalogue();
  input.manufacturer = input.descriptionUrl = input.pictureUrl = input.weight = true;
  return input;
}

StoreInput contentsNoChecks() {
  StoreInput input = testing::smallCatalogue();
  input.layout = SiteLayout::ContentsOnly;
  input.startFile = "shop";
  return input;
}

StoreInput contentsWeightOnly() {
  StoreInput input = testing::smallCatalogue();
  input.layout = SiteLayout::ContentsOnly;
  input.weight = true;
  return input;
}

StoreInput bannerNoCategories() {
  StoreInput input = testing::smallCatalogue();
  input.categories.clear();
  input.manufacturer = true;
  return input;
}

class StoreGoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(StoreGoldenTest, EveryFileMatchesItsGoldenFile) {
  checkAgainstGolden(GetParam().name, GetParam().input());
}

INSTANTIATE_TEST_SUITE_P(Sites, StoreGoldenTest,
                         ::testing::Values(GoldenCase{"banner_all_checks", bannerAllChecks},
                                           GoldenCase{"contents_no_checks", contentsNoChecks},
                                           GoldenCase{"contents_weight_only", contentsWeightOnly},
                                           GoldenCase{"banner_no_categories", bannerNoCategories}),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vendaro
