#pragma once

#include <filesystem>
#include <functional>

#include "platform/Dialogs.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/TextBox.h"
#include "submit/KeywordResearch.h"
#include "submit/ResearchService.h"

namespace vendaro {

// The "Synthesis" and "Creation" pages of the submission tool: the harvest of
// the "Analysis" page is composed into editable texts, saved as blocks, and
// "Generate" writes one page per block position into the output folder, with
// the merchant's links on every page.
class KeywordPages {
 public:
  static constexpr const char* kSeparator = "\r\n\r\n";
  static constexpr const char* kDoneMessage = kPagesWrittenMessage;
  static constexpr const char* kGenerateFirst = "Generate the site first.";

  // What "Edit" and "Publish" do with the first page and the page folder.
  struct Actions {
    std::function<void(const std::filesystem::path& page)> edit;
    std::function<void(const std::filesystem::path& folder)> publish;
  };

  // `address` is the main window's address box; the pages go to `folder`.
  KeywordPages(const KeywordResearch& research, const ListControl& address, Dialogs& dialogs,
               std::filesystem::path folder, Actions actions);

  // "Synthesis"
  TextBox Text1;
  ListControl List6;  // title blocks
  ListControl List7;  // description blocks
  ListControl List8;  // keyword blocks
  Label Label13;
  Label Label14;
  Label Label15;
  Label Label11;
  // "Creation"
  TextBox Text7;      // title of a link
  TextBox Text8;      // its address
  ListControl List9;  // links listing
  Label Label12;

  void Command7_Click();   // "Get titles"
  void Command8_Click();   // "Get descriptions"
  void Command9_Click();   // "Get keywords"
  void Command10_Click();  // "Save" titles
  void Command11_Click();  // "Save" descriptions
  void Command12_Click();  // "Save" keywords
  void Command13_Click();  // "Get" the address of the main window
  void Command14_Click();  // "Add" a link
  void List9_DblClick();
  void Command15_Click();  // "Generate"
  void Command16_Click();  // "Edit"
  void Command18_Click();  // "Publish"

  const std::filesystem::path& folder() const { return folder_; }

 private:
  void save(ListControl& blocks, Label& counter, const char* noun);

  const KeywordResearch& research_;
  const ListControl& address_;
  Dialogs& dialogs_;
  std::filesystem::path folder_;
  Actions actions_;
};

}  // namespace vendaro
