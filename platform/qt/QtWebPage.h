#pragma once

#include <QWebEnginePage>
#include <functional>

namespace vendaro {

// A WebEngine page that asks its owner before the main frame navigates, so a
// browser pane can raise its before-navigate event and cancel the navigation.
class QtWebPage : public QWebEnginePage {
  Q_OBJECT

 public:
  // Returns false to keep the current page.
  using NavigationFilter = std::function<bool(const QUrl& url)>;

  QtWebPage(QWebEngineProfile* profile, QObject* parent);

  void setNavigationFilter(NavigationFilter filter) { filter_ = std::move(filter); }

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

 private:
  NavigationFilter filter_;
};

}  // namespace vendaro
