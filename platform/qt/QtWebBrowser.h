#pragma once

#include <QPointer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/Browser.h"
#include "platform/qt/QtWebPage.h"

class QPrinter;
class QVariant;
class QWebChannel;

namespace vendaro {

// A visible browser pane over a Qt WebEngine view. The pane owns its view
// until a window takes it into its layout; after the window has deleted the
// view, the pane ignores every command. The profile must outlive the pane.
//
// When a page has loaded, a script in the application world takes its
// snapshot; document complete is raised once the snapshot is stored (first
// for each readable frame, inner frames first, then for the page), so
// `Document` is ready in the handlers. Events of one load, in order: navigate
// complete, download complete, document complete per frame, document complete.
class QtWebBrowser : public Browser {
 public:
  explicit QtWebBrowser(QWebEngineProfile& profile);
  QtWebBrowser(const QtWebBrowser&) = delete;
  QtWebBrowser& operator=(const QtWebBrowser&) = delete;
  ~QtWebBrowser() override;

  // The widget that shows the page, for the window that lays out the pane.
  QWidget* widget() const { return view_; }

  void Navigate(const std::string& address) override;
  void GoBack() override;
  void GoForward() override;
  void Stop() override;
  void Refresh() override;
  bool Busy() const override { return busy_; }
  std::string LocationURL() const override;
  std::string LocationName() const override;
  std::shared_ptr<const PageDocument> Document() const override { return document_; }
  // The pieces are kept here until the document is closed, then shown at
  // once: texts that fit a data address are loaded as one; larger ones
  // (reports) are written into a small empty page by script.
  void openDocument() override;
  void appendToDocument(const std::string& html) override;
  void closeDocument() override;
  void execCommand(BrowserCommand command) override;
  // Clears at once and again when the next load (a document just written)
  // has finished, so that load leaves no way back either.
  void clearHistory() override;

  // Asks where "Save As" writes the page; an empty answer cancels. By default
  // the user chooses in a file dialog.
  std::function<std::string(const std::string& suggestedName)> chooseSaveFile;
  // Sets the printer up for "Print"; false cancels. By default the user
  // chooses in the print dialog.
  std::function<bool(QPrinter& printer)> setUpPrinter;

 private:
  // What a late script result needs to know: whether the pane still exists
  // and which load it belongs to.
  struct LoadState {
    QtWebBrowser* owner = nullptr;
    std::uint64_t generation = 0;
  };

  void connectPage();
  void installDocumentEvents();
  bool allowNavigation(const QUrl& url);
  void loadStarted();
  void urlChanged(const QUrl& url);
  void loadFinished();
  void reportNavigateComplete(const QUrl& url);
  // Runs `source` in the application world; `done` runs only if this load is
  // still the current one when the result arrives.
  void runScript(const QString& source, std::function<void(const QVariant&)> done);
  void showDocument(const std::string& html);
  QUrl writtenDocumentAddress() const;
  void writeLargeDocument(const std::string& html, const QUrl& address);
  void takeSnapshot();
  void snapshotTaken(const QVariant& result);
  void saveAs();
  void print();
  void pageSetup();
  QPrinter& printer();

  QPointer<QWebEngineView> view_;
  QPointer<QtWebPage> page_;
  QWebChannel* channel_ = nullptr;
  std::shared_ptr<LoadState> state_ = std::make_shared<LoadState>();
  bool busy_ = false;
  // Whether the load under way has already raised its navigate-complete event.
  bool navigateReported_ = false;
  // Whether the history is cleared again when the load under way finishes.
  bool clearHistoryAfterLoad_ = false;
  // The document being written, while one is open.
  std::optional<std::string> openDocument_;
  // A large text to write once the empty page that receives it has loaded.
  std::optional<std::string> pendingWrite_;
  std::shared_ptr<const PageDocument> document_;
  std::unique_ptr<QPrinter> printer_;
};

}  // namespace vendaro
