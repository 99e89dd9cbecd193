#include "common/PublishedCatalogue.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <system_error>

#include "common/TextFile.h"
#include "common/UtcTime.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRecordExtension = ".toml";
// The four shipping methods, in the order of their charges.
constexpr std::size_t kShippingMethods = 4;

toml::table itemTable(const PublishedItem& item) {
  return toml::table{{"id", item.id},
                     {"description", item.description},
                     {"price", item.price},
                     {"weight", item.weight}};
}

toml::table bracketTable(const WeightBracket& bracket) {
  toml::array charges;
  for (const std::string& charge : bracket.charges) charges.push_back(charge);
  toml::table table{{"above", bracket.above}, {"charges", std::move(charges)}};
  if (bracket.upTo) table.insert("up_to", *bracket.upTo);
  return table;
}

template <typename View>
std::string textAt(const View& node) {
  return std::string(node.value_or(std::string_view()));
}

std::optional<WeightBracket> readBracket(const toml::table& table) {
  WeightBracket bracket;
  bracket.above = table["above"].value_or(0.0);
  if (auto upTo = table["up_to"].value<double>()) bracket.upTo = *upTo;
  const toml::array* charges = table["charges"].as_array();
  if (charges == nullptr || charges->size() != kShippingMethods) return std::nullopt;
  for (std::size_t i = 0; i < kShippingMethods; ++i) {
    bracket.charges[i] = std::string((*charges)[i].value_or(std::string_view()));
  }
  return bracket;
}

bool sameContent(const PublishedCatalogue& a, const PublishedCatalogue& b) {
  const auto sameBracket = [](const WeightBracket& x, const WeightBracket& y) {
    return x.above == y.above && x.upTo == y.upTo && x.charges == y.charges;
  };
  const auto sameItem = [](const PublishedItem& x, const PublishedItem& y) {
    return x.id == y.id && x.description == y.description && x.price == y.price &&
           x.weight == y.weight;
  };
  return a.project == b.project && a.salesTaxRate == b.salesTaxRate &&
         a.shippingByWeight == b.shippingByWeight &&
         std::equal(a.weightBrackets.begin(), a.weightBrackets.end(), b.weightBrackets.begin(),
                    b.weightBrackets.end(), sameBracket) &&
         std::equal(a.items.begin(), a.items.end(), b.items.begin(), b.items.end(), sameItem);
}

// The record files, oldest first (their names begin with the UTC time).
std::vector<fs::path> recordFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.path().extension() == kRecordExtension) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

std::string publishedCatalogueText(const PublishedCatalogue& catalogue) {
  toml::array brackets;
  for (const WeightBracket& bracket : catalogue.weightBrackets) {
    brackets.push_back(bracketTable(bracket));
  }
  toml::array items;
  for (const PublishedItem& item : catalogue.items) items.push_back(itemTable(item));
  toml::table root{{"project", catalogue.project}, {"generated", catalogue.generatedAt}};
  root.insert("tax", toml::table{{"rate", catalogue.salesTaxRate}});
  root.insert("shipping", toml::table{{"by_weight", catalogue.shippingByWeight},
                                      {"weight", std::move(brackets)}});
  root.insert("items", std::move(items));
  std::ostringstream out;
  out << "# What the shop generation published; arriving orders are checked against it.\n"
      << root << "\n";
  return out.str();
}

std::optional<PublishedCatalogue> readPublishedCatalogue(std::string_view text,
                                                         std::string& problem) {
  toml::table root;
  try {
    root = toml::parse(text);
  } catch (const toml::parse_error& error) {
    problem = std::string(error.description());
    return std::nullopt;
  }
  PublishedCatalogue catalogue;
  catalogue.project = textAt(root["project"]);
  catalogue.generatedAt = textAt(root["generated"]);
  catalogue.salesTaxRate = textAt(root["tax"]["rate"]);
  catalogue.shippingByWeight = root["shipping"]["by_weight"].value_or(false);
  if (const toml::array* brackets = root["shipping"]["weight"].as_array()) {
    for (const toml::node& node : *brackets) {
      const toml::table* table = node.as_table();
      std::optional<WeightBracket> bracket = table ? readBracket(*table) : std::nullopt;
      if (!bracket) {
        problem = "a shipping bracket is not four charges";
        return std::nullopt;
      }
      catalogue.weightBrackets.push_back(std::move(*bracket));
    }
  }
  if (const toml::array* items = root["items"].as_array()) {
    catalogue.items.reserve(items->size());
    for (const toml::node& node : *items) {
      const toml::table* item = node.as_table();
      if (item == nullptr) continue;
      catalogue.items.push_back({textAt((*item)["id"]), textAt((*item)["description"]),
                                 textAt((*item)["price"]), textAt((*item)["weight"])});
    }
  }
  return catalogue;
}

std::string recordPublishedCatalogue(const fs::path& appFolder,
                                     const PublishedCatalogue& catalogue) {
  const std::optional<PublishedCatalogue> newest =
      newestPublishedCatalogue(appFolder, catalogue.project);
  if (newest && sameContent(*newest, catalogue)) return {};
  const fs::path folder = appFolder / kPublishedFolder;
  std::error_code error;
  fs::create_directories(folder, error);
  if (error) return "cannot make " + folder.string() + ": " + error.message();
  // Two generations within one second get a running number after a "_",
  // which sorts after the "." of the first one's extension.
  const std::string stem = compactTimeText(catalogue.generatedAt);
  fs::path file = folder / (stem + kRecordExtension);
  for (int n = 2; fs::exists(file); ++n) {
    char number[16];
    std::snprintf(number, sizeof number, "_%03d", n);
    file = folder / (stem + number + kRecordExtension);
  }
  if (!writeWholeFile(file, publishedCatalogueText(catalogue))) {
    return "cannot write " + file.string();
  }
  return {};
}

std::vector<PublishedCatalogue> readPublishedCatalogues(const fs::path& appFolder,
                                                        std::vector<std::string>& problems) {
  std::vector<PublishedCatalogue> catalogues;
  for (const fs::path& file : recordFiles(appFolder / kPublishedFolder)) {
    const std::optional<std::string> text = readWholeFile(file);
    std::string problem = "cannot be read";
    std::optional<PublishedCatalogue> catalogue =
        text ? readPublishedCatalogue(*text, problem) : std::nullopt;
    if (catalogue) {
      catalogues.push_back(std::move(*catalogue));
    } else {
      problems.push_back(file.string() + ": " + problem);
    }
  }
  return catalogues;
}

// Newest first, reading only as far as the project's newest record.
std::optional<PublishedCatalogue> newestPublishedCatalogue(const fs::path& appFolder,
                                                           std::string_view project) {
  const std::vector<fs::path> files = recordFiles(appFolder / kPublishedFolder);
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    const std::optional<std::string> text = readWholeFile(*file);
    std::string problem;
    std::optional<PublishedCatalogue> record =
        text ? readPublishedCatalogue(*text, problem) : std::nullopt;
    if (record && record->project == project) return record;
  }
  return std::nullopt;
}

}  // namespace vendaro
