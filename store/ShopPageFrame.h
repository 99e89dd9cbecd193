#pragma once

#include <string>
#include <vector>

#include "store/ShopPaths.h"
#include "store/StoreInput.h"

namespace vendaro {

// What one page of the responsive shop says about itself in its head.
struct ShopPageHead {
  std::string file;         // the page's file name, "c-tools.html"
  std::string title;        // the page's own title; the shop's name is added
  std::string description;  // the search engines' description
  std::string type = "website";  // Open Graph type
  std::string image;             // picture address for Open Graph, or empty
  bool needsCatalogue = false;   // loads catalogue.js (prices, rules)
  std::string structuredData;    // a JSON-LD object, or empty
};

// The frame every page of the responsive shop shares: the HTML5 head with
// viewport, description, canonical address and Open Graph tags, the one
// style sheet and script, a header with the shop's name and logo, the
// category menu and the basket link with its count, and a footer with the
// merchant's contact and the terms and privacy pages. Texts are escaped.
class ShopPageFrame {
 public:
  ShopPageFrame(const StoreInput& input, const ShopPaths& paths);

  std::string page(const ShopPageHead& head, const std::string& main) const;

  static constexpr const char* kExtension = ".html";

 private:
  std::string headText(const ShopPageHead& head) const;
  std::string headerText() const;
  std::string footerText() const;

  const StoreInput& input_;
  const ShopPaths& paths_;
};

// Joins lines with CR LF between them.
std::string shopLines(const std::vector<std::string>& lines);

}  // namespace vendaro
