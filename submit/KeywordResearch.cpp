#include "submit/KeywordResearch.h"

#include <stdexcept>

#include "common/ListFilling.h"
#include "common/NumberText.h"
#include "common/PageAnalysis.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

void onPageComplete(Browser& browser, std::function<void()> handler) {
  browser.onDocumentComplete = [handler = std::move(handler)](FrameLevel level,
                                                              const std::string&) {
    if (level == FrameLevel::TopLevel) handler();
  };
}

void addOne(ProgressBar& bar) {
  bar.setValue(bar.Value() + 1);
}

}  // namespace

KeywordResearch::KeywordResearch(EventLoop& loop, Dialogs& dialogs, ResearchBrowsers browsers,
                                 SearchEngines engines)
    : Timer1(loop, kWatchdogMs, false),
      Timer2(loop, kWatchdogMs, false),
      Timer3(loop, kWatchdogMs, false),
      dialogs_(dialogs),
      browsers_(std::move(browsers)),
      engines_(std::move(engines)) {
  Timer1.onTimer = [this] { Timer1_Timer(); };
  Timer2.onTimer = [this] { Timer2_Timer(); };
  Timer3.onTimer = [this] { Timer3_Timer(); };
  onPageComplete(*browsers_.WebBrowser1, [this] { WebBrowser1_DocumentComplete(); });
  onPageComplete(*browsers_.WebBrowser2, [this] { WebBrowser2_DocumentComplete(); });
  onPageComplete(*browsers_.WebBrowser3, [this] { WebBrowser3_DocumentComplete(); });
}

KeywordResearch::~KeywordResearch() {
  for (Browser* browser :
       {browsers_.WebBrowser1.get(), browsers_.WebBrowser2.get(), browsers_.WebBrowser3.get()}) {
    browser->onDocumentComplete = nullptr;
    browser->Stop();
  }
}

const Browser& KeywordResearch::browser(int number) const {
  switch (number) {
    case 1:
      return *browsers_.WebBrowser1;
    case 2:
      return *browsers_.WebBrowser2;
    case 3:
      return *browsers_.WebBrowser3;
    default:
      throw std::out_of_range("no WebBrowser" + std::to_string(number));
  }
}

// The box is emptied for the next keyword; a keyword listed already is not
// listed twice.
void KeywordResearch::Command1_Click() {
  const std::string keyword(text::trimmed(Text6.Text()));
  if (!keyword.empty()) AddUnique(keyword, List1);
  Text6.setText("");
  ProgressBar1.setMax(engines_.count() * List1.ListCount());
  ProgressBar1.setValue(0);
}

void KeywordResearch::Command5_Click() {
  sweepStep();
}

void KeywordResearch::List1_DblClick() {
  if (List1.ListIndex() >= 0) List1.RemoveItem(List1.ListIndex());
}

std::string KeywordResearch::currentKeyword() const {
  // A keyword removed during the sweep leaves the index past the list.
  return keywordIndex < List1.ListCount() ? List1.List(keywordIndex) : std::string();
}

void KeywordResearch::sweepStep() {
  Browser& engineReader = *browsers_.WebBrowser1;
  if (engineReader.Busy()) return;
  // Passing the last engine moves to the next keyword (a loop, where the
  // step would call itself).
  while (keywordIndex < List1.ListCount() && engineIndex >= engines_.count()) {
    engineIndex = 0;
    ++keywordIndex;
  }
  if (keywordIndex >= List1.ListCount()) {
    keywordIndex = 0;
    engineIndex = 0;
    tries_ = 0;
    Timer1.setEnabled(false);
    if (onSweepOver) onSweepOver();
    return;
  }
  const std::string address = engines_.address(engineIndex, currentKeyword());
  engineReader.Navigate(address);
  StatusBar1.setPanelText(2, address);
  Timer1.setEnabled(true);
}

void KeywordResearch::WebBrowser1_DocumentComplete() {
  Timer1.setEnabled(false);
  tries_ = 0;
  CollectPageLinks(browsers_.WebBrowser1->Document().get(), currentKeyword(), List2);
  addOne(ProgressBar1);
  ++engineIndex;
  StatusBar1.setPanelText(1, " Found " + numberText(std::int64_t{List2.ListCount()}) + " links");
  sweepStep();
}

void KeywordResearch::Timer1_Timer() {
  browsers_.WebBrowser1->Stop();
  if (++tries_ >= kTriesPerEngine) engineGivenUp();
  sweepStep();
}

void KeywordResearch::engineGivenUp() {
  if (engineIndex < engines_.count()) {
    StatusBar1.setPanelText(
        1, " " + engines_.engine(engineIndex).caption + " does not answer, skipped");
  }
  tries_ = 0;
  ++engineIndex;
  addOne(ProgressBar1);
}

void KeywordResearch::Command6_Click() {
  readingAnnounced_ = false;
  ProgressBar2.setMax(List2.ListCount());
  ProgressBar2.setValue(0);
  readStep();
}

void KeywordResearch::readStep() {
  if (List2.ListCount() == 0) {
    Timer1.setEnabled(false);
    // A reader still loading keeps its watchdog, so its page cannot hang.
    if (!browsers_.WebBrowser2->Busy()) Timer2.setEnabled(false);
    if (!browsers_.WebBrowser3->Busy()) Timer3.setEnabled(false);
    // The reading is over once both readers are done; it is announced once.
    if (browsers_.WebBrowser2->Busy() || browsers_.WebBrowser3->Busy() || readingAnnounced_) {
      return;
    }
    readingAnnounced_ = true;
    dialogs_.MsgBox(kReadingDoneMessage, MessageButtons::Ok);
    ProgressBar1.setValue(0);
    ProgressBar2.setValue(0);
    if (onReadingOver) onReadingOver();
    return;
  }
  startReading(*browsers_.WebBrowser2, Timer2);
  startReading(*browsers_.WebBrowser3, Timer3);
  StatusBar1.setPanelText(
      1, "Left to read :" + numberText(std::int64_t{List2.ListCount()}) + " pages");
}

void KeywordResearch::startReading(Browser& reader, Timer& watchdog) {
  // The first reader may just have taken the last link: the second one is
  // then left alone rather than sent to an empty address.
  if (reader.Busy() || List2.ListCount() == 0) return;
  watchdog.setEnabled(true);
  const std::string address = List2.List(0);
  reader.Navigate(address);
  StatusBar1.setPanelText(2, address);
  List2.RemoveItem(0);
  addOne(ProgressBar2);
}

void KeywordResearch::harvest(const Browser& reader, Timer& watchdog) {
  const std::shared_ptr<const PageDocument> document = reader.Document();
  AddPageTitle(document.get(), List3);
  AddPageKeywords(document.get(), List5);
  AddPageDescription(document.get(), List4);
  watchdog.setEnabled(false);
  readStep();
}

void KeywordResearch::WebBrowser2_DocumentComplete() {
  harvest(*browsers_.WebBrowser2, Timer2);
}

void KeywordResearch::WebBrowser3_DocumentComplete() {
  harvest(*browsers_.WebBrowser3, Timer3);
}

void KeywordResearch::Timer2_Timer() {
  browsers_.WebBrowser2->Stop();
  readStep();
}

void KeywordResearch::Timer3_Timer() {
  browsers_.WebBrowser3->Stop();
  readStep();
}

}  // namespace vendaro
