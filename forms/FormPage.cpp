#include "forms/FormPage.h"

#include "forms/FormScript.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

// The characters that would end the subject of a mailto address or start
// another header in it.
std::string subjectText(const std::string& name) {
  return htmlName(text::percentEncodedOnly(name, "&#%?"));
}

}  // namespace

std::string htmlName(const std::string& name) {
  return text::htmlEscaped(name);
}

std::string BuildFormHeader(const FormPageProperties& form) {
  const std::string name = htmlName(form.name);
  std::string page = "<html>";
  page += "<head><title>" + name + " </title><base href='" + form.baseLoc + "'></head>";
  page += "<body background='" + form.backmage + "' bgcolor='" + form.backColor + "' text='" +
          form.backText + "' link='" + form.hyperlink + "' vlink='" + form.VHyperlink +
          "' alink='" + form.AHyperlink + "'>";
  if (form.scriptFile.empty()) {
    page += "<form ACTION='mailto:" + form.email + "?subject=" + subjectText(form.name) +
            "' METHOD='POST' ENCTYPE='text/plain' NAME='" + name + "'>";
  } else {
    page += "<form ACTION='" + htmlName(form.scriptFile) + "' METHOD='POST' NAME='" + name +
            "' onsubmit='" + kFillTimeCode + "'>" + mailFormHiddenFields(kFormTrapField);
  }
  page += form.tabStyle;
  return page;
}

std::string BuildFormFooter() {
  return "</table></form></body></html>";
}

std::string formPageText(const FormPageProperties& form, const std::vector<std::string>& rows) {
  std::string page = BuildFormHeader(form);
  for (const std::string& row : rows) page += row + std::string(text::kCrLf);
  return page + BuildFormFooter();
}

}  // namespace vendaro
