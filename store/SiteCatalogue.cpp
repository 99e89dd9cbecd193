#include "store/SiteCatalogue.h"

#include "store/SafeNumber.h"

namespace vendaro {
namespace {

std::vector<std::string> namesOf(const std::vector<StoreCategory>& categories) {
  std::vector<std::string> names;
  for (const auto& category : categories) names.push_back(category.name);
  return names;
}

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

SiteCatalogue::SiteCatalogue(const StoreInput& input)
    : input_(input), scriptNames_(namesOf(input.categories)) {
  for (const auto& category : input.categories) {
    auto& numbers = numbers_.emplace_back();
    numbers.reserve(category.items.size());
    for (const auto& item : category.items) numbers.push_back(prepareItem(category.name, item));
  }
  // An empty rate would leave "var tax1=" without a value, so it counts as
  // not a number.
  SafeNumber tax = safeNumber(input.salesTax, EmptyValue::NotANumber);
  taxRate_ = tax.text;
  if (!tax.problem.empty()) {
    taxReports_.push_back({{}, {}, "sales tax rate " + quoted(input.salesTax) + " " + tax.problem});
  }
}

SiteCatalogue::ItemNumbers SiteCatalogue::prepareItem(const std::string& category,
                                                      const ItemRecord& item) {
  // An empty price would leave a hole in the argument list; an empty weight
  // is a script string that counts as 0 and is kept.
  SafeNumber price = safeNumber(item.price, EmptyValue::NotANumber);
  SafeNumber weight = safeNumber(item.weight, EmptyValue::WrittenAsTyped);
  if (!price.problem.empty()) {
    itemReports_.push_back(
        {category, item.id, "price " + quoted(item.price) + " " + price.problem});
  }
  if (!weight.problem.empty()) {
    itemReports_.push_back(
        {category, item.id, "weight " + quoted(item.weight) + " " + weight.problem});
  }
  return {price.text, weight.text};
}

const std::string& SiteCatalogue::price(std::size_t category, std::size_t item) const {
  return numbers_.at(category).at(item).price;
}

const std::string& SiteCatalogue::weight(std::size_t category, std::size_t item) const {
  return numbers_.at(category).at(item).weight;
}

}  // namespace vendaro
