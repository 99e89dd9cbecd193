#include "platform/qt/QtWebBrowser.h"

#include <QFile>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QString>
#include <QVariant>
#include <QWebChannel>
#include <QWebEngineHistory>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <utility>

#include "platform/qt/QtDocumentEventBridge.h"
#include "platform/qt/QtGuard.h"
#include "platform/qt/SnapshotReader.h"

namespace vendaro {
namespace {

// setHtml hands the text to the engine as a percent-encoded data address,
// which fails above 2 MiB; texts that may grow past that are written by script.
constexpr std::size_t kDataAddressLimit = 2 * 1024 * 1024;
constexpr const char* kBlankAddress = "about:blank";
constexpr const char* kEmptyPage = "<html><head></head><body></body></html>";
constexpr const char* kEventObjectName = "vendaroDocumentEvents";

std::string text(const QUrl& url) {
  return url.toString().toStdString();
}

QString resourceText(const char* path) {
  QFile file(QString::fromLatin1(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// The length of `html` once percent-encoded: bytes other than unreserved
// ASCII take three characters.
std::size_t encodedLength(const std::string& html) {
  std::size_t length = 0;
  for (unsigned char c : html) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       c == '-' || c == '.' || c == '_' || c == '~';
    length += plain ? 1 : 3;
  }
  return length;
}

// `html` as a JavaScript argument list: a JSON array text is a valid literal.
QString argumentList(const std::string& html) {
  const QJsonArray arguments{QString::fromStdString(html)};
  QByteArray json = QJsonDocument(arguments).toJson(QJsonDocument::Compact);
  json.front() = '(';
  json.back() = ')';
  return QString::fromUtf8(json);
}

std::string suggestedName(const QUrl& url) {
  const QString name = url.fileName();
  return name.isEmpty() ? std::string("page.htm") : name.toStdString();
}

}  // namespace

QtWebBrowser::QtWebBrowser(QWebEngineProfile& profile) : view_(new QWebEngineView) {
  state_->owner = this;
  page_ = new QtWebPage(&profile, view_);
  installDocumentEvents();
  view_->setPage(page_);
  connectPage();
  chooseSaveFile = [this](const std::string& suggested) {
    return QFileDialog::getSaveFileName(view_, QString(), QString::fromStdString(suggested))
        .toStdString();
  };
  setUpPrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, view_);
    return dialog.exec() == QDialog::Accepted;
  };
}

QtWebBrowser::~QtWebBrowser() {
  // Script results that arrive later find no pane to report to.
  state_->owner = nullptr;
  if (!view_) return;
  // No event reaches the owner while the view and its page go away.
  QObject::disconnect(page_, nullptr, view_, nullptr);
  delete view_.data();
}

void QtWebBrowser::connectPage() {
  page_->setNavigationFilter([this](const QUrl& url) { return allowNavigation(url); });
  // The page may go with its view before this pane does (the window that
  // holds the view is destroyed); its last script answers are not reported.
  page_->onDestroying = [state = state_] { state->owner = nullptr; };
  // Every page signal reaches model code; runGuarded keeps its errors out of Qt.
  QObject::connect(page_, &QWebEnginePage::loadStarted, view_,
                   [this] { runGuarded([this] { loadStarted(); }); });
  QObject::connect(page_, &QWebEnginePage::urlChanged, view_,
                   [this](const QUrl& url) { runGuarded([this, &url] { urlChanged(url); }); });
  QObject::connect(page_, &QWebEnginePage::loadFinished, view_,
                   [this] { runGuarded([this] { loadFinished(); }); });
  QObject::connect(page_, &QWebEnginePage::titleChanged, view_, [this](const QString& title) {
    if (onTitleChange) runGuarded([this, &title] { onTitleChange(title.toStdString()); });
  });
}

// The event script and the channel it reports through live in the
// application world, out of reach of the page's own scripts.
void QtWebBrowser::installDocumentEvents() {
  auto* bridge = new QtDocumentEventBridge(page_);
  bridge->onEvent = [this](const DocumentEvent& event) {
    if (onDocumentEvent) runGuarded([this, &event] { onDocumentEvent(event); });
  };
  channel_ = new QWebChannel(page_);
  channel_->registerObject(QString::fromLatin1(kEventObjectName), bridge);
  page_->setWebChannel(channel_, QWebEngineScript::ApplicationWorld);

  QWebEngineScript script;
  script.setName(QStringLiteral("vendaro-document-events"));
  script.setSourceCode(resourceText(":/qtwebchannel/qwebchannel.js") + QLatin1Char('\n') +
                       resourceText(":/vendaro/document-events.js"));
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(false);
  page_->scripts().insert(script);
}

bool QtWebBrowser::allowNavigation(const QUrl& url) {
  // Written documents are not navigations of the user's.
  if (url.scheme() == QStringLiteral("data") || !onBeforeNavigate) return true;
  bool cancel = false;
  runGuarded([&] { onBeforeNavigate(text(url), cancel); });
  // A refused request starts no load.
  if (cancel) busy_ = false;
  return !cancel;
}

void QtWebBrowser::loadStarted() {
  busy_ = true;
  navigateReported_ = false;
  document_.reset();
  ++state_->generation;
}

void QtWebBrowser::urlChanged(const QUrl& url) {
  if (url.isEmpty()) return;
  reportNavigateComplete(url);
}

void QtWebBrowser::clearHistory() {
  if (!page_) return;
  page_->history()->clear();
  // A document written just before may not have started loading yet.
  clearHistoryAfterLoad_ = true;
}

void QtWebBrowser::loadFinished() {
  if (pendingWrite_) {
    // The empty page that receives a large text has loaded: write the text,
    // then report the written document as the completed page.
    const QString call = resourceText(":/vendaro/write-document.js") + argumentList(*pendingWrite_);
    pendingWrite_.reset();
    runScript(call, [this](const QVariant&) { loadFinished(); });
    return;
  }
  busy_ = false;
  if (clearHistoryAfterLoad_) {
    clearHistoryAfterLoad_ = false;
    page_->history()->clear();
  }
  // A reload or a new load of the same address does not change the URL; its
  // navigate-complete event still comes before the completion events.
  if (!navigateReported_) reportNavigateComplete(page_->url());
  const std::uint64_t generation = state_->generation;
  if (onDownloadComplete) onDownloadComplete();
  // The handler may have started another load; this one then ends here.
  if (generation == state_->generation) takeSnapshot();
}

void QtWebBrowser::reportNavigateComplete(const QUrl& url) {
  navigateReported_ = true;
  if (onNavigateComplete) onNavigateComplete(FrameLevel::TopLevel, text(url));
}

void QtWebBrowser::runScript(const QString& source, std::function<void(const QVariant&)> done) {
  if (!page_) return;
  const std::shared_ptr<LoadState> state = state_;
  const std::uint64_t generation = state->generation;
  page_->runJavaScript(source, QWebEngineScript::ApplicationWorld,
                       [state, generation, done = std::move(done)](const QVariant& result) {
                         if (state->owner != nullptr && state->generation == generation) {
                           runGuarded([&] { done(result); });
                         }
                       });
}

void QtWebBrowser::takeSnapshot() {
  runScript(resourceText(":/vendaro/page-snapshot.js"),
            [this](const QVariant& result) { snapshotTaken(result); });
}

void QtWebBrowser::snapshotTaken(const QVariant& result) {
  document_ = SnapshotReader::read(result.toString().toUtf8());
  const std::uint64_t generation = state_->generation;
  const std::string address = text(page_->url());
  if (document_) {
    for (const std::string& frame : SnapshotReader::readableFrameAddresses(*document_)) {
      if (onDocumentComplete) onDocumentComplete(FrameLevel::Frame, frame);
      if (generation != state_->generation) return;
    }
  }
  if (onDocumentComplete) onDocumentComplete(FrameLevel::TopLevel, address);
}

void QtWebBrowser::Navigate(const std::string& address) {
  if (!view_) return;
  // Busy from the request on, as the other browsers are: the engine starts
  // the load a moment later.
  busy_ = true;
  view_->load(QUrl::fromUserInput(QString::fromStdString(address)));
}

void QtWebBrowser::GoBack() {
  if (view_) view_->back();
}

void QtWebBrowser::GoForward() {
  if (view_) view_->forward();
}

void QtWebBrowser::Stop() {
  if (view_) view_->stop();
}

void QtWebBrowser::Refresh() {
  if (view_) view_->reload();
}

std::string QtWebBrowser::LocationURL() const {
  return view_ ? text(view_->url()) : std::string();
}

std::string QtWebBrowser::LocationName() const {
  if (!view_) return {};
  const QString title = view_->title();
  return title.isEmpty() ? text(view_->url()) : title.toStdString();
}

void QtWebBrowser::openDocument() {
  openDocument_.emplace();
}

void QtWebBrowser::appendToDocument(const std::string& html) {
  if (!openDocument_) openDocument();
  openDocument_->append(html);
}

void QtWebBrowser::closeDocument() {
  if (!openDocument_) return;
  const std::string html = std::move(*openDocument_);
  openDocument_.reset();
  showDocument(html);
}

void QtWebBrowser::showDocument(const std::string& html) {
  if (!view_) return;
  const QUrl address = writtenDocumentAddress();
  if (encodedLength(html) + address.toEncoded().size() < kDataAddressLimit) {
    pendingWrite_.reset();
    view_->setHtml(QString::fromStdString(html), address);
  } else {
    writeLargeDocument(html, address);
  }
}

// The written document keeps the address of the page it replaces, so its
// relative links resolve as they did there. A pane that has shown no page
// yet writes at about:blank, as the page loader does; the engine would
// otherwise take the data address of the whole text as the page's address.
QUrl QtWebBrowser::writtenDocumentAddress() const {
  const QUrl shown = view_->url();
  if (shown.isEmpty() || shown.scheme() == QStringLiteral("data")) {
    return QUrl(QString::fromLatin1(kBlankAddress));
  }
  return shown;
}

void QtWebBrowser::writeLargeDocument(const std::string& html, const QUrl& address) {
  view_->setHtml(QString::fromLatin1(kEmptyPage), address);
  // Set after setHtml: the load it starts must not drop the text.
  pendingWrite_ = html;
}

void QtWebBrowser::execCommand(BrowserCommand command) {
  if (!view_) return;
  switch (command) {
    case BrowserCommand::SaveAs:
      saveAs();
      break;
    case BrowserCommand::Print:
      print();
      break;
    case BrowserCommand::PageSetup:
      pageSetup();
      break;
    case BrowserCommand::Copy:
      page_->triggerAction(QWebEnginePage::Copy);
      break;
    case BrowserCommand::SelectAll:
      page_->triggerAction(QWebEnginePage::SelectAll);
      break;
  }
}

void QtWebBrowser::saveAs() {
  if (!chooseSaveFile) return;
  const std::string path = chooseSaveFile(suggestedName(view_->url()));
  if (path.empty()) return;
  page_->save(QString::fromStdString(path), QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
}

void QtWebBrowser::print() {
  if (setUpPrinter && setUpPrinter(printer())) view_->print(&printer());
}

void QtWebBrowser::pageSetup() {
  QPageSetupDialog dialog(&printer(), view_);
  dialog.exec();
}

QPrinter& QtWebBrowser::printer() {
  // One printer per pane keeps the page setup for the next print.
  if (!printer_) printer_ = std::make_unique<QPrinter>();
  return *printer_;
}

}  // namespace vendaro
