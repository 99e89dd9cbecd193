#pragma once

#include "platform/PageDocument.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// The rows of a research report, appended to the report list `List3`. Each
// builder adds nothing for an absent document. Every text and address taken
// from the page is escaped, so a page cannot put markup or script into the
// report.

// The page's address and title (the address when it has no title).
void AddTitleRow(const PageDocument* document, ListControl& rows);
// One row per link whose address contains "mailto:".
void AddMailRows(const PageDocument* document, ListControl& rows);
// One row per paragraph and keyword of `keywords` that the paragraph holds.
void AddKeywordParagraphs(const PageDocument* document, const ListControl& keywords,
                          ListControl& rows);
// One row with the links to .jpg or .gif pictures, then the page's images.
void AddImageRow(const PageDocument* document, ListControl& rows);

}  // namespace vendaro
