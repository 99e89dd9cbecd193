#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "common/TextFile.h"
#include "store/SiteGenerator.h"
#include "tests/store/StoreTestCatalogue.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

// Each case compares every generated file, as written to disk (page text
// and one CR LF), with its golden file. A case keeps in golden/<case>/expected
// only the files that differ from its base case; any other file is the base
// case's file of the same name. With VENDARO_UPDATE_GOLDEN=1 the expected
// files are rewritten instead (bases are listed, and so rewritten, first).
struct GoldenCase {
  std::string name;
  std::function<StoreInput()> input;
  friend void PrintTo(const GoldenCase& golden, std::ostream* out) { *out << golden.name; }
};

const std::map<std::string, std::string>& baseOf() {
  static const std::map<std::string, std::string> bases = {
      {"contents_weight_only", "banner_all_checks"},
      {"contents_no_checks", "contents_weight_only"},
      {"banner_no_categories", "banner_all_checks"}};
  return bases;
}

fs::path expectedFolder(const std::string& caseName) {
  return fs::path(VENDARO_STORE_GOLDEN_DIR) / caseName / "expected";
}

// The golden text of `file` for a case: its own file, else its base's.
std::optional<std::string> goldenText(const std::string& caseName, const std::string& file) {
  if (auto own = readWholeFile(expectedFolder(caseName) / file)) return own;
  auto base = baseOf().find(caseName);
  if (base == baseOf().end()) return std::nullopt;
  return goldenText(base->second, file);
}

bool updatingGolden() {
  const char* update = std::getenv("VENDARO_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

void writeGolden(const std::string& caseName, const std::vector<SitePage>& pages) {
  const fs::path expected = expectedFolder(caseName);
  fs::remove_all(expected);
  fs::create_directories(expected);
  for (const SitePage& page : pages) {
    const std::string file = page.baseName + ".htm";
    const std::string content = page.text + std::string(kCrLf);
    if (goldenText(caseName, file) == content) continue;  // the base's file serves
    ASSERT_TRUE(writeWholeFile(expected / file, content));
  }
}

void checkAgainstGolden(const std::string& caseName, const StoreInput& input) {
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> pages = generateSite(input, reports);
  EXPECT_TRUE(reports.empty()) << "ordinary input is reported: " << reports.front().message;
  if (updatingGolden()) return writeGolden(caseName, pages);
  std::set<std::string> generated;
  for (const SitePage& page : pages) {
    const std::string file = page.baseName + ".htm";
    generated.insert(file);
    const auto golden = goldenText(caseName, file);
    ASSERT_TRUE(golden.has_value()) << "no golden file " << caseName << "/" << file;
    EXPECT_EQ(page.text + std::string(kCrLf), *golden)
        << "differs from golden " << caseName << "/" << file;
  }
  for (const auto& entry : fs::directory_iterator(expectedFolder(caseName))) {
    EXPECT_TRUE(generated.count(entry.path().filename().string()) == 1)
        << "not generated: " << caseName << "/" << entry.path().filename();
  }
}

class StoreGoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(StoreGoldenTest, EveryFileMatchesItsGoldenFile) {
  checkAgainstGolden(GetParam().name, GetParam().input());
}

// The small catalogue with `change` applied.
std::function<StoreInput()> catalogue(std::function<void(StoreInput&)> change) {
  return [change] {
    StoreInput input = testing::smallCatalogue();
    change(input);
    return input;
  };
}

INSTANTIATE_TEST_SUITE_P(
    Sites, StoreGoldenTest,
    ::testing::Values(GoldenCase{"banner_all_checks", catalogue([](StoreInput& input) {
                                   input.manufacturer = input.descriptionUrl = input.pictureUrl =
                                       true;
                                   input.weight = true;
                                 })},
                      GoldenCase{"contents_weight_only", catalogue([](StoreInput& input) {
                                   input.layout = SiteLayout::ContentsOnly;
                                   input.weight = true;
                                 })},
                      GoldenCase{"contents_no_checks", catalogue([](StoreInput& input) {
                                   input.layout = SiteLayout::ContentsOnly;
                                   input.startFile = "shop";
                                 })},
                      GoldenCase{"banner_no_categories", catalogue([](StoreInput& input) {
                                   input.categories.clear();
                                   input.manufacturer = true;
                                 })}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vendaro
