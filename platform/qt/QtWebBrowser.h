#pragma once

#include <QPointer>
#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <QWidget>

#include "platform/Browser.h"
#include "platform/qt/QtWebPage.h"

namespace vendaro {

// A visible browser pane over a Qt WebEngine view. The pane owns its view
// until a window takes it into its layout; after the window has deleted the
// view, the pane ignores every command. The profile must outlive the pane.
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
  void writeDocument(const std::string& html) override;

 private:
  void connectPage();
  bool allowNavigation(const QUrl& url);
  void loadStarted();
  void urlChanged(const QUrl& url);
  void loadFinished();
  void reportNavigateComplete(const QUrl& url);

  QPointer<QWebEngineView> view_;
  QPointer<QtWebPage> page_;
  bool busy_ = false;
  // Whether the load under way has already raised its navigate-complete event.
  bool navigateReported_ = false;
  // The snapshot of the completed page. It stays empty until the page reader
  // fills it from the loaded page (a script run in the application world
  // after loadFinished); it is dropped whenever a new load starts.
  std::shared_ptr<const PageDocument> document_;
};

}  // namespace vendaro
