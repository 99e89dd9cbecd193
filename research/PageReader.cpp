#include "research/PageReader.h"

#include <exception>

#include "common/NumberText.h"
#include "common/PageAnalysis.h"
#include "common/TextFile.h"
#include "platform/Text.h"
#include "research/ReportRows.h"

namespace vendaro {
namespace {

constexpr const char* kTableStart =
    "<table border='0' width='100%' cellspacing='0' cellpadding='0'>";

std::string joined(const ListControl& rows) {
  std::string text;
  for (const std::string& row : rows.items()) text += row;
  return text;
}

}  // namespace

PageReader::PageReader(MainWindowControls& main, Dialogs& dialogs, EventLoop& loop,
                       ResearchFlags& flags, Label& command1)
    : Timer3(loop, kWatchdogMs, false),
      main_(main),
      dialogs_(dialogs),
      flags_(flags),
      command1_(command1) {
  showReportList(false);
  Timer3.onTimer = [this] { Timer3_Timer(); };
  main_.WebBrowser2.browser().onNavigateComplete = [this](FrameLevel level, const std::string&) {
    if (level == FrameLevel::TopLevel) WebBrowser2_NavigateComplete();
  };
}

PageReader::~PageReader() {
  main_.WebBrowser2.browser().onNavigateComplete = nullptr;
}

void PageReader::AddPageReport(const PageDocument* document) {
  if (!document) return;
  AddTitleRow(document, main_.List3);
  AddMetaReportRows(document, main_.List3);
  AddKeywordParagraphs(document, main_.Combo1, main_.List3);
  AddMailRows(document, main_.List3);
  if (flags_.collectImages) AddImageRow(document, main_.List3);
  for (const PageFrame& frame : document->frames) AddPageReport(frame.document.get());
}

void PageReader::askCollectImages() {
  if (dialogs_.MsgBox("Would You like collect images ?", MessageButtons::YesNo, MessageIcon::None,
                      "Question???") == MessageResult::Yes) {
    flags_.collectImages = true;
  }
}

void PageReader::AddPageContacts(const PageDocument* document) {
  if (!document) return;
  askCollectImages();
  AddTitleRow(document, main_.List3);
  AddMetaReportRows(document, main_.List3);
  AddMailRows(document, main_.List3);
  AddKeywordParagraphs(document, main_.Combo1, main_.List3);
  main_.Combo1.Clear();
  if (flags_.collectImages) AddImageRow(document, main_.List3);
  flags_.collectImages = false;
}

void PageReader::addlink_Click() {
  main_.Combo1.Clear();
  for (const char* word : {"contact", "tel", "phone", "fax", "address", "(   )", "-   -"}) {
    main_.Combo1.AddItem(word);
  }
  const auto document = main_.WebBrowser1.browser().Document();
  AddPageContacts(document.get());
  if (!document) return;
  for (const PageFrame& frame : document->frames) AddPageContacts(frame.document.get());
}

void PageReader::viewreport_Click() {
  main_.listlinks.setVisible(false);
  command1_.setVisible(false);
  askCollectImages();
  if (main_.listlinks.ListCount() == 0) {
    dialogs_.MsgBox("Get links ,Please", MessageButtons::Ok, MessageIcon::None, "Question???");
    return;
  }
  main_.List4.AddItems(main_.listlinks.items());
  main_.listlinks.Clear();
  main_.List3.Clear();
  ReadNextPage();
}

void PageReader::ReadNextPage() {
  Browser& pane = main_.WebBrowser2.browser();
  if (pane.Busy()) return;
  // Only web pages are read; other addresses leave the queue unread.
  while (main_.List4.ListCount() > 0 && !text::isWebAddress(main_.List4.List(0))) {
    main_.List4.RemoveItem(0);
  }
  if (main_.List4.ListCount() == 0) return;
  const std::string address = main_.List4.List(0);
  pane.Navigate(address);
  main_.StatusBar1.setPanelText(1, address);
  Timer3.setEnabled(true);
  main_.List4.RemoveItem(0);
  main_.StatusBar1.setPanelText(
      2, "Left -" + trimmedNumberText(std::int64_t{main_.List4.ListCount()}) + "pages to read");
}

void PageReader::WebBrowser2_NavigateComplete() {
  Timer3.setEnabled(false);
  try {
    AddPageReport(main_.WebBrowser2.browser().Document().get());
  } catch (const std::exception&) {
    // A page that cannot be described adds what it gave so far.
  }
  if (main_.List4.ListCount() > 0) {
    ReadNextPage();
    return;
  }
  if (!main_.WebBrowser1.browser().Busy()) {
    writeReport();
    flags_.liveResults = false;
    flags_.collectImages = false;
  }
  stopped();
}

void PageReader::writeReport() {
  main_.WebBrowser1.browser().writeDocument(std::string("<html><body>") + kTableStart +
                                            joined(main_.List3) + "</table></body></html>");
}

void PageReader::Timer3_Timer() {
  main_.WebBrowser2.browser().Stop();
  Timer3.setEnabled(false);
  if (main_.List4.ListCount() > 0) main_.List4.RemoveItem(0);
  if (flags_.liveResults) {
    ReadNextPage();
    if (main_.WebBrowser2.browser().Busy()) return;
  }
  stopped();
}

void PageReader::stopped() {
  if (onStopped) onStopped();
}

void PageReader::readnext_Click() {
  if (main_.List4.ListCount() > 0) main_.List4.RemoveItem(0);
  ReadNextPage();
}

void PageReader::viewlinks_Click() {
  main_.WebBrowser1.browser().writeDocument(
      std::string("<html><title>Found links report</title><body>") + kTableStart +
      joined(main_.List3) + "</table></body></html>");
}

std::string PageReader::reportFileText() const {
  return "<html>\r\n\r\n<title>Report</title><body>" + joined(main_.List3) + "</body>\r\n</html>";
}

void PageReader::savereport_Click() {
  const std::string text = reportFileText();
  const char* filter =
      main_.inPrivateZone
          ? "Private collection file (*.prv)|*.prv"
          : "HTML file (*.htm;*.html)|*.htm;*.html|Text File (*.txt;*.rtf)|*.txt;*.rtf";
  const auto file = dialogs_.ShowSave("", filter);
  if (!file) return;
  // A file that cannot be written is left as it was, without a message.
  (void)writeWholeFile(*file, text + "\r\n");
}

void PageReader::showReportList(bool shown) {
  main_.List3.setVisible(shown);
  Clearalllinks.setVisible(shown);
  closel3.setVisible(shown);
}

void PageReader::listlisting_Click() {
  showReportList(true);
}

void PageReader::closel3_Click() {
  showReportList(false);
}

void PageReader::Clearalllinks_Click() {
  main_.List3.Clear();
  showReportList(false);
  main_.StatusBar1.setPanelText(2, "Buffer is clear");
}

void PageReader::List3_DblClick() {
  const int selected = main_.List3.ListIndex();
  if (selected >= 0 && selected < main_.List3.ListCount()) main_.List3.RemoveItem(selected);
}

void PageReader::stop() {
  Timer3.setEnabled(false);
  main_.WebBrowser2.browser().Stop();
}

}  // namespace vendaro
