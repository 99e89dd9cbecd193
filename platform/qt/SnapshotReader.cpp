#include "platform/qt/SnapshotReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

namespace vendaro {
namespace {

std::string text(const QJsonObject& object, const char* key) {
  return object.value(QLatin1String(key)).toString().toStdString();
}

QJsonArray array(const QJsonObject& object, const char* key) {
  return object.value(QLatin1String(key)).toArray();
}

PageElement elementFrom(const QJsonObject& object) {
  return {text(object, "tagName"), text(object, "outerText"), text(object, "id"),
          text(object, "name"),    text(object, "content"),   text(object, "href"),
          text(object, "src")};
}

void appendFrameAddresses(const PageDocument& document, std::vector<std::string>& addresses) {
  for (const PageFrame& frame : document.frames) {
    if (!frame.document) continue;
    appendFrameAddresses(*frame.document, addresses);
    addresses.push_back(frame.document->url);
  }
}

}  // namespace

std::shared_ptr<const PageDocument> SnapshotReader::read(const QByteArray& json) {
  const QJsonDocument parsed = QJsonDocument::fromJson(json);
  if (!parsed.isObject()) return nullptr;
  return readDocument(parsed.object());
}

std::shared_ptr<const PageDocument> SnapshotReader::readDocument(const QJsonObject& object) {
  auto document = std::make_shared<PageDocument>();
  document->url = text(object, "url");
  document->title = text(object, "title");
  document->domain = text(object, "domain");
  document->bodyTagName = text(object, "bodyTagName");
  for (const QJsonValue& value : array(object, "all")) {
    document->all.push_back(elementFrom(value.toObject()));
  }
  for (const QJsonValue& value : array(object, "links")) {
    const QJsonObject link = value.toObject();
    document->links.push_back({text(link, "href"), text(link, "outerText")});
  }
  for (const QJsonValue& value : array(object, "images")) {
    const QJsonObject image = value.toObject();
    document->images.push_back({text(image, "src"), text(image, "alt")});
  }
  for (const QJsonValue& value : array(object, "frames")) {
    const QJsonObject frame = value.toObject();
    const QJsonValue inner = frame.value(QLatin1String("document"));
    document->frames.push_back({text(frame, "name"), text(frame, "src"),
                                inner.isObject() ? readDocument(inner.toObject()) : nullptr});
  }
  return document;
}

std::vector<std::string> SnapshotReader::readableFrameAddresses(const PageDocument& document) {
  std::vector<std::string> addresses;
  appendFrameAddresses(document, addresses);
  return addresses;
}

}  // namespace vendaro
