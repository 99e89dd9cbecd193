#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/StoreInput.h"

namespace vendaro {

// The file names of the responsive shop's category and product pages and the
// keys of its items in the shopper's basket. Names are made of the category
// names and item IDs in lower-case ASCII letters, digits and "-", so they are
// safe in every address; a name already taken gets "-2", "-3", ... The same
// catalogue always gives the same names, so a basket kept in the browser
// finds its items again after the site is generated anew.
class ShopPaths {
 public:
  explicit ShopPaths(const StoreInput& input);

  // "c-" + slug, without the extension.
  const std::string& categoryPage(std::size_t category) const { return categories_.at(category); }
  // "p-" + item key, without the extension.
  std::string productPage(std::size_t category, std::size_t item) const;
  // The item's key in the basket: category slug "-" item ID slug.
  const std::string& itemKey(std::size_t category, std::size_t item) const;

 private:
  std::vector<std::string> categories_;
  std::vector<std::vector<std::string>> items_;
};

// `text` as lower-case ASCII letters, digits and single "-"; `empty` when
// nothing of it is left.
std::string slugOf(const std::string& text, const std::string& empty);

}  // namespace vendaro
