#pragma once

#include <QObject>
#include <QString>
#include <functional>

namespace vendaro {

// The web channel object through which the editing script of the web editor
// reports the page's state (a JSON text) whenever the selection or the
// content changes. It lives in the application world's channel only.
class QtEditStateBridge : public QObject {
  Q_OBJECT

 public:
  explicit QtEditStateBridge(QObject* parent) : QObject(parent) {}

  std::function<void(const QString& state)> onReport;

  Q_INVOKABLE void report(const QString& state);
};

}  // namespace vendaro
