#pragma once

#include <ctime>
#include <filesystem>
#include <string>

#include "store/StoreInput.h"

namespace vendaro {

// The record of the rules a responsive shop's checkout applied when it was
// generated: currency, the default sales tax rate and the rates by place,
// and the shipping methods when shipping is by weight. The order check on
// arrival recomputes tax and shipping with the record that was in force, so
// earlier records are kept: one file per generation,
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
  std::string time(const char* format) const;

  const StoreInput& input_;
  std::string project_;
  std::time_t generated_;
};

}  // namespace vendaro
