#pragma once

#include <QPointer>
#include <QString>
#include <QWebEngineView>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/HtmlEditControl.h"

class QPoint;
class QVariant;
class QWebEnginePage;
class QWebEngineProfile;

namespace vendaro {

// The web editor's editing surface over a Qt WebEngine page in design mode.
// The editing script (resources/html-editor.js) runs the numbered commands
// and reports the page's state after every command and on every selection
// or content change; the state is kept here, so QueryStatus, the getter
// commands and DocumentHTML answer at once. Commands run in the order they
// are given. Prompts (file, address, search text) go through `dialogs`,
// the font dialog is Qt's. The page has its own off-the-record profile.
class QtWebEditControl : public HtmlEditControl {
 public:
  explicit QtWebEditControl(Dialogs& dialogs);
  QtWebEditControl(const QtWebEditControl&) = delete;
  QtWebEditControl& operator=(const QtWebEditControl&) = delete;
  ~QtWebEditControl() override;

  // The widget that shows the page, for the window that lays it out.
  QWidget* widget() const { return view_; }
  // Whether a document has completed and its state is known.
  bool ready() const { return ready_; }

  std::string ExecCommand(int id, EditPrompt prompt = EditPrompt::DontPrompt,
                          const std::string& argument = {}) override;
  void InsertTable(const InsertTableParam& table) override;
  std::vector<std::string> BlockFormatNames() const override;
  int QueryStatus(int id) const override;
  void LoadDocument(const std::string& path, bool prompt = false) override;
  bool SaveDocument(const std::string& path, bool prompt = false) override;
  std::string CurrentDocumentPath() const override { return path_; }
  bool Modified() const override { return html_ != savedHtml_; }
  std::string DocumentHTML() const override { return html_; }
  void setDocumentHTML(const std::string& html) override;
  void PasteHTML(const std::string& html) override;
  void setShowDetails(bool show) override;
  void setShowBorders(bool show) override;
  void setSnapToGrid(bool snap) override;
  void SetContextMenu(const std::vector<EditMenuEntry>& entries) override { menu_ = entries; }

 private:
  struct Liveness {
    QtWebEditControl* owner = nullptr;
    std::uint64_t load = 0;
  };

  void installEditingScript();
  void loadFinished(bool ok);
  void run(const QString& call, bool completesDocument = false);
  void takeState(const QString& json);
  std::string askForArgument(int id, EditPrompt prompt);
  QString viewCall(const char* function) const;
  void showContextMenu(const QPoint& position);
  void popUpMenu(const QPoint& position);

  Dialogs& dialogs_;
  QWebEngineProfile* profile_ = nullptr;
  QPointer<QWebEngineView> view_;
  QPointer<QWebEnginePage> page_;
  std::shared_ptr<Liveness> liveness_ = std::make_shared<Liveness>();
  bool ready_ = false;
  std::string path_;
  std::string html_;
  // The page as loaded or last saved; taken from the first state of a
  // loaded document when `baselinePending_`.
  std::string savedHtml_;
  bool baselinePending_ = false;
  std::map<int, int> statuses_;
  std::string fontName_;
  std::string fontSize_;
  std::string blockFormat_;
  bool borders_ = false;
  bool details_ = false;
  bool snap_ = false;
  std::vector<EditMenuEntry> menu_;
};

}  // namespace vendaro
