#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vendaro {

enum class PaperSize { A4, Letter };

// A business document as a printer lays it out: texts and table rows only,
// so the service that fills it is tested without a screen and the record of
// an issued document can keep it to print the same pages again.
struct PrintedDocument {
  struct Fact {
    std::string label;
    std::string value;
    bool operator==(const Fact&) const = default;
  };
  struct Block {
    std::string heading;
    std::vector<std::string> lines;
    bool operator==(const Block&) const = default;
  };
  enum class Align { Left, Right };
  struct Column {
    std::string heading;
    Align align = Align::Left;
    bool operator==(const Column&) const = default;
  };

  PaperSize paper = PaperSize::A4;
  std::string title;                // the heading of the first page and the file's title
  std::string created;              // UTC "2026-12-07T12:50:01Z": the file's creation date
  std::string documentId;           // the same text gives the file the same identity
  std::vector<std::string> sender;  // who issues it; the first line is the name
  std::vector<Fact> facts;          // number, dates, references
  std::vector<Block> addresses;     // side by side
  std::vector<Column> columns;
  std::vector<std::vector<std::string>> rows;
  std::vector<Fact> totals;  // right-aligned under the table; the last one stands out
  std::vector<std::string> notes;

  bool operator==(const PrintedDocument&) const = default;
};

class DocumentFormatError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The document as text, one field a line ("title<TAB>Invoice"), cells
// separated by tabs; backslash, tab, CR and LF in a text are escaped. The
// record of an issued document keeps this text, and the printing program
// reads it on its standard input.
std::string printedDocumentText(const PrintedDocument& document);
// Reads such a text; DocumentFormatError names the first line it cannot read.
PrintedDocument readPrintedDocument(std::string_view text);

}  // namespace vendaro
