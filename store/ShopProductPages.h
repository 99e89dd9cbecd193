#pragma once

#include <cstddef>

#include "store/ShopPageFrame.h"
#include "store/ShopPaths.h"
#include "store/SiteCatalogue.h"

namespace vendaro {

// The responsive shop's catalogue pages: the start page with the categories,
// one page per category with its products as cards, and one page per
// product that works when opened directly (from a search engine or a shared
// link) and describes the product as schema.org Product and Offer.
class ShopProductPages {
 public:
  ShopProductPages(const SiteCatalogue& catalogue, const ShopPaths& paths,
                   const ShopPageFrame& frame);

  std::string startPage(const std::string& file) const;
  std::string categoryPage(std::size_t category) const;
  std::string productPage(std::size_t category, std::size_t item) const;

 private:
  std::string card(std::size_t category, std::size_t item) const;
  std::string addToBasketForm(std::size_t category, std::size_t item,
                              const std::string& idPrefix) const;
  std::string picture(const ItemRecord& item, const char* loading) const;
  std::string details(const ItemRecord& item) const;
  std::string productData(std::size_t category, std::size_t item) const;
  long long cents(std::size_t category, std::size_t item) const;
  std::string money(std::size_t category, std::size_t item) const;

  const SiteCatalogue& catalogue_;
  const StoreInput& input_;
  const ShopPaths& paths_;
  const ShopPageFrame& frame_;
};

}  // namespace vendaro
