#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/ShopRules.h"
#include "platform/Outcome.h"

namespace vendaro {

// One item as a generation wrote it into the shop's script: the price and
// weight are the texts the shopper's browser computed with.
struct PublishedItem {
  std::string id;
  std::string description;
  std::string price;
  std::string weight;
};

// One row of the charges by weight: for a total weight above `above` up to
// and including `upTo` (no `upTo`: any weight above `above`), the charges of
// the four shipping methods Saver, Economy, Standard and Priority.
struct WeightBracket {
  double above = 0;
  std::optional<double> upTo;
  std::array<std::string, 4> charges;
};

// What one generation published: the order side checks every arriving order
// against these records. Each generation adds one record; earlier ones are
// kept so that an order placed before a price change checks against the
// prices it was offered.
struct PublishedCatalogue {
  // Which pages computed the orders' figures: the framed order pages (tax by
  // the shopper's choice of state, shipping from `weightBrackets`) or the
  // responsive checkout (tax by the shipping address from `taxRates`,
  // shipping from `shippingMethods`, money in whole cents).
  enum class Checkout { Framed, Responsive };

  std::string project;
  std::string generatedAt;   // UTC, "2026-12-07T12:50:01Z"
  std::string salesTaxRate;  // as written into the order pages
  bool shippingByWeight = false;
  std::vector<WeightBracket> weightBrackets;  // the charges the order pages compute
  std::vector<PublishedItem> items;
  Checkout checkout = Checkout::Framed;
  TaxRules taxRates = {};                            // responsive: the rates by place
  std::vector<ShippingMethod> shippingMethods = {};  // responsive, with shipping by weight
};

// The records live in this folder of the application folder, one file per
// generation, named so that they sort by time.
inline constexpr const char* kPublishedFolder = "published";
// Earlier versions kept the responsive checkout's rules apart, in
// {folder}/{project}/{UTC time}.toml; those records are still read.
inline constexpr const char* kPublishedRulesFolder = "published-rules";

// The record as a TOML document (tables [tax] and [shipping], an array of
// [[items]]), so further rules can be added as keys of their own.
std::string publishedCatalogueText(const PublishedCatalogue& catalogue);

// Hands every item of a record to `take`, in order, each valid only during
// the call; it may be called more than once.
using PublishedItemWalk =
    std::function<void(const std::function<void(const PublishedItem& item)>& take)>;

// The same text for the record `catalogue` with the items `items` walks
// through instead of its own: the items of a large catalogue need not be
// held a second time.
std::string publishedCatalogueText(const PublishedCatalogue& catalogue,
                                   const PublishedItemWalk& items);

// Reads a record; BadInput, with the reason, when it is not one. Its head
// and each item table are parsed apart, so a large record never becomes one
// tree.
Outcome<PublishedCatalogue> readPublishedCatalogue(std::string_view text);

// Adds the record to {appFolder}/published, unless it says the same as the
// newest record of its project; Io, with the file, when it cannot be kept.
Done recordPublishedCatalogue(const std::filesystem::path& appFolder,
                              const PublishedCatalogue& catalogue);

// Whether the project's newest record already says what `text`, a new record
// of `rules` (its own items not used) with the items `items` walks through,
// says.
bool isNewestRecord(const std::filesystem::path& appFolder, const PublishedCatalogue& rules,
                    std::string_view text, const PublishedItemWalk& items);

// A file name in {appFolder}/published, not yet taken, for a record made
// at `generatedAt`.
std::filesystem::path newRecordFile(const std::filesystem::path& appFolder,
                                    const std::string& generatedAt);

// Every record in {appFolder}/published, oldest first; files that cannot be
// read are named in `problems` and left out. Each record of the earlier
// published-rules folder is joined to the project's newest record not after
// it, as one more record of the responsive checkout.
std::vector<PublishedCatalogue> readPublishedCatalogues(const std::filesystem::path& appFolder,
                                                        std::vector<std::string>& problems);

// The newest record of a project, when there is one.
std::optional<PublishedCatalogue> newestPublishedCatalogue(const std::filesystem::path& appFolder,
                                                           std::string_view project);

}  // namespace vendaro
