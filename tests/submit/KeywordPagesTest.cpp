#include "submit/KeywordPages.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "common/TextFile.h"
#include "submit/KeywordTexts.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {
namespace {

using ::testing::ElementsAre;
namespace texts = keyword_texts;

TEST(KeywordTexts, HeadersStartEveryBlockOnceTheTextPassesTheLimit) {
  const std::string title(150, 't');
  EXPECT_EQ(texts::titles("Acme", {"shoes", "socks"}, {"First", title, "Last"}),
            "Acme: products and services : shoes,  socks, First\r\n" + title +
                "\r\n\r\nAcme: products and services : shoes,  socks, Last\r\n\r\n\r\n");
  const std::string description(995, 'd');
  EXPECT_EQ(texts::descriptions("Acme", {description, "Next"}),
            "Acme" + description + "\r\n\r\nAcmeNext\r\n\r\n\r\n");
  EXPECT_EQ(texts::keywords({std::string(998, 'k'), "ab", "cd", "ef"}),
            std::string(998, 'k') + ", ab\r\n\r\ncd, ef\r\n\r\n");
  EXPECT_EQ(texts::keywords({}), "\r\n\r\n");
}

class KeywordPagesTest : public ::testing::Test {
 protected:
  void save(ListControl& blocks, const std::vector<std::string>& texts,
            void (KeywordPages::*saveButton)()) {
    for (const std::string& text : texts) {
      pages.Text1.setText(text + "\r\n\r\n");
      (pages.*saveButton)();
    }
    ASSERT_EQ(blocks.ListCount(), static_cast<int>(texts.size()));
  }

  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  TempFolder folder;
  ListControl address;
  std::vector<std::filesystem::path> edited;
  KeywordResearch research{
      loop, dialogs,
      ResearchBrowsers{std::make_unique<FakeBrowser>(), std::make_unique<FakeBrowser>(),
                       std::make_unique<FakeBrowser>()},
      SearchEngines(SearchEngineSettings{})};
  KeywordPages pages{research,
                     address,
                     dialogs,
                     folder.path() / "pages",
                     {[this](const std::filesystem::path& page) { edited.push_back(page); }, {}}};
};

// A last block without the separator after it is kept; a second "Save"
// adds no block twice.
TEST_F(KeywordPagesTest, SaveCutsBlocksAndCountsThem) {
  pages.Text1.setText("One\r\n\r\nTwo\r\nlines\r\n\r\ntail");
  pages.Command10_Click();
  EXPECT_THAT(pages.List6.items(), ElementsAre("One\r", "\n\r\nTwo\r\nlines\r", "\n\r\ntail"));
  EXPECT_EQ(pages.Label13.Caption(), " 3 titles");
  pages.Command10_Click();
  EXPECT_EQ(pages.Label13.Caption(), " 3 titles");
  pages.Text1.setText("Only\r\n\r\n \r\n");
  pages.Command11_Click();
  EXPECT_EQ(pages.Label14.Caption(), " 1 descript");
}

TEST_F(KeywordPagesTest, GenerateWritesOnePagePerBlockOfTheShortestList) {
  pages.Command16_Click();  // nothing to edit yet
  EXPECT_TRUE(edited.empty());
  save(pages.List6, {"Shoes <b>&</b> 'boots'", "T2", "T3"}, &KeywordPages::Command10_Click);
  save(pages.List7, {"Best \"shoes\"", "D2"}, &KeywordPages::Command11_Click);
  save(pages.List8, {"shoes, boots", "K2", "K3", "K4", "K5"}, &KeywordPages::Command12_Click);
  pages.List6.setList(0, "\n\r\nAcme: shoes,  Shoes <b>&</b> 'boots'\r\nMore\r");
  address.setText("http://shop.example/");
  pages.Command13_Click();
  pages.Text7.setText("My shop");
  pages.Command14_Click();
  pages.Text8.setText("http://shop.example/sale.htm");
  pages.Text7.setText("Sale");
  pages.Command14_Click();
  pages.Command15_Click();

  const std::filesystem::path golden =
      std::filesystem::path(VENDARO_SUBMIT_GOLDEN_DIR) / "rep000.htm";
  const auto written = readWholeFile(folder.path() / "pages" / "rep000.htm");
  ASSERT_TRUE(written.has_value());
  if (const char* update = std::getenv("VENDARO_UPDATE_GOLDEN"); update && *update == '1') {
    ASSERT_TRUE(writeWholeFile(golden, *written));
  }
  EXPECT_EQ(*written, readWholeFile(golden));
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "pages" / "rep111.htm"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "pages" / "rep222.htm"));
  EXPECT_THAT(dialogs.messageTexts(), ElementsAre(KeywordPages::kGenerateFirst, " You'v got it"));
  pages.Command16_Click();
  EXPECT_THAT(edited, ElementsAre(folder.path() / "pages" / "rep000.htm"));

  // A folder that cannot be written is reported, not announced as done.
  folder.write("blocked", "");
  KeywordPages blocked{research, address, dialogs, folder.path() / "blocked", {}};
  blocked.List6.AddItem("T");
  blocked.List7.AddItem("D");
  blocked.List8.AddItem("K");
  blocked.Command15_Click();
  EXPECT_EQ(dialogs.messages.back().icon, MessageIcon::Critical);
}

}  // namespace
}  // namespace vendaro::testing
