#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "platform/Browser.h"

namespace vendaro {

// The web channel object through which the injected document-event script
// reports mouse and click events of a page. It lives in the application
// world's channel only, so the page's own scripts cannot call it.
class QtDocumentEventBridge : public QObject {
  Q_OBJECT

 public:
  explicit QtDocumentEventBridge(QObject* parent) : QObject(parent) {}

  std::function<void(const DocumentEvent& event)> onEvent;

  // `kind` is "mouseover", "mouseout" or "click"; anything else is ignored.
  Q_INVOKABLE void report(const QString& kind, const QString& tagName, const QString& href,
                          const QString& src);
};

}  // namespace vendaro
