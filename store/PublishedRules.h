#pragma once

#include <ctime>
#include <filesystem>
#include <string>

#include "store/StoreInput.h"

namespace vendaro {

// The record of the rules a responsive shop's checkout applied when it was
// generated: currency, the default sales tax rate and the rates by place,
// and the shipping methods when shipping is by weight. Earlier records are
// kept, so an order can be recomputed with the rules it was offered (the
// price check on arrival reads the PublishedCatalogue records, not these):
// one file per generation,
// {application folder}/published-rules/{project}/{UTC time}.toml. It is a
// TOML text in the sections of vendaro.toml ([tax.rates], [[shipping.methods]])
// plus [published], so TaxRules::read and ShippingRules::read read it back.
class PublishedRules {
 public:
  PublishedRules(const StoreInput& input, std::string project, std::time_t generated);

  std::string text() const;
  std::filesystem::path file(const std::filesystem::path& appFolder) const;
  // Writes the record whole; the file written, or empty on failure.
  std::filesystem::path write(const std::filesystem::path& appFolder) const;

 private:
  const StoreInput& input_;
  std::string project_;
  std::time_t generated_;
};

}  // namespace vendaro
