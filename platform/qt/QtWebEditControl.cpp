#include "platform/qt/QtWebEditControl.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenu>
#include <QSaveFile>
#include <QUrl>
#include <QVariant>
#include <QWebChannel>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "platform/qt/QtEditStateBridge.h"
#include "platform/qt/QtGuard.h"

namespace vendaro {
namespace {

constexpr const char* kBridgeName = "vendaroEditState";
constexpr const char* kNewDocument = "<html><head><title></title></head><body></body></html>";
constexpr const char* kPageFilter = "Web pages (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*";
constexpr const char* kPictureFilter = "Pictures (*.gif;*.jpg;*.png)|*.gif;*.jpg;*.png|";
constexpr int kFindText = 5008;
constexpr int kFontDialog = 5009;
constexpr int kHyperlink = 5016;
constexpr int kPicture = 5017;
constexpr int kGetBlockFormat = 5011;
constexpr int kGetFontName = 5013;
constexpr int kGetFontSize = 5014;
constexpr int kInsertTable = 5022;

QString resourceText(const char* path) {
  QFile file(QString::fromLatin1(path));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

// A call of the editing script with its arguments as JSON literals.
QString scriptCall(const char* function, const QJsonArray& arguments) {
  QByteArray json = QJsonDocument(arguments).toJson(QJsonDocument::Compact);
  json.front() = '(';
  json.back() = ')';
  return QStringLiteral("vendaroEditor.") + QLatin1String(function) + QString::fromUtf8(json);
}

QString qtext(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

QtWebEditControl::QtWebEditControl(Dialogs& dialogs)
    : dialogs_(dialogs), profile_(new QWebEngineProfile), view_(new QWebEngineView) {
  liveness_->owner = this;
  page_ = new QWebEnginePage(profile_, view_);
  page_->settings()->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
  page_->settings()->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
  installEditingScript();
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(page_, &QWebEnginePage::loadFinished, view_,
                   [this](bool ok) { runGuarded([this, ok] { loadFinished(ok); }); });
  QObject::connect(view_, &QWidget::customContextMenuRequested, view_,
                   [this](const QPoint& at) { runGuarded([this, &at] { showContextMenu(at); }); });
  LoadDocument("", false);
}

QtWebEditControl::~QtWebEditControl() {
  liveness_->owner = nullptr;
  // The page goes before its profile.
  if (view_) {
    QObject::disconnect(page_, nullptr, view_, nullptr);
    delete view_.data();
  }
  delete profile_;
}

void QtWebEditControl::installEditingScript() {
  auto* bridge = new QtEditStateBridge(page_);
  bridge->onReport = [this](const QString& json) { runGuarded([this, &json] { takeState(json); }); };
  auto* channel = new QWebChannel(page_);
  channel->registerObject(QString::fromLatin1(kBridgeName), bridge);
  page_->setWebChannel(channel, QWebEngineScript::ApplicationWorld);
  QWebEngineScript script;
  script.setName(QStringLiteral("vendaro-html-editor"));
  script.setSourceCode(resourceText(":/qtwebchannel/qwebchannel.js") + QLatin1Char('\n') +
                       resourceText(":/vendaro/html-editor.js"));
  script.setInjectionPoint(QWebEngineScript::DocumentCreation);
  script.setWorldId(QWebEngineScript::ApplicationWorld);
  script.setRunsOnSubFrames(false);
  page_->scripts().insert(script);
}

void QtWebEditControl::loadFinished(bool ok) {
  if (!ok) return;
  run(viewCall("start"), true);
}

// Runs a call of the editing script; its answer is the page's state. An
// answer that arrives after another document was loaded is dropped.
void QtWebEditControl::run(const QString& call, bool completesDocument) {
  if (!page_) return;
  const std::shared_ptr<Liveness> liveness = liveness_;
  const std::uint64_t load = liveness->load;
  page_->runJavaScript(call, QWebEngineScript::ApplicationWorld,
                       [liveness, load, completesDocument](const QVariant& result) {
                         QtWebEditControl* owner = liveness->owner;
                         if (owner == nullptr || liveness->load != load || !result.isValid()) return;
                         runGuarded([&] {
                           if (completesDocument) {
                             owner->ready_ = true;
                             owner->takeState(result.toString());
                             if (owner->baselinePending_) owner->savedHtml_ = owner->html_;
                             owner->baselinePending_ = false;
                             if (owner->onDocumentComplete) owner->onDocumentComplete();
                             return;
                           }
                           owner->takeState(result.toString());
                         });
                       });
}

void QtWebEditControl::takeState(const QString& json) {
  const QJsonObject state = QJsonDocument::fromJson(json.toUtf8()).object();
  if (state.isEmpty()) return;
  const QJsonObject statuses = state.value(QStringLiteral("statuses")).toObject();
  statuses_.clear();
  for (auto it = statuses.begin(); it != statuses.end(); ++it) {
    statuses_[it.key().toInt()] = it.value().toInt();
  }
  fontName_ = state.value(QStringLiteral("fontName")).toString().toStdString();
  fontSize_ = state.value(QStringLiteral("fontSize")).toString().toStdString();
  blockFormat_ = state.value(QStringLiteral("blockFormat")).toString().toStdString();
  html_ = state.value(QStringLiteral("html")).toString().toStdString();
  if (ready_ && onDisplayChanged) onDisplayChanged();
}

std::string QtWebEditControl::ExecCommand(int id, EditPrompt prompt, const std::string& argument) {
  if (id == kGetBlockFormat) return blockFormat_;
  if (id == kGetFontName) return fontName_;
  if (id == kGetFontSize) return fontSize_;
  std::string value = argument;
  if (value.empty()) value = askForArgument(id, prompt);
  const bool needsValue = id == kFindText || id == kFontDialog || id == kHyperlink || id == kPicture;
  if (needsValue && value.empty()) return {};
  run(scriptCall("exec", {id, qtext(value)}));
  return {};
}

// The input of a command that asks the user for it, unless told not to ask.
std::string QtWebEditControl::askForArgument(int id, EditPrompt prompt) {
  if (prompt == EditPrompt::DontPrompt) return {};
  std::optional<std::string> answer;
  if (id == kHyperlink) answer = dialogs_.InputBox("Address of the link:", "Hyperlink", "http://");
  if (id == kFindText) answer = dialogs_.InputBox("Find what:", "Find Text");
  if (id == kPicture) {
    answer = dialogs_.ShowOpen("Picture", kPictureFilter);
    if (answer && !answer->empty()) {
      answer = QUrl::fromLocalFile(qtext(*answer)).toString().toStdString();
    }
  }
  if (id == kFontDialog && view_) {
    bool chosen = false;
    const QFont font = QFontDialog::getFont(&chosen, view_);
    if (chosen) answer = font.family().toStdString();
  }
  return answer.value_or(std::string());
}

void QtWebEditControl::InsertTable(const InsertTableParam& table) {
  const QJsonObject parameters{{"NumRows", table.NumRows},
                               {"NumCols", table.NumCols},
                               {"TableAttrs", qtext(table.TableAttrs)},
                               {"CellAttrs", qtext(table.CellAttrs)},
                               {"Caption", qtext(table.Caption)}};
  const QString json = QString::fromUtf8(QJsonDocument(parameters).toJson(QJsonDocument::Compact));
  run(scriptCall("exec", {kInsertTable, json}));
}

std::vector<std::string> QtWebEditControl::BlockFormatNames() const {
  return {"Normal",         "Formatted",     "Address",        "Heading 1",
          "Heading 2",      "Heading 3",     "Heading 4",      "Heading 5",
          "Heading 6",      "Numbered List", "Bulleted List",  "Directory List",
          "Menu List",      "Definition Term", "Definition",   "Paragraph"};
}

int QtWebEditControl::QueryStatus(int id) const {
  const auto found = statuses_.find(id);
  return found == statuses_.end() ? 0 : found->second;
}

void QtWebEditControl::LoadDocument(const std::string& path, bool prompt) {
  if (!page_) return;
  std::string file = path;
  if (file.empty() && prompt) {
    const std::optional<std::string> chosen = dialogs_.ShowOpen("Open", kPageFilter);
    if (!chosen || chosen->empty()) return;
    file = *chosen;
  }
  if (!file.empty() && !QFileInfo(qtext(file)).isFile()) {
    dialogs_.MsgBox("The page " + file + " cannot be read.", MessageButtons::Ok,
                    MessageIcon::Exclamation);
    return;
  }
  ++liveness_->load;
  ready_ = false;
  path_ = file;
  baselinePending_ = true;
  if (file.empty()) {
    html_ = savedHtml_ = kNewDocument;
    page_->setHtml(QString::fromLatin1(kNewDocument), QUrl(QStringLiteral("about:blank")));
  } else {
    html_ = savedHtml_ = {};
    page_->load(QUrl::fromLocalFile(qtext(file)));
  }
}

// The page is written whole: into a temporary file beside the target,
// renamed over it only when everything was written.
bool QtWebEditControl::SaveDocument(const std::string& path, bool prompt) {
  std::string file = path;
  if (file.empty()) {
    if (!prompt) return false;
    const std::optional<std::string> chosen = dialogs_.ShowSave("Save As", kPageFilter, "page.htm");
    if (!chosen || chosen->empty()) return false;
    file = *chosen;
  }
  QSaveFile out(qtext(file));
  const QByteArray content = QByteArray::fromStdString(html_);
  if (!out.open(QIODevice::WriteOnly) || out.write(content) != content.size() || !out.commit()) {
    dialogs_.MsgBox("The page could not be saved to " + file + ": " + out.errorString().toStdString(),
                    MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
  }
  path_ = file;
  savedHtml_ = html_;
  return true;
}

void QtWebEditControl::setDocumentHTML(const std::string& html) {
  if (!page_) return;
  ++liveness_->load;
  ready_ = false;
  html_ = html;
  const QUrl base = path_.empty() ? QUrl(QStringLiteral("about:blank"))
                                  : QUrl::fromLocalFile(qtext(path_));
  page_->setHtml(qtext(html), base);
}

void QtWebEditControl::PasteHTML(const std::string& html) {
  run(scriptCall("pasteHtml", {qtext(html)}));
}

QString QtWebEditControl::viewCall(const char* function) const {
  return scriptCall(function, {borders_, details_, snap_});
}

void QtWebEditControl::setShowDetails(bool show) {
  details_ = show;
  run(viewCall("setView"));
}

void QtWebEditControl::setShowBorders(bool show) {
  borders_ = show;
  run(viewCall("setView"));
}

void QtWebEditControl::setSnapToGrid(bool snap) {
  snap_ = snap;
  run(viewCall("setView"));
}

// The state is read again first, so the menu fits where the click put the caret.
void QtWebEditControl::showContextMenu(const QPoint& position) {
  if (!page_) return;
  const std::shared_ptr<Liveness> liveness = liveness_;
  page_->runJavaScript(QStringLiteral("vendaroEditor.state()"), QWebEngineScript::ApplicationWorld,
                       [liveness, position](const QVariant& result) {
                         QtWebEditControl* owner = liveness->owner;
                         if (owner == nullptr) return;
                         runGuarded([&] {
                           owner->takeState(result.toString());
                           owner->popUpMenu(position);
                         });
                       });
}

void QtWebEditControl::popUpMenu(const QPoint& position) {
  if (!view_ || !onShowContextMenu) return;
  menu_.clear();
  onShowContextMenu();
  QMenu menu(view_);
  for (std::size_t i = 0; i < menu_.size(); ++i) {
    if (menu_[i].caption.empty()) {
      menu.addSeparator();
      continue;
    }
    QAction* action = menu.addAction(qtext(menu_[i].caption));
    action->setEnabled(menu_[i].state != 2);
    action->setData(static_cast<int>(i));
  }
  QAction* chosen = menu.exec(view_->mapToGlobal(position));
  if (chosen != nullptr && onContextMenuAction) onContextMenuAction(chosen->data().toInt());
}

}  // namespace vendaro
