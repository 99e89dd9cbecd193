#include "store/ProjectFiles.h"

#include <gtest/gtest.h>

#include "store/StoreProject.h"

namespace vendaro {
namespace {

ProjectSettings sampleSettings() {
  return ProjectSettings{"<form ACTION=\"mailto:a@b\"\r\nMETHOD=\"POST\">",
                         "",
                         "<font>",
                         "<table>",
                         "index",
                         "0.0825",
                         "<form NAME=\"FormOrder\">"};
}

TEST(SettingsFileTest, WritesEachBoxThenItsMarkerAndAnEmptyBoxAsTwoLineBreaks) {
  EXPECT_EQ(settingsFileText(sampleSettings()),
            "<form ACTION=\"mailto:a@b\"\r\nMETHOD=\"POST\">\r\n[GoBack]\r\n"
            "\r\n\r\n[Font]\r\n"
            "<font>\r\n[Table]\r\n"
            "<table>\r\n[Start]\r\n"
            "index\r\n[Tax]\r\n"
            "0.0825\r\n[Action]\r\n"
            "<form NAME=\"FormOrder\">\r\n");
}

TEST(SettingsFileTest, ReadsBackEmptyBoxesEmptyAndMultiLineBoxesAsOneLine) {
  ProjectSettings settings = sampleSettings();
  settings.formAction = "<form\r\naction=x>\r\n<input>";
  settings.salesTax = "";
  const ProjectSettings back = parseSettingsFile(settingsFileText(settings));
  EXPECT_EQ(back.emailAction, "<form ACTION=\"mailto:a@b\"METHOD=\"POST\">");
  EXPECT_EQ(back.goBackUrl, "");
  EXPECT_EQ(back.fontStyle, "<font>");
  EXPECT_EQ(back.tableStyle, "<table>");
  EXPECT_EQ(back.startFile, "index");
  EXPECT_EQ(back.salesTax, "");
  EXPECT_EQ(back.formAction, "<formaction=x><input>");
}

TEST(SettingsFileTest, MarkerTextInsideALineIsNotAMarker) {
  const ProjectSettings back =
      parseSettingsFile("a [GoBack]\r\n[GoBack]\r\nb\r\n[Font]\r\n[Action]\r\n[Table]\r\n");
  EXPECT_EQ(back.emailAction, "a [GoBack]");
  EXPECT_EQ(back.goBackUrl, "b");
  // Markers out of order are ordinary lines of the current box.
  EXPECT_EQ(back.fontStyle, "[Action]");
  EXPECT_EQ(back.tableStyle, "");
}

TEST(ProjectLinesTest, SplitsAtEveryKindOfLineEndAndAddsNoEmptyLastLine) {
  EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(splitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_TRUE(splitLines("").empty());
  EXPECT_EQ(linesText({"x", ""}), "x\r\n\r\n");
}

TEST(ItemRecordTest, FieldsGoBackToTheirPlacesAndShortLinesLeaveTheRestEmpty) {
  const ItemRecord item{"A1", "Blue cup", "3.50", "cup.gif", "cup.htm", "Acme", "0.5"};
  for (const ItemRecord& record : {item, ItemRecord{}}) {
    EXPECT_EQ(itemRecordLine(parseItemRecord(itemRecordLine(record))), itemRecordLine(record));
  }
  EXPECT_EQ(itemRecordLine(item), "A1^Blue cup^3.50^cup.gif^cup.htm^Acme^0.5^");
  EXPECT_EQ(itemRecordLine(ItemRecord{}), "^^^^^^^");

  const ItemRecord shortLine = parseItemRecord("B2^Plate");
  EXPECT_EQ(itemRecordLine(shortLine), "B2^Plate^^^^^^");
}

TEST(ContainedNameTest, RefusesNamesThatLeaveTheFolder) {
  for (const char* name : {"Shop", "Blue cups", "a..b", ".hidden", "Süß"}) {
    EXPECT_TRUE(isContainedName(name)) << name;
  }
  for (const char* name : {"", ".", "..", "a/b", "/abs", "..\\up", "x\\y"}) {
    EXPECT_FALSE(isContainedName(name)) << name;
  }
  EXPECT_FALSE(isContainedName(std::string("a\0b", 3)));
}

}  // namespace
}  // namespace vendaro
