#pragma once

#include <filesystem>
#include <stdexcept>

#include "platform/PrintedDocument.h"

namespace vendaro {

class PrintError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes a document as a PDF file: selectable text, fonts embedded, the
// document's paper size. The same document gives the same bytes (its
// creation date and identity come from the document, not the clock). The
// file is replaced whole or not at all; PrintError says why it was not.
class DocumentPrinter {
 public:
  virtual ~DocumentPrinter() = default;
  virtual void print(const PrintedDocument& document, const std::filesystem::path& file) = 0;
};

}  // namespace vendaro
