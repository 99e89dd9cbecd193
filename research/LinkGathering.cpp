#include "research/LinkGathering.h"

#include "common/EnginePages.h"
#include "common/TextSearch.h"
#include "research/PageText.h"
#include "research/ReportRowIndex.h"

namespace vendaro {
namespace {

std::size_t linkCount(const PageDocument* document) {
  if (!document) return 0;
  std::size_t count = document->links.size();
  for (const PageFrame& frame : document->frames) count += linkCount(frame.document.get());
  return count;
}

class Gathering {
 public:
  Gathering(const std::string& filter, ReportRowIndex& rows) : filter_(filter), rows_(rows) {}

  void gather(const PageDocument* document) {
    // The engine's error page has no links of the site.
    if (!document || isEnginePage(*document)) return;
    if (document->bodyTagName == "BODY") {
      for (const PageLink& link : document->links) take(link);
    }
    // An unreadable frame has no document and is skipped.
    for (const PageFrame& frame : document->frames) gather(frame.document.get());
  }

  GatheredLinks gathered;

 private:
  void take(const PageLink& link) {
    // Rows hold addresses escaped, so the escaped address is looked for.
    // A link that is not followed from the report (javascript:, tel:) links
    // to "#" and keeps its own address in the row's title.
    const std::string shownAddress = pageAddress(link.href);
    const std::string escapedAddress = pageText(link.href);
    if (rows_.anyRowContains(escapedAddress)) return;
    const std::string& text = link.outerText.empty() ? link.href : link.outerText;
    // The filter reads the row as the page gives it, before escaping.
    const std::string testRow = "<a href='" + link.href + "'>" + text + "</a><br>";
    if (!filter_.empty() && !containsIgnoringCase(testRow, filter_)) return;
    const std::string title =
        shownAddress == escapedAddress ? "" : " title='" + escapedAddress + "'";
    std::string row = "<a href='" + shownAddress + "'" + title + ">" + pageText(text) + "</a><br>";
    rows_.add(row);
    gathered.rows.push_back(std::move(row));
    gathered.addresses.push_back(link.href);
  }

  const std::string& filter_;
  ReportRowIndex& rows_;
};

}  // namespace

GatheredLinks gatherLinks(const std::vector<const PageDocument*>& pages,
                          const std::vector<std::string>& reportRows, const std::string& filter) {
  std::size_t links = 0;
  for (const PageDocument* page : pages) links += linkCount(page);
  ReportRowIndex rows;
  rows.rebuild(reportRows, links);
  Gathering gathering(filter, rows);
  for (const PageDocument* page : pages) gathering.gather(page);
  return std::move(gathering.gathered);
}

}  // namespace vendaro
