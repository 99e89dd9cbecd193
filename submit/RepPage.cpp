#include "submit/RepPage.h"

#include <algorithm>

#include "platform/Text.h"

namespace vendaro {
namespace {

// The lines of a block, trimmed, without the empty ones, joined by blanks.
std::string oneLine(const std::string& block) {
  std::string line;
  std::size_t start = 0;
  while (start <= block.size()) {
    const std::size_t end = std::min(block.find('\n', start), block.size());
    const std::string_view piece =
        text::trimmed(std::string_view(block).substr(start, end - start));
    if (!piece.empty()) line.append(line.empty() ? "" : " ").append(piece);
    start = end + 1;
  }
  return line;
}

}  // namespace

std::string RepPage::fileName(int index) {
  const std::string number = std::to_string(index);
  return "rep" + number + number + number + ".htm";
}

std::string RepPage::text() const {
  const std::string crLf(text::kCrLf);
  std::string page = "<html>" + crLf + crLf + "<head>" + crLf;
  page += "<meta name='robots' content='index,follow'>" + crLf;
  const std::string shownTitle = text::htmlEscaped(oneLine(title));
  const std::string shownDescription = text::htmlEscaped(oneLine(description));
  page += "<title>" + shownTitle + "</title>" + crLf;
  page += "<meta name='description' content='" + shownDescription + "'>" + crLf;
  page += "<meta name='keywords' content='" + text::htmlEscaped(oneLine(keywords)) + "'>" + crLf;
  page += "</head><body>" + crLf;
  page += "<h1>" + shownTitle + "</h1>" + crLf;
  page += "<p>" + shownDescription + "</p>" + crLf;
  for (const std::string& link : links) page += "<p align='center'>" + link + "</p>" + crLf;
  return page + "</body></html>" + crLf;
}

}  // namespace vendaro
