#include <gtest/gtest.h>

#include "tests/images/ImagesFixture.h"

namespace vendaro::testing {
namespace {

class CatalogsTest : public ImagesFixture {
 protected:
  // A page in the main pane whose document events are followed, and a
  // keyword box with 21 names.
  void SetUp() override {
    plugIn();
    for (int i = 0; i < Catalogs::kCount; ++i) form->Combo1.AddItem("name" + std::to_string(i));
    browse("http://shop.test/", pageWith({"http://shop.test/car.jpg"}, {}));
  }

  void choose(int index, const std::string& text) {
    form->Combo1.setListIndex(index);
    form->Combo1.setText(text);
  }

  void click(const std::string& href, FakeBrowser& pane) {
    pane.raiseDocumentEvent(DocumentEvent::Kind::Click, href);
  }
};

TEST_F(CatalogsTest, AClickedLinkMovesItsPictureIntoTheChosenCatalogWithABeep) {
  choose(1, "Cars");
  click("http://shop.test/car.jpg", *browser1);
  EXPECT_EQ(features->catalogs.catalog(1), "<img src='http://shop.test/car.jpg'>");
  EXPECT_EQ(form->List2.ListCount(), 0);
  EXPECT_EQ(dialogs.beeps, 1);
  EXPECT_TRUE(dialogs.messages.empty());

  choose(18, "Boats");
  click("http://shop.test/boat.gif", *browser1);
  EXPECT_EQ(features->catalogs.catalog(18), "<img src='http://shop.test/boat.gif'>");

  // A click on a picture that is not a link adds nothing and asks nothing.
  click("", *browser1);
  EXPECT_EQ(dialogs.beeps, 2);
}

TEST_F(CatalogsTest, OutsideTheFirst19CatalogsOrWithoutANameTheUserIsAskedToChoose) {
  choose(19, "Planes");
  click("http://shop.test/plane.jpg", *browser1);
  choose(1, "");
  click("http://shop.test/plane.jpg", *browser1);
  form->Combo1.setListIndex(-1);
  form->Combo1.setText("Cars");
  click("http://shop.test/plane.jpg", *browser1);
  EXPECT_EQ(dialogs.messageTexts(),
            std::vector<std::string>(3, " Choose the catalog's name ,please !"));
  EXPECT_EQ(features->catalogs.catalog(19), "");
  EXPECT_EQ(dialogs.beeps, 3);

  // The second pane has its own prompt.
  dialogs.messages.clear();
  form->inPrivateZone = true;
  browse("http://private.test/", pageWith({}, {}), browser5.get());
  click("http://private.test/a.jpg", *browser5);
  EXPECT_EQ(dialogs.messageTexts(), std::vector<std::string>{"Choose a catalig's name , please"});
}

TEST_F(CatalogsTest, APictureClickedInAFrameLeavesTheBufferForTheCatalog) {
  PageDocument frame = pageWith({"http://shop.test/framed.jpg"}, {});
  frame.bodyTagName = "BODY";
  PageDocument page;
  page.bodyTagName = "FRAMESET";
  page.frames.push_back(
      {"left", "http://shop.test/left.htm", std::make_shared<PageDocument>(std::move(frame))});
  browse("http://shop.test/frames.htm", page);
  browser1->completeFrame("http://shop.test/left.htm");
  ASSERT_EQ(form->List2.items(),
            (std::vector<std::string>{"http://shop.test/car.jpg", "http://shop.test/framed.jpg"}));
  choose(0, "Framed");
  click("http://shop.test/framed.jpg", *browser1);
  EXPECT_EQ(form->List2.items(), std::vector<std::string>{"http://shop.test/car.jpg"});
  EXPECT_EQ(features->catalogs.catalog(0), "<img src='http://shop.test/framed.jpg'>");
}

TEST_F(CatalogsTest, ViewClearAndSaveWorkOnTheChosenCatalog) {
  std::vector<std::string> offered;
  features->offerToStoreWizard = [&](const std::string& address) { offered.push_back(address); };
  choose(20, "Last");
  form->menu_Click("viewcatalo");
  EXPECT_EQ(browser1->written.back(), "<html><body></body></html>");
  dialogs.fileAnswers = {"empty.htm"};
  form->menu_Click("savecatalog");
  EXPECT_EQ(folder.read("out/empty.htm"),
            "<html>\r\n\r\n<title>Catalog</title><body></body>\r\n</html>\r\n");

  choose(2, "Cars");
  click("http://shop.test/car.jpg", *browser1);
  EXPECT_EQ(offered, std::vector<std::string>{"http://shop.test/car.jpg"});
  form->menu_Click("viewcatalo");
  EXPECT_EQ(browser1->written.back(),
            "<html><body><img src='http://shop.test/car.jpg'></body></html>");
  form->menu_Click("clearcatalog");
  EXPECT_EQ(features->catalogs.catalog(2), "");
  EXPECT_EQ(form->StatusBar1.panelText(2), "Buffer Cars is clear");
}

using AdultListingTest = ImagesFixture;

TEST_F(AdultListingTest, CreatingAddsTheSiteOfEveryLinkOnceWhateverTheScheme) {
  plugIn();
  for (const char* link :
       {"http://adult.test/a", "http://adult.test/b", "https://secure.test/x", "http://bare.test",
        "http://query.test?page=1", "mailto:me@x.test", "http://"}) {
    form->listlinks.AddItem(link);
  }
  form->domain.AddItem("secure.test");
  form->List4.AddItem("queued");
  form->menu_Click("createadultlisting");
  EXPECT_EQ(form->domain.items(),
            (std::vector<std::string>{"secure.test", "adult.test", "bare.test", "query.test"}));
  EXPECT_EQ(form->listlinks.ListCount(), 7);
  EXPECT_EQ(form->List4.ListCount(), 0);
  EXPECT_EQ(dialogs.messageTexts(),
            std::vector<std::string>{"Your adult listing is created and  saved"});
}

TEST_F(AdultListingTest, EditingShowsTheListOnlyForTheParentalPassword) {
  settings.parentalPassword = "blue owl";
  plugIn();
  dialogs.inputAnswers = {"Blue owl", std::nullopt, "blue owl "};
  for (int i = 0; i < 3; ++i) form->menu_Click("editadultlisting");
  EXPECT_FALSE(form->domain.Visible());
  EXPECT_EQ(dialogs.prompts, std::vector<std::string>(3, "Your password , please"));

  dialogs.inputAnswers = {"blue owl"};
  form->menu_Click("editadultlisting");
  EXPECT_TRUE(form->domain.Visible());
  const Geometry& place = features->adultListing.domainPlace;
  EXPECT_EQ(place.top, 1200);
  EXPECT_EQ(place.width, 3800);
  EXPECT_EQ(place.height, 2200);
}

}  // namespace
}  // namespace vendaro::testing
