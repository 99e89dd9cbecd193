#include "platform/qt/QtDocumentEventBridge.h"

#include <optional>

namespace vendaro {
namespace {

std::optional<DocumentEvent::Kind> kindOf(const QString& kind) {
  if (kind == QLatin1String("mouseover")) return DocumentEvent::Kind::MouseOver;
  if (kind == QLatin1String("mouseout")) return DocumentEvent::Kind::MouseOut;
  if (kind == QLatin1String("click")) return DocumentEvent::Kind::Click;
  return std::nullopt;
}

}  // namespace

void QtDocumentEventBridge::report(const QString& kind, const QString& tagName, const QString& href,
                                   const QString& src) {
  const std::optional<DocumentEvent::Kind> eventKind = kindOf(kind);
  if (!eventKind || !onEvent) return;
  onEvent({*eventKind, tagName.toStdString(), href.toStdString(), src.toStdString()});
}

}  // namespace vendaro
