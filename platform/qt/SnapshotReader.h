#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <memory>
#include <string>
#include <vector>

#include "platform/PageDocument.h"

namespace vendaro {

// Turns the JSON text of the page snapshot script into a `PageDocument`. A
// frame whose document the script could not read keeps an empty document.
class SnapshotReader {
 public:
  // Null when `json` is not a snapshot (the page gave no result or broke the script).
  static std::shared_ptr<const PageDocument> read(const QByteArray& json);

  // The addresses of the readable frames of `document`, frames inside a
  // frame before that frame, in document order otherwise.
  static std::vector<std::string> readableFrameAddresses(const PageDocument& document);

 private:
  static std::shared_ptr<const PageDocument> readDocument(const QJsonObject& object);
};

}  // namespace vendaro
