#include "platform/PrintedDocument.h"

#include <functional>
#include <map>

namespace vendaro {
namespace {

std::string escaped(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (const char c : value) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string unescaped(std::string_view value) {
  std::string out;
  out.reserve(value.size());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] != '\\' || i + 1 == value.size()) {
      out += value[i];
      continue;
    }
    const char next = value[++i];
    out += next == 't' ? '\t' : next == 'n' ? '\n' : next == 'r' ? '\r' : next;
  }
  return out;
}

void line(std::string& out, std::string_view key, const std::vector<std::string>& cells) {
  out += key;
  for (const std::string& cell : cells) out += "\t" + escaped(cell);
  out += "\n";
}

std::vector<std::string> cellsOf(std::string_view text) {
  std::vector<std::string> cells;
  std::size_t start = 0;
  while (true) {
    const std::size_t tab = text.find('\t', start);
    cells.push_back(unescaped(text.substr(start, tab - start)));
    if (tab == std::string_view::npos) return cells;
    start = tab + 1;
  }
}

using Cells = std::vector<std::string>;

std::string joined(const Cells& cells) {
  return cells.empty() ? std::string() : cells[0];
}

PrintedDocument::Fact factOf(const Cells& cells) {
  if (cells.size() != 2) throw DocumentFormatError("a fact has a label and a value");
  return {cells[0], cells[1]};
}

}  // namespace

std::string printedDocumentText(const PrintedDocument& document) {
  std::string out;
  line(out, "paper", {document.paper == PaperSize::Letter ? "Letter" : "A4"});
  line(out, "title", {document.title});
  line(out, "created", {document.created});
  line(out, "id", {document.documentId});
  for (const std::string& sender : document.sender) line(out, "sender", {sender});
  for (const auto& fact : document.facts) line(out, "fact", {fact.label, fact.value});
  for (const auto& block : document.addresses) {
    Cells cells = {block.heading};
    cells.insert(cells.end(), block.lines.begin(), block.lines.end());
    line(out, "block", cells);
  }
  for (const auto& column : document.columns) {
    line(out, "column",
         {column.heading, column.align == PrintedDocument::Align::Right ? "right" : "left"});
  }
  for (const auto& row : document.rows) line(out, "row", row);
  for (const auto& total : document.totals) line(out, "total", {total.label, total.value});
  for (const std::string& note : document.notes) line(out, "note", {note});
  return out;
}

PrintedDocument readPrintedDocument(std::string_view text) {
  PrintedDocument document;
  const std::map<std::string, std::function<void(const Cells&)>, std::less<>> readers = {
      {"paper",
       [&](const Cells& c) {
         if (joined(c) != "A4" && joined(c) != "Letter") {
           throw DocumentFormatError("the paper is A4 or Letter");
         }
         document.paper = joined(c) == "Letter" ? PaperSize::Letter : PaperSize::A4;
       }},
      {"title", [&](const Cells& c) { document.title = joined(c); }},
      {"created", [&](const Cells& c) { document.created = joined(c); }},
      {"id", [&](const Cells& c) { document.documentId = joined(c); }},
      {"sender", [&](const Cells& c) { document.sender.push_back(joined(c)); }},
      {"fact", [&](const Cells& c) { document.facts.push_back(factOf(c)); }},
      {"block",
       [&](const Cells& c) {
         document.addresses.push_back({c.empty() ? "" : c[0], Cells(c.begin() + 1, c.end())});
       }},
      {"column",
       [&](const Cells& c) {
         const bool right = c.size() > 1 && c[1] == "right";
         document.columns.push_back(
             {joined(c), right ? PrintedDocument::Align::Right : PrintedDocument::Align::Left});
       }},
      {"row", [&](const Cells& c) { document.rows.push_back(c); }},
      {"total", [&](const Cells& c) { document.totals.push_back(factOf(c)); }},
      {"note", [&](const Cells& c) { document.notes.push_back(joined(c)); }},
  };
  std::size_t start = 0;
  for (int number = 1; start < text.size(); ++number) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view current = text.substr(start, end - start);
    start = end + 1;
    const std::size_t tab = current.find('\t');
    const auto reader = readers.find(current.substr(0, tab));
    if (tab == std::string_view::npos || reader == readers.end()) {
      throw DocumentFormatError("line " + std::to_string(number) + " is not a document field");
    }
    try {
      reader->second(cellsOf(current.substr(tab + 1)));
    } catch (const DocumentFormatError& error) {
      throw DocumentFormatError("line " + std::to_string(number) + ": " + error.what());
    }
  }
  return document;
}

}  // namespace vendaro
