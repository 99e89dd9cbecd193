#pragma once

#include <string>
#include <vector>

#include "platform/PageDocument.h"

namespace vendaro {

// The rows of a research report, appended to the report list `List3`. Each
// builder adds nothing for an absent document. Every text and address taken
// from the page is escaped, so a page cannot put markup or script into the
// report.

// The page's address and title (the address when it has no title).
void AddTitleRow(const PageDocument* document, std::vector<std::string>& rows);
// One row per link whose address contains "mailto:".
void AddMailRows(const PageDocument* document, std::vector<std::string>& rows);
// One row per paragraph and keyword of `keywords` that the paragraph holds.
void AddKeywordParagraphs(const PageDocument* document, const std::vector<std::string>& keywords,
                          std::vector<std::string>& rows);
// One row with the links to .jpg or .gif pictures, then the page's images.
void AddImageRow(const PageDocument* document, std::vector<std::string>& rows);

// The rows of "Create Full Report" for a page and its frames: the title row,
// the META rows, the paragraphs holding a keyword, the mail links and, with
// `images`, the picture row.
void AddPageReport(const PageDocument* document, const std::vector<std::string>& keywords,
                   bool images, std::vector<std::string>& rows);

// The report page "Save report" writes, without its final line end.
std::string reportFileText(const std::vector<std::string>& rows);

}  // namespace vendaro
