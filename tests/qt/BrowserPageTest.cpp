#include <QWebEngineProfile>
#include <memory>
#include <string>
#include <vector>

#include "platform/html/HtmlParser.h"
#include "platform/qt/QtWebBrowser.h"
#include "tests/qt/GuiTest.h"
#include "tests/support/LocalHttpServer.h"

namespace vendaro {
namespace {


// The pages every snapshot is compared on: the parser must give the same document.
// Not among them: a <select> list. Chromium's innerText of an element holding
// one includes the option texts, while the parser leaves them out; the
// snapshot keeps what the browser shows (the select itself has no text in both).
struct ContractPage {
  const char* path;
  const char* html;
};

const ContractPage kContractPages[] = {
    {"/messy.htm",
     "<HTML><HEAD><TITLE>  Messy \n page </TITLE></HEAD><BODY BGCOLOR=white>"
     "<P>One<P>Two <B>bold<I>both</B> italic</I><UL><LI>a<LI>b</UL>"
     "<A HREF=x.htm NAME=n1 ID=i1>Link  \n text</A><a href='/abs/y.htm?q=1#f'></a>"
     "<TABLE><TR><TD>c1<TD>c2<TR><TD>c3</TABLE><DIV>unclosed"},
    {"/meta.htm",
     "<html><head><title>Meta</title><meta name='description' content='head meta'></head>"
     "<body><meta name=\"keywords\" content=\"k1, k2\"><p>text</p></body></html>"},
    {"/images.htm",
     "<html><body><a href='/img.htm'><img src='pic.gif' alt='Pic'></a>"
     "<img src='http://other.example/x.png'><map name=m><area "
     "href='area.htm'></map></body></html>"},
    {"/script.htm",
     "<html><head><script>var s = \"<a href='fake.htm'>fake</a>\";</script></head>"
     "<body><script>document.title;</script><a href=\"real.htm\">real</a></body></html>"},
    {"/visible.htm",
     "<html><body><div>  spaced&nbsp;&nbsp;out  </div><style>p { color: red }</style>"
     "<noscript>no script</noscript><p hidden>hid<b>den</b></p>"
     "<textarea>t</textarea>one<br>line<span>a</span><span>b</span>"
     "<h1>Head</h1>tail<pre>  pre\n  text </pre><button>Press</button></body></html>"},
    {"/frameset.htm",
     "<html><head><title>Frames</title></head><frameset cols='50%,50%'>"
     "<frame name=left src='meta.htm'><frame name=right src='images.htm'></frameset></html>"},
};

// One line per field, element, link, image and frame of a document.
std::vector<std::string> outline(const PageDocument& d) {
  std::vector<std::string> lines{"url " + d.url, "title [" + d.title + "]", "domain " + d.domain,
                                 "body " + d.bodyTagName};
  for (const PageElement& e : d.all) {
    lines.push_back("element " + e.tagName + " text=[" + e.outerText + "] id=" + e.id + " name=" +
                    e.name + " content=" + e.content + " href=" + e.href + " src=" + e.src);
  }
  for (const auto& link : d.links)
    lines.push_back("link " + link.href + " [" + link.outerText + "]");
  for (const auto& image : d.images) lines.push_back("image " + image.src + " alt=" + image.alt);
  for (const auto& frame : d.frames) lines.push_back("frame " + frame.name + " " + frame.src);
  return lines;
}

// Compares two documents; the message names the first difference.
std::string difference(const PageDocument& browser, const PageDocument& parser) {
  const auto a = outline(browser), b = outline(parser);
  const auto [x, y] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (x == a.end() && y == b.end()) return {};
  return (x == a.end() ? "(nothing)" : *x) + " vs " + (y == b.end() ? "(nothing)" : *y);
}

// A pane on screen, with the completion events it raised.
struct Pane {
  QWebEngineProfile profile;
  QtWebBrowser browser{profile};
  std::vector<std::string> completed;  // "frame ADDRESS" or "page ADDRESS"
  bool documentReadyInHandler = true;

  Pane() {
    browser.widget()->resize(800, 600);
    browser.widget()->show();
    browser.onDocumentComplete = [this](FrameLevel level, const std::string& address) {
      completed.push_back((level == FrameLevel::Frame ? "frame " : "page ") + address);
      if (!browser.Document()) documentReadyInHandler = false;
    };
  }

  bool pageCompleted() const { return !completed.empty() && completed.back().starts_with("page "); }

  void load(const std::string& address) {
    completed.clear();
    browser.Navigate(address);
  }
};

}  // namespace

class BrowserPageTest : public QObject {
  Q_OBJECT

 public:
  static void initMain() { testing::startWebGuiTest(); }

 private slots:
  void snapshotAgreesWithTheParser();
  void sameOriginFramesAreReadAndOthersAreNot();
  void reportsMouseAndClickEventsOfElements();
  void appendedPiecesBecomeOneDocument();
};

void BrowserPageTest::snapshotAgreesWithTheParser() {
  testing::LocalHttpServer server;
  for (const ContractPage& page : kContractPages) server.page(page.path, page.html);
  Pane pane;
  for (const ContractPage& page : kContractPages) {
    const std::string address = server.url(page.path);
    pane.load(address);
    QTRY_VERIFY_WITH_TIMEOUT(pane.pageCompleted(), kPageLoadTimeoutMs);
    const std::shared_ptr<const PageDocument> snapshot = pane.browser.Document();
    QVERIFY(snapshot);
    const PageDocument parsed = parseHtmlPage(page.html, address);
    const std::string found = difference(*snapshot, parsed);
    if (!found.empty()) QFAIL((std::string(page.path) + ": " + found).c_str());
    // The frames' own documents agree too.
    for (const PageFrame& frame : snapshot->frames) {
      QVERIFY(frame.document);
      const std::string framePath = frame.src.substr(frame.src.rfind('/'));
      const auto source = std::find_if(std::begin(kContractPages), std::end(kContractPages),
                                       [&](const ContractPage& p) { return p.path == framePath; });
      const std::string inFrame =
          difference(*frame.document, parseHtmlPage(source->html, frame.src));
      if (!inFrame.empty()) QFAIL((framePath + " in a frame: " + inFrame).c_str());
    }
  }
}

void BrowserPageTest::sameOriginFramesAreReadAndOthersAreNot() {
  testing::LocalHttpServer server;
  // The page is read as localhost; 127.0.0.1 is the same server but another origin.
  const std::string local = "http://localhost:" + std::to_string(server.port());
  server.page("/inner.htm", "<html><body><a href='deep.htm'>Deep link</a></body></html>");
  server.page("/middle.htm", "<html><body><iframe src='inner.htm'></iframe></body></html>");
  server.page("/other.htm", "<html><body><a href='x.htm'>Other</a></body></html>");
  server.page("/top.htm",
              "<html><head><title>Top</title></head><body><iframe name=same src='middle.htm'>"
              "</iframe><iframe name=foreign src='" +
                  server.url("/other.htm") + "'></iframe></body></html>");
  Pane pane;
  pane.load(local + "/top.htm");
  QTRY_VERIFY_WITH_TIMEOUT(pane.pageCompleted(), kPageLoadTimeoutMs);

  const auto document = pane.browser.Document();
  QVERIFY(document);
  QCOMPARE(document->domain, std::string("localhost"));
  QCOMPARE(document->frames.size(), std::size_t{2});
  const PageFrame& same = document->frames[0];
  QCOMPARE(same.name, std::string("same"));
  QVERIFY(same.document);
  QCOMPARE(same.document->frames.size(), std::size_t{1});
  const auto inner = same.document->frames[0].document;
  QVERIFY(inner);
  QCOMPARE(inner->links.size(), std::size_t{1});
  QCOMPARE(inner->links[0].href, local + "/deep.htm");
  QCOMPARE(inner->links[0].outerText, std::string("Deep link"));
  QCOMPARE(document->frames[1].name, std::string("foreign"));
  QVERIFY(!document->frames[1].document);

  // Readable frames complete first, inner ones before the frame holding them,
  // and the snapshot is there when the handlers run.
  const std::vector<std::string> expected{"frame " + local + "/inner.htm",
                                          "frame " + local + "/middle.htm",
                                          "page " + local + "/top.htm"};
  QCOMPARE(pane.completed, expected);
  QVERIFY(pane.documentReadyInHandler);
}

void BrowserPageTest::reportsMouseAndClickEventsOfElements() {
  testing::LocalHttpServer server;
  server.page("/events.htm",
              "<html><body><a id=link href='target.htm' onclick='return false'>Go</a>"
              "<img id=pic src='pic.gif'></body></html>");
  Pane pane;
  std::vector<DocumentEvent> events;
  pane.browser.onDocumentEvent = [&](const DocumentEvent& event) { events.push_back(event); };
  pane.load(server.url("/events.htm"));
  QTRY_VERIFY_WITH_TIMEOUT(pane.pageCompleted(), kPageLoadTimeoutMs);

  // Events raised by the page's own script reach the pane as the user's would.
  QWebEnginePage* page = qobject_cast<QWebEngineView*>(pane.browser.widget())->page();
  page->runJavaScript(
      "document.getElementById('pic').dispatchEvent(new MouseEvent('mouseover', {bubbles: true}));"
      "document.getElementById('link').click();");
  QTRY_COMPARE_WITH_TIMEOUT(events.size(), std::size_t{2}, kPageLoadTimeoutMs);
  QCOMPARE(events[0].kind, DocumentEvent::Kind::MouseOver);
  QCOMPARE(events[0].tagName, std::string("IMG"));
  QCOMPARE(events[0].src, server.url("/pic.gif"));
  QCOMPARE(events[1].kind, DocumentEvent::Kind::Click);
  QCOMPARE(events[1].tagName, std::string("A"));
  QCOMPARE(events[1].href, server.url("/target.htm"));
}

void BrowserPageTest::appendedPiecesBecomeOneDocument() {
  // Written before the pane has shown any page: a report of about 3 MiB, past
  // what a data address can carry, in pieces that cut tags and texts.
  Pane pane;
  pane.browser.appendToDocument("<html><head><title>Sales");
  pane.browser.appendToDocument(" report</title></head><body>");
  for (int row = 0; row < 60000; ++row) {
    const std::string number = std::to_string(row);
    pane.browser.appendToDocument("<p><a href='http://x.example/" + number + "'>Order ");
    pane.browser.appendToDocument(number + "</a></p>");
  }
  pane.browser.appendToDocument("</body></html>");
  pane.browser.closeDocument();
  QTRY_VERIFY_WITH_TIMEOUT(pane.pageCompleted(), kPageLoadTimeoutMs);
  // A pane that showed no page before writes at about:blank, as the page loader does.
  QCOMPARE(pane.completed, std::vector<std::string>{"page about:blank"});
  QCOMPARE(pane.browser.LocationURL(), std::string("about:blank"));
  const auto document = pane.browser.Document();
  QVERIFY(document);
  QCOMPARE(document->title, std::string("Sales report"));
  QCOMPARE(document->links.size(), std::size_t{60000});
  QCOMPARE(document->links.front().outerText, std::string("Order 0"));
  QCOMPARE(document->links.back().href, std::string("http://x.example/59999"));

  // Opening again drops what was not closed; the next document completes
  // after the first one and neither completes twice.
  pane.browser.openDocument();
  pane.browser.appendToDocument("<title>Dropped</title>");
  pane.browser.openDocument();
  pane.browser.appendToDocument("<title>Second</title>Second text");
  pane.browser.closeDocument();
  pane.browser.closeDocument();
  QTRY_COMPARE_WITH_TIMEOUT(pane.completed.size(), std::size_t{2}, kPageLoadTimeoutMs);
  QCOMPARE(pane.completed.back(), std::string("page about:blank"));
  QCOMPARE(pane.browser.Document()->title, std::string("Second"));
  QVERIFY(pane.documentReadyInHandler);

  // "Select all" selects the text of the written document.
  pane.browser.execCommand(BrowserCommand::SelectAll);
  QWebEnginePage* page = qobject_cast<QWebEngineView*>(pane.browser.widget())->page();
  QTRY_COMPARE_WITH_TIMEOUT(page->selectedText().trimmed(), QStringLiteral("Second text"),
                            kPageLoadTimeoutMs);
}

}  // namespace vendaro

QTEST_MAIN(vendaro::BrowserPageTest)
#include "BrowserPageTest.moc"
