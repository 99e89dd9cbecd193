#include "submit/KeywordPages.h"

#include <system_error>

#include "common/ListFilling.h"
#include "common/NumberText.h"
#include "submit/KeywordTexts.h"
#include "submit/RepPage.h"
#include "submit/ResearchService.h"

namespace vendaro {

KeywordPages::KeywordPages(const KeywordResearch& research, const ListControl& address,
                           Dialogs& dialogs, std::filesystem::path folder, Actions actions)
    : Label11(
          "Press \"Get...\" to compose the harvest into the text above, edit it, and "
          "press \"Save\" to keep it as blocks; every block becomes one page."),
      Label12(
          "Enter here all links to Your sites which You wish to be found by the set "
          "keywords  entered before. After site will is created ,You may edit it and add "
          "another description under  every links on a site."),
      research_(research),
      address_(address),
      dialogs_(dialogs),
      folder_(std::move(folder)),
      actions_(std::move(actions)) {}

void KeywordPages::Command7_Click() {
  Text1.setText(keyword_texts::titles(research_.Text3.Text(), research_.List1.items(),
                                      research_.List3.items()));
}

void KeywordPages::Command8_Click() {
  Text1.setText(keyword_texts::descriptions(research_.Text3.Text(), research_.List4.items()));
}

void KeywordPages::Command9_Click() {
  Text1.setText(keyword_texts::keywords(research_.List5.items()));
}

// Blocks the list holds already are not added again, so a second "Save"
// does not double the pages; a last block typed without the separator
// after it is kept.
void KeywordPages::save(ListControl& blocks, Label& counter, const char* noun) {
  std::vector<std::string> kept = blocks.items();
  const auto before = static_cast<std::ptrdiff_t>(kept.size());
  SplitToList(Text1.Text(), kept, kSeparator, SplitTail::KeepUnlessBlank);
  if (kept.size() > blocks.items().size()) blocks.AddItems({kept.begin() + before, kept.end()});
  counter.setCaption(numberText(std::int64_t{blocks.ListCount()}) + noun);
}

void KeywordPages::Command10_Click() {
  save(List6, Label13, " titles");
}

void KeywordPages::Command11_Click() {
  save(List7, Label14, " descript");
}

void KeywordPages::Command12_Click() {
  save(List8, Label15, " keywords");
}

void KeywordPages::Command13_Click() {
  Text8.setText(address_.Text());
}

void KeywordPages::Command14_Click() {
  List9.AddItem("<a href='" + Text8.Text() + "'>" + Text7.Text() + "</a>");
}

void KeywordPages::List9_DblClick() {
  if (List9.ListIndex() >= 0) List9.RemoveItem(List9.ListIndex());
}

void KeywordPages::Command15_Click() {
  const auto written =
      writeRepPages({List6.items(), List7.items(), List8.items()}, List9.items(), folder_);
  if (!written) {
    dialogs_.MsgBox(written.error().message, MessageButtons::Ok, MessageIcon::Critical);
    return;
  }
  dialogs_.MsgBox(kDoneMessage, MessageButtons::Ok);
}

void KeywordPages::Command16_Click() {
  const std::filesystem::path first = folder_ / RepPage::fileName(0);
  std::error_code error;
  if (!std::filesystem::is_regular_file(first, error)) {
    dialogs_.MsgBox(kGenerateFirst);
    return;
  }
  if (actions_.edit) actions_.edit(first);
}

void KeywordPages::Command18_Click() {
  if (actions_.publish) actions_.publish(folder_);
}

}  // namespace vendaro
