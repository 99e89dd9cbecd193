#include "research/PageReader.h"

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
    : main_(main),
      dialogs_(dialogs),
      flags_(flags),
      command1_(command1),
      reading_(loop, main.WebBrowser2.browser(), flags) {
  showReportList(false);
  ReportReadingEvents& events = reading_.events;
  // List4 shows the queue; whoever empties it empties the queue.
  events.loading = [this](const std::string& address, std::size_t left) {
    if (main_.List4.ListCount() > 0) main_.List4.RemoveItem(0);
    main_.StatusBar1.setPanelText(1, address);
    main_.StatusBar1.setPanelText(
        2, "Left -" + trimmedNumberText(static_cast<std::int64_t>(left)) + "pages to read");
  };
  events.dropped = [this] {
    if (main_.List4.ListCount() > 0) main_.List4.RemoveItem(0);
  };
  events.pageRead = [this](const PageDocument* page) { describe(page); };
  events.complete = [this] { complete(); };
  events.stopped = [this] {
    if (onStopped) onStopped();
  };
  queueListener_ = main_.List4.addListener([this] {
    if (main_.List4.ListCount() == 0) reading_.clearQueue();
  });
}

PageReader::~PageReader() {
  main_.List4.removeListener(queueListener_);
}

void PageReader::describe(const PageDocument* page) {
  std::vector<std::string> rows;
  AddPageReport(page, main_.Combo1.items(), flags_.collectImages, rows);
  if (!rows.empty()) main_.List3.AddItems(std::move(rows));
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
  std::vector<std::string> rows;
  AddTitleRow(document, rows);
  AddMetaReportRows(document, rows);
  AddMailRows(document, rows);
  AddKeywordParagraphs(document, main_.Combo1.items(), rows);
  main_.Combo1.Clear();
  if (flags_.collectImages) AddImageRow(document, rows);
  flags_.collectImages = false;
  main_.List3.AddItems(std::move(rows));
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
  std::vector<std::string> addresses = main_.listlinks.items();
  main_.List4.AddItems(addresses);
  main_.listlinks.Clear();
  main_.List3.Clear();
  reading_.read(std::move(addresses));
}

void PageReader::ReadNextPage() {
  reading_.next();
}

void PageReader::complete() {
  if (!main_.WebBrowser1.browser().Busy()) {
    writeReport();
    flags_.liveResults = false;
    flags_.collectImages = false;
  }
}

void PageReader::writeReport() {
  main_.WebBrowser1.browser().writeDocument(std::string("<html><body>") + kTableStart +
                                            joined(main_.List3) + "</table></body></html>");
}

void PageReader::readnext_Click() {
  reading_.skipNext();
}

void PageReader::viewlinks_Click() {
  main_.WebBrowser1.browser().writeDocument(
      std::string("<html><title>Found links report</title><body>") + kTableStart +
      joined(main_.List3) + "</table></body></html>");
}

std::string PageReader::reportFileText() const {
  return vendaro::reportFileText(main_.List3.items());
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
  reading_.stop();
}

}  // namespace vendaro
