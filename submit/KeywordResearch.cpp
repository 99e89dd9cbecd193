#include "submit/KeywordResearch.h"

#include <algorithm>

#include "platform/Text.h"

namespace vendaro {
namespace {

void addOne(ProgressBar& bar) {
  bar.setValue(bar.Value() + 1);
}

void addAll(ListControl& list, const std::vector<std::string>& added) {
  if (!added.empty()) list.AddItems(added);
}

}  // namespace

KeywordResearch::KeywordResearch(EventLoop& loop, Dialogs& dialogs, ResearchBrowsers browsers,
                                 SearchEngines engines)
    : dialogs_(dialogs), harvest_(loop, std::move(browsers), std::move(engines)) {
  HarvestEvents& events = harvest_.events;
  events.status = [this](const std::string& text) { StatusBar1.setPanelText(1, text); };
  events.loading = [this](const std::string& address) { StatusBar1.setPanelText(2, address); };
  events.linksCollected = [this](const std::vector<std::string>& links) { List2.AddItems(links); };
  events.linkTaken = [this] {
    List2.RemoveItem(0);
    addOne(ProgressBar2);
  };
  events.enginePassed = [this] { addOne(ProgressBar1); };
  events.harvested = [this](const Harvest& added) { showHarvested(added); };
  events.readingOver = [this] { readingOver(); };
}

// The box is emptied for the next keyword; a keyword listed already is not
// listed twice.
void KeywordResearch::Command1_Click() {
  const std::string keyword(text::trimmed(Text6.Text()));
  const auto& listed = List1.items();
  if (!keyword.empty() && std::find(listed.begin(), listed.end(), keyword) == listed.end()) {
    List1.AddItem(keyword);
    harvest_.setKeywords(List1.items());
  }
  Text6.setText("");
  ProgressBar1.setMax(harvest_.engines().count() * List1.ListCount());
  ProgressBar1.setValue(0);
}

void KeywordResearch::Command5_Click() {
  harvest_.sweep();
}

void KeywordResearch::Command6_Click() {
  ProgressBar2.setMax(List2.ListCount());
  ProgressBar2.setValue(0);
  harvest_.read();
}

void KeywordResearch::List1_DblClick() {
  if (List1.ListIndex() < 0) return;
  List1.RemoveItem(List1.ListIndex());
  harvest_.setKeywords(List1.items());
}

void KeywordResearch::showHarvested(const Harvest& added) {
  addAll(List3, added.titles);
  addAll(List5, added.keywords);
  addAll(List4, added.descriptions);
}

void KeywordResearch::readingOver() {
  dialogs_.MsgBox(KeywordHarvest::kReadingDoneMessage, MessageButtons::Ok);
  ProgressBar1.setValue(0);
  ProgressBar2.setValue(0);
}

}  // namespace vendaro
