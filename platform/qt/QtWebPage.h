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
  ~QtWebPage() override;

  void setNavigationFilter(NavigationFilter filter) { filter_ = std::move(filter); }

  // Raised first in the destructor, while the page is still whole. WebEngine
  // answers the scripts still running from the base class's destructor, when
  // this object is only a QWebEnginePage any more; an owner uses this to drop
  // those answers.
  std::function<void()> onDestroying;

 protected:
  bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;

 private:
  NavigationFilter filter_;
};

}  // namespace vendaro
