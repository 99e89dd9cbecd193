#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "store/ScriptNames.h"
#include "store/StoreInput.h"

namespace vendaro {

// The generator's input with every value prepared for the page scripts:
// the category script names, the prices and weights as safe numbers and the
// sales tax rate. Values that could not be written as typed are collected as
// reports.
class SiteCatalogue {
 public:
  explicit SiteCatalogue(const StoreInput& input);

  const StoreInput& input() const { return input_; }
  const std::vector<StoreCategory>& categories() const { return input_.categories; }
  const std::string& scriptName(std::size_t category) const { return scriptNames_[category]; }
  // The price as written into script and the weight as written between the
  // quotes of its script string.
  const std::string& price(std::size_t category, std::size_t item) const;
  const std::string& weight(std::size_t category, std::size_t item) const;
  const std::string& taxRate() const { return taxRate_; }

  // Prices and weights that were not written as typed, by category and item.
  const std::vector<GeneratorReport>& itemReports() const { return itemReports_; }
  // The tax rate when it was not written as typed.
  const std::vector<GeneratorReport>& taxReports() const { return taxReports_; }

 private:
  struct ItemNumbers {
    std::string price;
    std::string weight;
  };
  ItemNumbers prepareItem(const std::string& category, const ItemRecord& item);

  const StoreInput& input_;
  ScriptNames scriptNames_;
  std::vector<std::vector<ItemNumbers>> numbers_;
  std::string taxRate_;
  std::vector<GeneratorReport> itemReports_;
  std::vector<GeneratorReport> taxReports_;
};

}  // namespace vendaro
