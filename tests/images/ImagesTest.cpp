#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "common/ImagePages.h"
#include "images/ImageFeatures.h"
#include "images/ImagesSubsystem.h"
#include "tests/app/Form1Fixture.h"

namespace vendaro::testing {
namespace {

// A main window over fakes with the image features plugged in through the
// workbench, as the program does; the output folder is "out".
class ImagesFixture : public Form1Fixture {
 protected:
  ImagesFixture() { context.folders.output = "out"; }

  void plugIn() {
    loadForm();
    registerImageCommands(plugInWorkbench());
    features = dynamic_cast<ImageFeatures*>(form->hooks.pictureCollector);
    ASSERT_NE(features, nullptr);
  }

  // Completes a navigation of `pane` (the main pane by default) to `page`.
  void browse(const std::string& address, PageDocument page, FakeBrowser* pane = nullptr) {
    FakeBrowser& browser = pane ? *pane : *browser1;
    browser.pages[address] = std::make_shared<PageDocument>(std::move(page));
    browser.Navigate(address);
    browser.completeNavigation();
  }

  static PageDocument pageWith(std::vector<std::string> links, std::vector<std::string> images) {
    PageDocument page;
    page.bodyTagName = "BODY";
    for (auto& link : links) page.links.push_back({link, link});
    for (auto& image : images) page.images.push_back({image, ""});
    return page;
  }

  ImageFeatures* features = nullptr;
};

std::string picture(int n) {
  return "http://pics.example/p" + std::to_string(n) + ".jpg";
}

std::string spilled(int from, int to) {
  std::string text = "<html><body>";
  for (int i = from; i <= to; ++i) text += "<img src='" + picture(i) + "'>";
  return text + "</body></html>\r\n";
}

TEST_F(ImagesFixture, AFullBufferSpillsToTheNextNumberedFileOfItsKindInTheOutputFolder) {
  std::filesystem::create_directories(folder.file("out"));
  folder.write("out/bufer0.htm", "\"a list\r\n\"\r\n");
  plugIn();
  for (int i = 1; i <= 399; ++i) features->buffer.AddBufferImage(picture(i));
  features->buffer.AddBufferImage(picture(5));  // a duplicate changes nothing
  features->buffer.AddBufferImage(picture(400));
  EXPECT_FALSE(std::filesystem::exists(folder.file("out/bufer1.htm")));
  features->buffer.AddBufferImage(picture(401));
  EXPECT_EQ(folder.read("out/bufer0.htm"), "\"a list\r\n\"\r\n");
  EXPECT_EQ(folder.read("out/bufer1.htm"), spilled(1, 400));
  EXPECT_EQ(form->saved.List2.items(), std::vector<std::string>{picture(401)});
}

TEST_F(ImagesFixture, CompletedPagesAndTheirFramesFillTheBufferAndPanel4) {
  plugIn();
  auto frame = std::make_shared<PageDocument>(pageWith({"http://a.test/in-frame.gif"}, {}));
  PageDocument page = pageWith(
      {"http://a.test/BIG.JPG", "http://a.test/next.htm", "http://a.test/support.htm",
       "http://a.test/shop.htm"},
      {"http://a.test/logo.png", "http://a.test/BIG.JPG", "data:image/png;base64,iVBORw0KGgo="});
  page.frames = {{"f", "", frame}, {"other", "http://b.test/", nullptr}};
  browse("http://a.test/", page);
  EXPECT_EQ(form->saved.List2.items(),
            (std::vector<std::string>{"http://a.test/BIG.JPG", "http://a.test/logo.png",
                                      "http://a.test/in-frame.gif"}));
  EXPECT_EQ(form->StatusBar1.panelText(4), "Found -  3 pictures ! ");

  // While links are gathered, other links are queued unless excluded or visited.
  form->research.linksGathered = true;
  form->research.listlinks2.AddItem("http://a.test/shop.htm");
  browse("http://a.test/again", page);
  EXPECT_EQ(form->saved.listlinks.items(), std::vector<std::string>{"http://a.test/next.htm"});
}

TEST_F(ImagesFixture, ViewingShowsTheBufferPageAndGoesBackAndPanel5Clears) {
  plugIn();
  features->buffer.AddBufferImage("http://a.example/x.jpg?a=1&b='2'");
  features->buffer.AddBufferImage("http://a.example/y.gif");
  form->menu_Click("imagebuf");
  EXPECT_EQ(browser1->written.at(0),
            "<html><body><font face='Verdana'><big><strong><big>Report</big></strong></big></font> "
            "<ul><p><img src='http://a.example/x.jpg?a=1&amp;b=&#39;2&#39;'>"
            "<img src='http://a.example/y.gif'></p></ul> </body> </html>");
  form->menu_Click("imagebuf");
  EXPECT_EQ(browser1->calls.back(), "GoBack");

  // Panel 4 shows the page too, but its second click only forgets it.
  form->StatusBar1.PanelClick(4);
  const auto calls = browser1->calls.size();
  form->StatusBar1.PanelClick(4);
  EXPECT_EQ(browser1->written.size(), 2u);
  EXPECT_EQ(browser1->calls.size(), calls);

  form->StatusBar1.PanelDblClick(5);
  EXPECT_EQ(form->saved.List2.ListCount(), 0);
  EXPECT_EQ(form->StatusBar1.panelText(4), "Images'Listing is clear ! ");
}

TEST_F(ImagesFixture, SavesTheBufferPageButNeverOverAFileOfAnotherKind) {
  plugIn();
  features->buffer.AddBufferImage("http://a.example/x.jpg");
  const std::string list = "\"favor.example\r\n\"\r\n";
  folder.write("favor.prv", list);
  dialogs.fileAnswers = {"saved.htm", folder.file("favor.prv").string()};
  form->menu_Click("sreport");
  EXPECT_EQ(folder.read("out/saved.htm"),
            "<html>\r\n\r\n<head><title>Image Buffer's contents</title></head><body>"
            "<img src='http://a.example/x.jpg'></body>\r\n</html>\r\n");
  form->menu_Click("sreport");
  EXPECT_EQ(folder.read("favor.prv"), list);
  EXPECT_NE(dialogs.messages.at(0).text.find("is not a page"), std::string::npos);
}

TEST_F(ImagesFixture, TheSecondPaneShowsOnlyThePicturesOfEachPrivatePage) {
  plugIn();
  features->buffer.AddBufferImage("http://earlier.example/a.jpg");
  form->zone.inPrivateZone = true;
  browse("http://private.test/",
         pageWith({"http://private.test/p.jpg", "http://private.test/more.htm"},
                  {"http://private.test/q.gif"}),
         browser5.get());
  const std::vector<std::string> pictures{"http://private.test/p.jpg", "http://private.test/q.gif"};
  EXPECT_EQ(form->saved.List2.items(), pictures);
  EXPECT_EQ(form->saved.listlinks.items(),
            std::vector<std::string>{"http://private.test/more.htm"});
  EXPECT_EQ(browser5->written, std::vector<std::string>{bufferPage(pictures)});

  // The written page completes in its turn and is left as it is.
  auto shown = std::make_shared<PageDocument>(pageWith({}, pictures));
  shown->all.push_back({"FONT", "Report", "", "", "", "", ""});
  browser5->document = shown;
  browser5->onDocumentComplete(FrameLevel::TopLevel, "http://private.test/");
  EXPECT_EQ(browser5->written.size(), 1u);
}

class CatalogsTest : public ImagesFixture {
 protected:
  // 21 catalog names, and a frameset page whose frame links to a picture.
  void SetUp() override {
    plugIn();
    for (int i = 0; i < Catalogs::kCount; ++i) form->Combo1.AddItem("name" + std::to_string(i));
    auto frame = std::make_shared<PageDocument>(pageWith({"http://shop.test/car.jpg"}, {}));
    PageDocument page;
    page.bodyTagName = "FRAMESET";
    page.frames = {{"left", "http://shop.test/left.htm", frame}};
    browse("http://shop.test/", page);
  }

  void clickIn(FakeBrowser& pane, int index, const std::string& text, const std::string& href) {
    form->Combo1.setListIndex(index);
    form->Combo1.setText(text);
    pane.raiseDocumentEvent(DocumentEvent::Kind::Click, href);
  }
};

TEST_F(CatalogsTest, APictureClickedInAFrameMovesFromTheBufferToTheChosenCatalogWithABeep) {
  ASSERT_EQ(form->saved.List2.items(), std::vector<std::string>{"http://shop.test/car.jpg"});
  std::vector<std::string> offered;
  features->offerToStoreWizard = [&](const std::string& address) { offered.push_back(address); };
  clickIn(*browser1, 1, "Cars", "http://shop.test/car.jpg");
  EXPECT_EQ(features->catalogs.catalog(1), "<img src='http://shop.test/car.jpg'>");
  EXPECT_EQ(form->saved.List2.ListCount(), 0);
  EXPECT_EQ(offered, std::vector<std::string>{"http://shop.test/car.jpg"});
  clickIn(*browser1, 18, "Boats", "http://shop.test/boat.gif");
  EXPECT_EQ(features->catalogs.catalog(18), "<img src='http://shop.test/boat.gif'>");
  clickIn(*browser1, 18, "Boats", "");  // not a link: nothing at all
  EXPECT_TRUE(dialogs.messages.empty());
}

// The prompt goes to the status bar, never into a box that holds up the
// click, and only a link to a picture brings it.
TEST_F(CatalogsTest, WithoutACatalogALinkToAPictureAsksInTheStatusBarAndOtherLinksBrowseOn) {
  const std::string main = " Choose the catalog's name ,please !";
  for (const auto& [index, name] : {std::pair{19, "Planes"}, {1, ""}, {-1, "Cars"}}) {
    form->StatusBar1.setPanelText(2, "");
    clickIn(*browser1, index, name, "http://shop.test/plane.jpg");
    EXPECT_EQ(form->StatusBar1.panelText(2), main) << index;
  }
  browse("http://private.test/", pageWith({}, {}), browser5.get());
  clickIn(*browser5, 20, "Last", "http://private.test/a.jpg");
  EXPECT_EQ(form->StatusBar1.panelText(2), "Choose a catalig's name , please");
  EXPECT_EQ(dialogs.beeps, 4);
  form->StatusBar1.setPanelText(2, "");
  clickIn(*browser1, -1, "", "http://shop.test/next.htm");
  EXPECT_EQ(form->StatusBar1.panelText(2), "");
  EXPECT_EQ(dialogs.beeps, 4);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(CatalogsTest, AnEmptyCatalogSavesAndAChosenOneClears) {
  form->Combo1.setListIndex(20);
  dialogs.fileAnswers = {"empty.htm"};
  form->menu_Click("savecatalog");
  EXPECT_EQ(folder.read("out/empty.htm"),
            "<html>\r\n\r\n<title>Catalog</title><body></body>\r\n</html>\r\n");

  clickIn(*browser1, 2, "Cars", "http://shop.test/car.jpg");
  form->menu_Click("clearcatalog");
  EXPECT_EQ(features->catalogs.catalog(2), "");
  EXPECT_EQ(form->StatusBar1.panelText(2), "Buffer Cars is clear");
}

TEST_F(ImagesFixture, TheAdultListingTakesEverySiteOnceAndShowsOnlyForTheParentalPassword) {
  context.settings =
      SettingsFile::parse("[private_zone]\nparental_password = \"blue owl\"\n", "vendaro.toml");
  plugIn();
  for (const char* link : {"http://adult.test/a", "http://adult.test/b", "https://secure.test/x",
                           "http://bare.test", "http://query.test?page=1", "mailto:me@x.test"}) {
    form->saved.listlinks.AddItem(link);
  }
  form->saved.domain.AddItem("secure.test");
  form->research.List4.AddItem("queued");
  form->menu_Click("createadultlisting");
  EXPECT_EQ(form->saved.domain.items(),
            (std::vector<std::string>{"secure.test", "adult.test", "bare.test", "query.test"}));
  EXPECT_EQ(form->research.List4.ListCount(), 0);
  EXPECT_EQ(dialogs.messageTexts(),
            std::vector<std::string>{"Your adult listing is created and  saved"});

  dialogs.inputAnswers = {"Blue owl", std::nullopt, "blue owl ", "blue owl"};
  for (int i = 0; i < 3; ++i) form->menu_Click("editadultlisting");
  EXPECT_FALSE(form->saved.domain.Visible());
  form->menu_Click("editadultlisting");
  EXPECT_TRUE(form->saved.domain.Visible());
  EXPECT_EQ(dialogs.prompts, std::vector<std::string>(4, "Your password , please"));
  EXPECT_EQ(dialogs.passwordBoxes, 4);
}

}  // namespace
}  // namespace vendaro::testing
