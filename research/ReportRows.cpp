#include "research/ReportRows.h"

#include <string>

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

void AddTitleRow(const PageDocument* document, ListControl& rows) {
  if (!document) return;
  const std::string& title = document->title.empty() ? document->url : document->title;
  rows.AddItem("<tr><td width='100%' bgcolor='#FFFF00'><strong><font face='Arial'><a href='" +
               pageAddress(document->url) + "'>" + pageText(title) +
               "</a></font></strong></td></tr>");
}

void AddMailRows(const PageDocument* document, ListControl& rows) {
  if (!document) return;
  for (const PageLink& link : document->links) {
    if (!containsIgnoringCase(link.href, "mailto:")) continue;
    const std::string& text = link.outerText.empty() ? link.href : link.outerText;
    rows.AddItem("<tr><td width='100%' bgcolor='#00FFFF'><font face='Arial'><small><a href='" +
                 pageAddress(link.href) + "'>" + pageText(text) + "</small></font></td></tr>");
  }
}

void AddKeywordParagraphs(const PageDocument* document, const ListControl& keywords,
                          ListControl& rows) {
  if (!document || !hasBody(*document)) return;
  for (const PageElement& element : document->all) {
    if (element.tagName != "P") continue;
    for (const std::string& keyword : keywords.items()) {
      if (containsIgnoringCase(element.outerText, keyword)) {
        rows.AddItem("<tr><td><p>" + pageText(element.outerText) + "</p></td></tr>");
      }
    }
  }
}

void AddImageRow(const PageDocument* document, ListControl& rows) {
  if (!document || !hasBody(*document)) return;
  std::string pictures;
  for (const PageLink& link : document->links) {
    if (pointsToPicture(link.href)) pictures += "<img src='" + pageAddress(link.href) + "'>";
  }
  for (const PageImage& image : document->images) {
    pictures += "<img src='" + pageAddress(image.src) + "'>";
  }
  if (!pictures.empty()) rows.AddItem("<tr><td width=100%> " + pictures + "</td></tr>");
}

}  // namespace vendaro
