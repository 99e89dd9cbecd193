#pragma once

#include <string>
#include <vector>

namespace vendaro {

// A page of the merchant's own made by "Generate" on the "Creation" page.
struct RepPage {
  std::string title;
  std::string description;
  std::string keywords;
  std::vector<std::string> links;  // HTML of each link, as "Add" made it

  // The file name of page `index`: "rep" followed by the index three times
  // ("rep000.htm", "rep121212.htm").
  static std::string fileName(int index);
  // The page, lines ending CR LF. Title, description and keywords come from
  // other sites, so they are escaped, and each is put on one line (a block
  // holds one entry a line). The body shows the title as its heading and the
  // description before the links, the merchant's own HTML.
  std::string text() const;
};

}  // namespace vendaro
