#pragma once

#include <filesystem>

#include "platform/DocumentPrinter.h"
#include "platform/Outcome.h"

namespace vendaro {

// The PDF printing program's file name: next to `vendaro` in a build and in
// ../libexec/vendaro (relative to it) once installed.
inline constexpr const char* kPdfProgram = "vendaro-pdf";

// Prints through the PDF printing program, which draws with Qt: the
// headless commands stay free of Qt and start fast, and only a command that
// prints pays for loading it. The document goes to the program's standard
// input as printedDocumentText; the program's message becomes the PrintError.
class ProgramDocumentPrinter : public DocumentPrinter {
 public:
  explicit ProgramDocumentPrinter(std::filesystem::path program);

  // The printing program beside the running one (or in its libexec folder);
  // NotFound when there is none.
  static Outcome<std::filesystem::path> besideThisProgram();

  void print(const PrintedDocument& document, const std::filesystem::path& file) override;

 private:
  std::filesystem::path program_;
};

}  // namespace vendaro
