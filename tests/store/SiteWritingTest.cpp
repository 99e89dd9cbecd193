#include "store/SiteWriting.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <string>

#include "common/TextFile.h"
#include "platform/FileLock.h"
#include "store/DiskSiteFiles.h"
#include "store/SiteGenerator.h"
#include "tests/store/FailingSiteFiles.h"
#include "tests/store/StoreTestCatalogue.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

// Every entry of the folder, hidden ones included, with its content.
std::map<std::string, std::string> folderContent(const fs::path& folder) {
  std::map<std::string, std::string> content;
  for (const auto& entry : fs::directory_iterator(folder)) {
    content[entry.path().filename().string()] = readWholeFile(entry.path()).value_or("<folder>");
  }
  return content;
}

std::vector<SitePage> sitePages(const StoreInput& input) {
  std::vector<GeneratorReport> reports;
  return generateSite(input, reports);
}

class SiteWritingTest : public ::testing::Test {
 protected:
  // The old site of the small catalogue, and the new pages: prices changed
  // and a category added, so every page but a few differs.
  SiteWritingTest() {
    DiskSiteFiles disk;
    EXPECT_TRUE(writeSitePages(app.path(), sitePages(testing::smallCatalogue()), disk).ok());
    StoreInput changed = testing::smallCatalogue();
    changed.categories[0].items[0].price = "39.95";
    changed.categories.push_back({"Belts", {{"L-1", "Belt", "9", "", "", "", "0.2"}}});
    newPages = sitePages(changed);
  }

  testing::TempFolder app;
  std::vector<SitePage> newPages;
};

TEST_F(SiteWritingTest, WritesEveryPageWithOneLineEndOrRefusesBadNames) {
  const auto before = folderContent(app.path());
  EXPECT_EQ(before.size(), 17u);  // 16 pages and the generation's lock file
  EXPECT_EQ(before.at("index.htm"), sitePages(testing::smallCatalogue()).front().text + "\r\n");

  DiskSiteFiles disk;
  for (const auto& [name, failure] :
       {std::pair{"l_../../evil",
                  "The page name \"l_../../evil\" would leave the project folder; "
                  "no page was changed."},
        std::pair{"basket", "Two pages would both be \"basket.htm\"; no page was changed."}}) {
    std::vector<SitePage> pages = newPages;
    pages.front().baseName = name;
    const auto result = writeSitePages(app.path(), pages, disk);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().message, failure);
    EXPECT_EQ(result.error().kind, ErrorKind::BadInput);
  }
  EXPECT_EQ(folderContent(app.path()), before);

  const auto written = writeSitePages(app.path(), newPages, disk);
  ASSERT_TRUE(written.ok()) << written.error().message;
  ASSERT_EQ(written->size(), newPages.size());
  EXPECT_EQ(written->back(), app.path() / "complect.htm");
  EXPECT_EQ(app.read("l_Belts.htm"), newPages[10].text + "\r\n");
  EXPECT_EQ(folderContent(app.path()).size(), 18u);  // no staging folder is left
}

TEST_F(SiteWritingTest, AFailureLeavesTheOldSiteByteIdenticalAndSaysWhy) {
  const auto before = folderContent(app.path());
  using Step = testing::FailingSiteFiles::Step;
  const struct {
    const char* page;
    int error;
    Step step;
    const char* failure;
  } cases[] = {
      {"basket.htm", ENOSPC, Step::Write,
       "\"basket.htm\" could not be written (disk full); no page was changed."},
      {"index.htm", EACCES, Step::Write,
       "\"index.htm\" could not be written (permission denied); no page was changed."},
      {"l_Belts.htm", ENAMETOOLONG, Step::Write,
       "\"l_Belts.htm\" could not be written (name too long); no page was changed."},
      {"order.htm", EIO, Step::Write,
       "\"order.htm\" could not be written (Input/output error); no page was changed."},
      // Found only when the pages are synced, after every page was written.
      {"l_Belts.htm", ENOSPC, Step::Sync,
       "\"l_Belts.htm\" could not be written (disk full); no page was changed."},
      // Moving into place fails after the earlier pages, one of them new,
      // were moved: they are put back.
      {"complect.htm", EXDEV, Step::Move,
       "\"complect.htm\" could not be replaced (Invalid cross-device link); no page was "
       "changed."},
  };
  for (const auto& c : cases) {
    testing::FailingSiteFiles files(c.page, c.error, c.step);
    const auto result = writeSitePages(app.path(), newPages, files);
    ASSERT_FALSE(result.ok()) << c.page;
    EXPECT_EQ(result.error().message, c.failure);
    EXPECT_EQ(result.error().kind, ErrorKind::Io) << c.page;
    EXPECT_EQ(folderContent(app.path()), before) << c.page;
  }
}

// A generation killed while moving pages left its staging folder, with
// "basket.htm" caught between its two renames. The next generation puts that
// page back and removes the folder, even when it fails itself; none runs
// while another holds the lock.
TEST_F(SiteWritingTest, StaleStagingFoldersGoAndAPageCaughtMidMoveComesBack) {
  const auto before = folderContent(app.path());
  const fs::path stale = app.path() / ".generating-Ab12Cd";
  fs::create_directories(stale / "new");
  fs::create_directories(stale / "old");
  ASSERT_TRUE(writeWholeFile(stale / "new" / "basket.htm", "new basket"));
  fs::rename(app.path() / "basket.htm", stale / "old" / "basket.htm");

  testing::FailingSiteFiles files("index.htm", ENOSPC, testing::FailingSiteFiles::Step::Write);
  EXPECT_FALSE(writeSitePages(app.path(), newPages, files).ok());
  EXPECT_EQ(folderContent(app.path()), before);

  const auto lock = FileLock::tryTake(app.path() / DiskSiteFiles::kLockName);
  DiskSiteFiles disk;
  const auto busy = writeSitePages(app.path(), newPages, disk);
  ASSERT_FALSE(busy.ok());
  EXPECT_EQ(busy.error().kind, ErrorKind::Conflict);
  EXPECT_EQ(busy.error().message,
            "The pages could not be written in " + app.path().string() +
                " (another generation is writing there); no page was changed.");
  EXPECT_EQ(folderContent(app.path()), before);
}

}  // namespace
}  // namespace vendaro
