#include "submit/RepPage.h"

#include "platform/Text.h"

namespace vendaro {

std::string RepPage::fileName(int index) {
  const std::string number = std::to_string(index);
  return "rep" + number + number + number + ".htm";
}

std::string RepPage::text() const {
  const std::string crLf(text::kCrLf);
  std::string page = "<html>" + crLf + crLf + "<head>" + crLf;
  page += "<meta name='robots' content='index,follow'>" + crLf;
  page += "<title>" + text::htmlEscaped(title) + "</title>" + crLf;
  page += "<meta name='description' content='" + text::htmlEscaped(description) + "'>" + crLf;
  page += "<meta name='keywords' content='" + text::htmlEscaped(keywords) + "'>" + crLf;
  page += "</head><body>" + crLf;
  for (const std::string& link : links) page += "<p align='center'>" + link + "</p>" + crLf;
  return page + "</body></html>" + crLf;
}

}  // namespace vendaro
