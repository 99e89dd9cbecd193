#pragma once

#include "platform/DocumentPrinter.h"

namespace vendaro {

// Draws a document with Qt's PDF writer (text as text, fonts embedded) on A4
// or US Letter, continuing the table on further pages with its headings
// repeated. Qt stamps the file with the clock; the creation date and the
// identity are set from the document instead, so printing the same
// document again gives the same bytes, given a deterministic hash seed
// (Qt writes the fonts in hash order; see QtPdfProgram). Needs a
// QGuiApplication.
class QtPdfPrinter : public DocumentPrinter {
 public:
  void print(const PrintedDocument& document, const std::filesystem::path& file) override;
};

}  // namespace vendaro
