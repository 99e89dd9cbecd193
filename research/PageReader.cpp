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

PageReader::PageReader(const ResearchPorts& ports, Dialogs& dialogs, EventLoop& loop,
                       ResearchFlags& flags, Label& command1)
    : saved_(ports.saved),
      lists_(ports.lists),
      status_(ports.status),
      panes_(ports.panes),
      keywords_(ports.keywords),
      zone_(ports.zone),
      dialogs_(dialogs),
      flags_(flags),
      command1_(command1),
      reading_(loop, ports.hidden.WebBrowser2, flags) {
  showReportList(false);
  ReportReadingEvents& events = reading_.events;
  // List4 shows the queue; whoever empties it empties the queue.
  events.loading = [this](const std::string& address, std::size_t left) {
    if (lists_.List4.ListCount() > 0) lists_.List4.RemoveItem(0);
    status_.show(1, address);
    status_.show(2,
                 "Left -" + trimmedNumberText(static_cast<std::int64_t>(left)) + "pages to read");
  };
  events.dropped = [this] {
    if (lists_.List4.ListCount() > 0) lists_.List4.RemoveItem(0);
  };
  events.pageRead = [this](const PageDocument* page) { describe(page); };
  events.complete = [this] { complete(); };
  events.stopped = [this] {
    if (onStopped) onStopped();
  };
  queueListener_ = lists_.List4.addListener([this] {
    if (lists_.List4.ListCount() == 0) reading_.clearQueue();
  });
}

PageReader::~PageReader() {
  lists_.List4.removeListener(queueListener_);
}

void PageReader::describe(const PageDocument* page) {
  std::vector<std::string> rows;
  AddPageReport(page, keywords_.items(), flags_.collectImages, rows);
  if (!rows.empty()) lists_.List3.AddItems(std::move(rows));
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
  AddKeywordParagraphs(document, keywords_.items(), rows);
  keywords_.Clear();
  if (flags_.collectImages) AddImageRow(document, rows);
  flags_.collectImages = false;
  lists_.List3.AddItems(std::move(rows));
}

void PageReader::addlink_Click() {
  keywords_.Clear();
  for (const char* word : {"contact", "tel", "phone", "fax", "address", "(   )", "-   -"}) {
    keywords_.AddItem(word);
  }
  const auto document = panes_.WebBrowser1.browser().Document();
  AddPageContacts(document.get());
  if (!document) return;
  for (const PageFrame& frame : document->frames) AddPageContacts(frame.document.get());
}

void PageReader::viewreport_Click() {
  saved_.listlinks.setVisible(false);
  command1_.setVisible(false);
  askCollectImages();
  if (saved_.listlinks.ListCount() == 0) {
    dialogs_.MsgBox("Get links ,Please", MessageButtons::Ok, MessageIcon::None, "Question???");
    return;
  }
  std::vector<std::string> addresses = saved_.listlinks.items();
  lists_.List4.AddItems(addresses);
  saved_.listlinks.Clear();
  lists_.List3.Clear();
  reading_.read(std::move(addresses));
}

void PageReader::ReadNextPage() {
  reading_.next();
}

void PageReader::complete() {
  if (!panes_.WebBrowser1.browser().Busy()) {
    writeReport();
    flags_.liveResults = false;
    flags_.collectImages = false;
  }
}

void PageReader::writeReport() {
  panes_.WebBrowser1.browser().writeDocument(std::string("<html><body>") + kTableStart +
                                             joined(lists_.List3) + "</table></body></html>");
}

void PageReader::readnext_Click() {
  reading_.skipNext();
}

void PageReader::viewlinks_Click() {
  panes_.WebBrowser1.browser().writeDocument(
      std::string("<html><title>Found links report</title><body>") + kTableStart +
      joined(lists_.List3) + "</table></body></html>");
}

std::string PageReader::reportFileText() const {
  return vendaro::reportFileText(lists_.List3.items());
}

void PageReader::savereport_Click() {
  const std::string text = reportFileText();
  const char* filter =
      zone_.inPrivateZone
          ? "Private collection file (*.prv)|*.prv"
          : "HTML file (*.htm;*.html)|*.htm;*.html|Text File (*.txt;*.rtf)|*.txt;*.rtf";
  const auto file = dialogs_.ShowSave("", filter);
  if (!file) return;
  // A file that cannot be written is left as it was, without a message.
  (void)writeWholeFile(*file, text + "\r\n");
}

void PageReader::showReportList(bool shown) {
  lists_.List3.setVisible(shown);
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
  lists_.List3.Clear();
  showReportList(false);
  status_.show(2, "Buffer is clear");
}

void PageReader::List3_DblClick() {
  const int selected = lists_.List3.ListIndex();
  if (selected >= 0 && selected < lists_.List3.ListCount()) lists_.List3.RemoveItem(selected);
}

void PageReader::stop() {
  reading_.stop();
}

}  // namespace vendaro
