#pragma once

#include <string>
#include <vector>

namespace vendaro {

// What the form page is made of: the form's name and the page properties of
// its `Forms` record.
struct FormPageProperties {
  std::string name;
  std::string baseLoc;
  std::string backmage;
  std::string backColor;
  std::string backText;
  std::string hyperlink;
  std::string VHyperlink;
  std::string AHyperlink;
  std::string email;
  std::string tabStyle;
  // The mail script the form posts to instead of the mailto: address (a
  // file name beside the page); empty: the address.
  std::string scriptFile{};
};

// The page up to and with the opening table tag. The property values go in
// as they stand; the form's name is escaped for HTML (and, in the mail
// subject, its &, #, % and ? are percent-encoded) so that quotes, < or &
// in a name cannot break the page or cut the subject short. Ordinary names
// come out unchanged, spaces included. With a script file the form posts
// to it, with the script's hidden fields.
std::string BuildFormHeader(const FormPageProperties& form);
std::string BuildFormFooter();

// The page text: header, every row followed by CR LF, footer.
std::string formPageText(const FormPageProperties& form, const std::vector<std::string>& rows);

// A field or form name as it goes into an HTML attribute.
std::string htmlName(const std::string& name);

}  // namespace vendaro
