#include "platform/qt/QtWebPage.h"

namespace vendaro {

QtWebPage::QtWebPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {}

QtWebPage::~QtWebPage() {
  if (onDestroying) onDestroying();
}

bool QtWebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (isMainFrame && filter_ && !filter_(url)) return false;
  return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

}  // namespace vendaro
