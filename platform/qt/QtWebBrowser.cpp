#include "platform/qt/QtWebBrowser.h"

#include <QString>

namespace vendaro {
namespace {

std::string text(const QUrl& url) {
  return url.toString().toStdString();
}

}  // namespace

QtWebBrowser::QtWebBrowser(QWebEngineProfile& profile) : view_(new QWebEngineView) {
  page_ = new QtWebPage(&profile, view_);
  view_->setPage(page_);
  connectPage();
}

QtWebBrowser::~QtWebBrowser() {
  if (!view_) return;
  // No event reaches the owner while the view and its page go away.
  QObject::disconnect(page_, nullptr, view_, nullptr);
  delete view_.data();
}

void QtWebBrowser::connectPage() {
  page_->setNavigationFilter([this](const QUrl& url) { return allowNavigation(url); });
  QObject::connect(page_, &QWebEnginePage::loadStarted, view_, [this] { loadStarted(); });
  QObject::connect(page_, &QWebEnginePage::urlChanged, view_,
                   [this](const QUrl& url) { urlChanged(url); });
  QObject::connect(page_, &QWebEnginePage::loadFinished, view_, [this] { loadFinished(); });
  QObject::connect(page_, &QWebEnginePage::titleChanged, view_, [this](const QString& title) {
    if (onTitleChange) onTitleChange(title.toStdString());
  });
}

bool QtWebBrowser::allowNavigation(const QUrl& url) {
  // Written documents are not navigations of the user's.
  if (url.scheme() == QStringLiteral("data") || !onBeforeNavigate) return true;
  bool cancel = false;
  onBeforeNavigate(text(url), cancel);
  return !cancel;
}

void QtWebBrowser::loadStarted() {
  busy_ = true;
  navigateReported_ = false;
  document_.reset();
}

void QtWebBrowser::urlChanged(const QUrl& url) {
  if (url.isEmpty()) return;
  reportNavigateComplete(url);
}

void QtWebBrowser::loadFinished() {
  busy_ = false;
  // A reload or a new load of the same address does not change the URL; its
  // navigate-complete event still comes before the completion events.
  if (!navigateReported_) reportNavigateComplete(page_->url());
  const std::string address = text(page_->url());
  if (onDownloadComplete) onDownloadComplete();
  if (onDocumentComplete) onDocumentComplete(FrameLevel::TopLevel, address);
}

void QtWebBrowser::reportNavigateComplete(const QUrl& url) {
  navigateReported_ = true;
  if (onNavigateComplete) onNavigateComplete(FrameLevel::TopLevel, text(url));
}

void QtWebBrowser::Navigate(const std::string& address) {
  if (view_) view_->load(QUrl::fromUserInput(QString::fromStdString(address)));
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

void QtWebBrowser::writeDocument(const std::string& html) {
  // The written document keeps the address of the page it replaces, so its
  // relative links resolve as they did there.
  if (view_) view_->setHtml(QString::fromStdString(html), view_->url());
}

}  // namespace vendaro
