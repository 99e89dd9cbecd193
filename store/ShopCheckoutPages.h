#pragma once

#include <string>

#include "store/ShopPageFrame.h"
#include "store/StoreInput.h"

namespace vendaro {

// The responsive shop's basket and checkout pages and its terms and privacy
// pages. The basket and checkout are drawn by shop.js from the basket kept
// in the browser and the prices and rules of catalogue.js; the checkout's
// form posts the fields the order intake reads, starting with the
// merchant's form start (the wizard's "E-mail Action").
class ShopCheckoutPages {
 public:
  ShopCheckoutPages(const StoreInput& input, const ShopPageFrame& frame);

  std::string basketPage() const;
  std::string checkoutPage() const;
  // "terms.html" or "privacy.html": the merchant's text in paragraphs.
  std::string textPage(const std::string& file, const std::string& title,
                       const std::string& text) const;

 private:
  std::string formStart() const;
  std::string addressFields(const char* legend, const char* suffix, bool shipping) const;
  std::string shippingChoice() const;
  std::string paymentChoice() const;

  const StoreInput& input_;
  const ShopPageFrame& frame_;
};

}  // namespace vendaro
