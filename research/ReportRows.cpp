#include "research/ReportRows.h"

#include <string>

#include "common/PageAnalysis.h"
#include "common/TextSearch.h"
#include "research/PageText.h"

namespace vendaro {
namespace {

bool hasBody(const PageDocument& document) {
  return document.bodyTagName == "BODY";
}

bool pointsToPicture(const std::string& address) {
  return containsIgnoringCase(address, ".jpg") || containsIgnoringCase(address, ".gif");
}

}  // namespace

void AddTitleRow(const PageDocument* document, std::vector<std::string>& rows) {
  if (!document) return;
  const std::string& title = document->title.empty() ? document->url : document->title;
  rows.push_back("<tr><td width='100%' bgcolor='#FFFF00'><strong><font face='Arial'><a href='" +
                 pageAddress(document->url) + "'>" + pageText(title) +
                 "</a></font></strong></td></tr>");
}

void AddMailRows(const PageDocument* document, std::vector<std::string>& rows) {
  if (!document) return;
  for (const PageLink& link : document->links) {
    if (!containsIgnoringCase(link.href, "mailto:")) continue;
    const std::string& text = link.outerText.empty() ? link.href : link.outerText;
    rows.push_back("<tr><td width='100%' bgcolor='#00FFFF'><font face='Arial'><small><a href='" +
                   pageAddress(link.href) + "'>" + pageText(text) + "</small></font></td></tr>");
  }
}

void AddKeywordParagraphs(const PageDocument* document, const std::vector<std::string>& keywords,
                          std::vector<std::string>& rows) {
  if (!document || !hasBody(*document)) return;
  for (const PageElement& element : document->all) {
    if (element.tagName != "P") continue;
    for (const std::string& keyword : keywords) {
      if (containsIgnoringCase(element.outerText, keyword)) {
        rows.push_back("<tr><td><p>" + pageText(element.outerText) + "</p></td></tr>");
      }
    }
  }
}

void AddImageRow(const PageDocument* document, std::vector<std::string>& rows) {
  if (!document || !hasBody(*document)) return;
  std::string pictures;
  for (const PageLink& link : document->links) {
    if (pointsToPicture(link.href)) pictures += "<img src='" + pageAddress(link.href) + "'>";
  }
  for (const PageImage& image : document->images) {
    pictures += "<img src='" + pageAddress(image.src) + "'>";
  }
  if (!pictures.empty()) rows.push_back("<tr><td width=100%> " + pictures + "</td></tr>");
}

void AddPageReport(const PageDocument* document, const std::vector<std::string>& keywords,
                   bool images, std::vector<std::string>& rows) {
  if (!document) return;
  AddTitleRow(document, rows);
  AddMetaReportRows(document, rows);
  AddKeywordParagraphs(document, keywords, rows);
  AddMailRows(document, rows);
  if (images) AddImageRow(document, rows);
  for (const PageFrame& frame : document->frames) {
    AddPageReport(frame.document.get(), keywords, images, rows);
  }
}

std::string reportFileText(const std::vector<std::string>& rows) {
  std::string text = "<html>\r\n\r\n<title>Report</title><body>";
  for (const std::string& row : rows) text += row;
  return text + "</body>\r\n</html>";
}

}  // namespace vendaro
