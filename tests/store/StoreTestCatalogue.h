#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "store/StoreInput.h"
#include "store/TemplateDefaults.h"

namespace vendaro::testing {

// A small catalogue with the default snippets and templates: "Shoes" with two
// items, "Hats" without items, "Bags" with one item; the weights give the
// 0-1, 1-2 and 19-20 shipping lines.
inline StoreInput smallCatalogue() {
  StoreInput input;
  input.vendorHost = "www.vendaro.example";
  applyTemplateDefaults(input, "orders@shop.example", "secure.gateway.example");
  input.categories = {
      {"Shoes",
       {{"S-100", "Running shoe", "49.95", "http://pics.example/s100.jpg",
         "http://shop.example/s100.htm", "Acme", "0.5"},
        {"S-200", "Walking shoe <b>new</b>", "12", "http://pics.example/s200.jpg",
         "http://shop.example/s200.htm", "Bolt", "1.5"}}},
      {"Hats", {}},
      {"Bags",
       {{"B-1", "Travel bag", "120.5", "http://pics.example/b1.jpg", "http://shop.example/b1.htm",
         "Carry", "20"}}},
  };
  return input;
}

inline bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// The generated page written as `file`.
inline const SitePage& pageNamed(const std::vector<SitePage>& pages, const std::string& file) {
  for (const auto& page : pages) {
    if (page.fileName() == file) return page;
  }
  throw std::runtime_error("no page " + file);
}

}  // namespace vendaro::testing
