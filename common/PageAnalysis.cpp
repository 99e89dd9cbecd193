#include "common/PageAnalysis.h"

#include <algorithm>
#include <string>

#include "common/ListFilling.h"
#include "common/TextSearch.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::size_t kLongContent = 1000;
constexpr std::size_t kShortenedContent = 999;
// Frames nested deeper than this are not searched, so a page that frames
// itself cannot make the search run forever.
constexpr int kMaxFrameDepth = 16;

constexpr std::string_view kRowStart =
    "<tr><td width='100%' bgcolor='#00FFFF'><small><font face='Arial'>";
constexpr std::string_view kRowEnd = "</font></small></td></tr>";

bool isUtf8Continuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

// Byte offset where character `count` (counted from 0) of UTF-8 `text`
// starts, or text.size() when the text has no more characters than that.
std::size_t offsetOfCharacter(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (isUtf8Continuation(text[i])) continue;
    if (seen == count) return i;
    ++seen;
  }
  return text.size();
}

// A META content as the helpers keep it: longer than 1000 characters means
// only the first 999 characters. Characters, not bytes, so a multi-byte
// character is never cut in half.
std::string shortenedContent(std::string_view content) {
  if (offsetOfCharacter(content, kLongContent) == content.size()) return std::string(content);
  return std::string(content.substr(0, offsetOfCharacter(content, kShortenedContent)));
}

bool isMeta(const PageElement& element) {
  return element.tagName == "META";
}

bool isNamedInAnyCase(const PageElement& element, std::string_view upper, std::string_view title,
                      std::string_view lower) {
  return element.name == upper || element.name == title || element.name == lower;
}

bool isReportDescription(const PageElement& element) {
  return isNamedInAnyCase(element, "DESCRIPTION", "Description", "description");
}

bool isReportKeywords(const PageElement& element) {
  return isNamedInAnyCase(element, "KEYWORDS", "Keywords", "keywords");
}

void addReportRow(std::vector<std::string>& list, std::string_view label,
                  std::string_view content) {
  // The content comes from the page: escaped, so it cannot put markup into the report.
  list.push_back(std::string(kRowStart) + std::string(label) +
                 text::htmlEscaped(shortenedContent(content)) + std::string(kRowEnd));
}

bool hasBody(const PageDocument& document) {
  return document.bodyTagName == "BODY" || document.bodyTagName == "body";
}

bool anyEntryContains(const std::vector<std::string>& list, std::string_view text) {
  for (const std::string& entry : list) {
    if (containsIgnoringCase(entry, text)) return true;
  }
  return false;
}

std::string linkTestText(const PageLink& link) {
  const std::string& shown = link.outerText.empty() ? link.href : link.outerText;
  return "<a href='" + link.href + "'>" + shown + "</a><br>";
}

void collectLinks(const PageDocument& document, std::string_view filter,
                  std::vector<std::string>& list, int depth) {
  if (hasBody(document)) {
    for (const PageLink& link : document.links) {
      if (anyEntryContains(list, link.href)) continue;
      if (containsIgnoringCase(linkTestText(link), filter)) list.push_back(link.href);
    }
  }
  if (depth >= kMaxFrameDepth) return;
  for (const PageFrame& frame : document.frames) {
    // An unreadable frame (another site's, or one that failed) is passed over;
    // the frames after it are still searched.
    if (frame.document) collectLinks(*frame.document, filter, list, depth + 1);
  }
}

template <typename Action>
void forEachMetaNamed(const PageDocument& document, std::string_view name, Action action) {
  for (const PageElement& element : document.all) {
    if (isMeta(element) && element.name == name) action(shortenedContent(element.content));
  }
}

// A keyword that is not blank and not in the list in any letter case.
void addKeyword(const std::string& keyword, std::vector<std::string>& list) {
  if (keyword.empty()) return;
  if (std::none_of(list.begin(), list.end(), [&keyword](const std::string& item) {
        return text::equalsIgnoringCase(item, keyword);
      })) {
    list.push_back(keyword);
  }
}

}  // namespace

void AddMetaReportRows(const PageDocument* document, std::vector<std::string>& list) {
  if (!document) return;
  for (const PageElement& element : document->all) {
    if (!isMeta(element)) continue;
    if (isReportDescription(element)) addReportRow(list, "DESCRIPTION: ", element.content);
    if (isReportKeywords(element)) {
      addReportRow(list, "KYEWORDS: ", element.content);
      return;
    }
  }
}

void CollectPageLinks(const PageDocument* document, std::string_view filter,
                      std::vector<std::string>& list) {
  if (document) collectLinks(*document, filter, list, 0);
}

void AddPageTitle(const PageDocument* document, std::vector<std::string>& list) {
  if (document && !document->title.empty()) AddUnique(document->title, list);
}

void AddPageKeywords(const PageDocument* document, std::vector<std::string>& list) {
  if (!document) return;
  forEachMetaNamed(*document, "keywords", [&list](const std::string& content) {
    for (std::size_t start = 0; start <= content.size();) {
      const std::size_t end = std::min(content.find(',', start), content.size());
      addKeyword(std::string(text::trimmed(std::string_view(content).substr(start, end - start))),
                 list);
      start = end + 1;
    }
  });
}

void AddPageDescription(const PageDocument* document, std::vector<std::string>& list) {
  if (!document) return;
  forEachMetaNamed(*document, "description",
                   [&list](const std::string& content) { AddUnique(content, list); });
}

}  // namespace vendaro
