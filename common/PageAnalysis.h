#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/PageDocument.h"

namespace vendaro {

// A null document stands for a pane without a readable page: every procedure
// here then adds nothing. META contents longer than 1000 characters are cut
// to their first 999 characters (a content of exactly 1000 is kept whole).

// Appends the page reader's report rows: one DESCRIPTION row for every
// description META (name "DESCRIPTION", "Description" or "description")
// before the first keywords META, then one KYEWORDS row for that keywords
// META if there is one. METAs after the first keywords META are not read.
// The contents are HTML-escaped after the cut.
void AddMetaReportRows(const PageDocument* document, std::vector<std::string>& list);

// Appends the address of every link of the page and of its frames (frames of
// frames too) whose test text "<a href='ADDRESS'>TEXT</a><br>" contains
// `filter` (letter case ignored; an empty filter takes every link). TEXT is the
// link's visible text, or its address when it has none. A link whose address
// is already contained in an entry is skipped. A page without a BODY (a
// frameset) contributes only its frames; an unreadable frame is skipped and the
// frames after it are still searched.
void CollectPageLinks(const PageDocument* document, std::string_view filter,
                      std::vector<std::string>& list);

// Adds the page title with AddUnique when it is not empty.
void AddPageTitle(const PageDocument* document, std::vector<std::string>& list);

// Adds the keywords of every META named "keywords" (lower case only): the
// content cut at ",", each piece trimmed, the last one too; blank pieces and
// keywords the list holds already (letter case ignored) are left out.
void AddPageKeywords(const PageDocument* document, std::vector<std::string>& list);

// Adds the content of every META named "description" (lower case only) with
// AddUnique.
void AddPageDescription(const PageDocument* document, std::vector<std::string>& list);

}  // namespace vendaro
