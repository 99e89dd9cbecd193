#include <gtest/gtest.h>

#include "images/ImagePages.h"
#include "tests/images/ImagesFixture.h"

namespace vendaro::testing {
namespace {

using ImageBufferTest = ImagesFixture;

std::string picture(int number) {
  return "http://pics.example/p" + std::to_string(number) + ".jpg";
}

std::string tags(int from, int to) {
  std::string text;
  for (int i = from; i <= to; ++i) text += "<img src='" + picture(i) + "'>";
  return text;
}

TEST_F(ImageBufferTest, SpillsTheFullBufferToTheNextNumberedFileInTheOutputFolder) {
  plugIn();
  ImageBuffer& buffer = features->buffer;
  for (int i = 1; i <= 399; ++i) buffer.AddBufferImage(picture(i));
  buffer.AddBufferImage(picture(5));  // a duplicate changes nothing
  EXPECT_EQ(form->List2.ListCount(), 399);
  buffer.AddBufferImage(picture(400));
  EXPECT_EQ(form->List2.ListCount(), 400);
  EXPECT_FALSE(std::filesystem::exists(output("bufer0.htm")));

  buffer.AddBufferImage(picture(401));
  EXPECT_EQ(folder.read("out/bufer0.htm"), "<html><body>" + tags(1, 400) + "</body></html>\r\n");
  EXPECT_EQ(form->List2.items(), std::vector<std::string>{picture(401)});
  EXPECT_EQ(buffer.spillCounter(), 1);
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "bufer0.htm"));
}

TEST_F(ImageBufferTest, SpillsReplaceEarlierSpillFilesButPassOverFilesOfAnotherKind) {
  std::filesystem::create_directories(output(""));
  folder.write("out/bufer0.htm", "<html><body><img src='old'></body></html>\r\n");
  folder.write("out/bufer1.htm", "\"favourite\r\n\"\r\n");
  plugIn();
  for (int i = 1; i <= 801; ++i) features->buffer.AddBufferImage(picture(i));
  EXPECT_EQ(folder.read("out/bufer0.htm"), "<html><body>" + tags(1, 400) + "</body></html>\r\n");
  EXPECT_EQ(folder.read("out/bufer1.htm"), "\"favourite\r\n\"\r\n");
  EXPECT_EQ(folder.read("out/bufer2.htm"), "<html><body>" + tags(401, 800) + "</body></html>\r\n");
  EXPECT_EQ(features->buffer.spillCounter(), 3);
}

TEST_F(ImageBufferTest, CompletedPagesAndTheirFramesFillTheBufferAndPanel4) {
  plugIn();
  PageDocument frame = pageWith({"http://a.test/in-frame.gif"}, {});
  frame.bodyTagName = "BODY";
  PageDocument page = pageWith({"http://a.test/BIG.JPG", "http://a.test/next.htm",
                                "http://a.test/support.htm", "http://a.test/shop.htm"},
                               {"http://a.test/logo.png", "http://a.test/BIG.JPG"});
  page.frames.push_back(
      {"f", "http://a.test/frame.htm", std::make_shared<PageDocument>(std::move(frame))});
  page.frames.push_back({"other", "http://b.test/", nullptr});  // unreadable
  browse("http://a.test/", page);
  EXPECT_EQ(form->List2.items(),
            (std::vector<std::string>{"http://a.test/BIG.JPG", "http://a.test/logo.png",
                                      "http://a.test/in-frame.gif"}));
  EXPECT_EQ(form->StatusBar1.panelText(4), "Found -  3 pictures ! ");
  EXPECT_EQ(form->listlinks.ListCount(), 0);

  // While links are gathered, the page's other links are queued for the
  // crawler, except excluded and visited ones.
  form->linksGathered = true;
  form->listlinks2.AddItem("http://a.test/shop.htm");
  browse("http://a.test/again", page);
  EXPECT_EQ(form->listlinks.items(), std::vector<std::string>{"http://a.test/next.htm"});

  // A frameset page gives only its frames' pictures.
  page.bodyTagName = "FRAMESET";
  form->List2.Clear();
  browse("http://a.test/frames", page);
  EXPECT_EQ(form->List2.items(), std::vector<std::string>{"http://a.test/in-frame.gif"});
}

TEST_F(ImageBufferTest, ViewingShowsTheBufferPageAndGoesBackAndPanel5Clears) {
  plugIn();
  features->buffer.AddBufferImage("http://a.example/x.jpg?a=1&b='2'");
  features->buffer.AddBufferImage("http://a.example/y.gif");
  form->menu_Click("imagebuf");
  const std::string page =
      "<html><body><font face='Verdana'><big><strong><big>Report</big></strong></big></font> "
      "<ul><p><img src='http://a.example/x.jpg?a=1&amp;b=&#39;2&#39;'>"
      "<img src='http://a.example/y.gif'></p></ul> </body> </html>";
  ASSERT_EQ(browser1->written.size(), 1u);
  EXPECT_EQ(browser1->written.back(), page);
  form->menu_Click("imagebuf");
  EXPECT_EQ(browser1->calls.back(), "GoBack");

  // Panel 4 shows the page too, but its second click only forgets it.
  form->StatusBar1.PanelClick(4);
  EXPECT_EQ(browser1->written.size(), 2u);
  const auto calls = browser1->calls.size();
  form->StatusBar1.PanelClick(4);
  EXPECT_EQ(browser1->calls.size(), calls);
  EXPECT_FALSE(features->buffer.imagePageShown());

  form->StatusBar1.PanelDblClick(5);
  EXPECT_EQ(form->List2.ListCount(), 0);
  EXPECT_EQ(form->StatusBar1.panelText(4), "Images'Listing is clear ! ");
}

TEST_F(ImageBufferTest, SavesTheBufferPageButNeverOverAFileOfAnotherKind) {
  plugIn();
  features->buffer.AddBufferImage("http://a.example/x.jpg");
  dialogs.fileAnswers = {"saved.htm", std::nullopt};
  form->menu_Click("sreport");
  EXPECT_EQ(folder.read("out/saved.htm"),
            "<html>\r\n\r\n<head><title>Image Buffer's contents</title></head><body>"
            "<img src='http://a.example/x.jpg'></body>\r\n</html>\r\n");
  form->menu_Click("sreport");  // cancelled: nothing written

  const std::string list = "\"favor.example\r\n\"\r\n";
  folder.write("favor.prv", list);
  dialogs.fileAnswers = {folder.file("favor.prv").string()};
  form->inPrivateZone = true;
  form->menu_Click("sreport");
  EXPECT_EQ(folder.read("favor.prv"), list);
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].text.find("is not a page"), std::string::npos);
}

TEST_F(ImageBufferTest, TheSecondPaneShowsOnlyThePicturesOfEachPrivatePage) {
  plugIn();
  features->buffer.AddBufferImage("http://earlier.example/a.jpg");
  form->inPrivateZone = true;
  browse("http://private.test/",
         pageWith({"http://private.test/p.jpg", "http://private.test/more.htm"},
                  {"http://private.test/q.gif"}),
         browser5.get());
  const std::vector<std::string> pictures{"http://private.test/p.jpg", "http://private.test/q.gif"};
  EXPECT_EQ(form->List2.items(), pictures);
  EXPECT_EQ(form->listlinks.items(), std::vector<std::string>{"http://private.test/more.htm"});
  EXPECT_EQ(form->StatusBar1.panelText(2), "Found -  1 links  ! ");
  EXPECT_EQ(browser5->calls.back(), "Stop");
  ASSERT_EQ(browser5->written.size(), 1u);
  EXPECT_EQ(browser5->written[0], bufferPage(pictures));

  // The written page completes in its turn: it is left as it is.
  PageDocument shown = pageWith({}, pictures);
  shown.bodyTagName = "BODY";
  shown.all.push_back({"FONT", "Report", "", "", "", "", ""});
  browser5->document = std::make_shared<PageDocument>(shown);
  browser5->onDocumentComplete(FrameLevel::TopLevel, "http://private.test/");
  EXPECT_EQ(browser5->written.size(), 1u);
  EXPECT_EQ(form->List2.items(), pictures);
}

}  // namespace
}  // namespace vendaro::testing
