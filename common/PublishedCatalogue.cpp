#include "common/PublishedCatalogue.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <sstream>
#include <system_error>

#include "common/StagedCatalogueRecord.h"
#include "common/TextFile.h"
#include "platform/settings/SettingsFile.h"

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

// A text TOML writes as a literal string ('text') unchanged: printable
// ASCII without quote or backslash.
bool plainText(std::string_view text) {
  // Looked up rather than compared: a record holds megabytes of these texts.
  static constexpr std::array<bool, 256> kPlain = [] {
    std::array<bool, 256> table{};
    for (int c = 0x20; c <= 0x7E; ++c) table[c] = c != '\'' && c != '\\';
    return table;
  }();
  return !text.empty() && std::all_of(text.begin(), text.end(),
                                      [](char c) { return kPlain[static_cast<unsigned char>(c)]; });
}

// One [[items]] table as the TOML writer prints it. Items of plain texts,
// nearly all, are written directly; the others go through the writer, one
// small table each, so the record never holds a tree of every item.
void appendItemTable(std::string& text, const PublishedItem& item) {
  if (plainText(item.id) && plainText(item.description) && plainText(item.price) &&
      plainText(item.weight)) {
    for (std::string_view piece :
         {std::string_view("[[items]]\ndescription = '"), std::string_view(item.description),
          std::string_view("'\nid = '"), std::string_view(item.id),
          std::string_view("'\nprice = '"), std::string_view(item.price),
          std::string_view("'\nweight = '"), std::string_view(item.weight),
          std::string_view("'")}) {
      text.append(piece);
    }
    return;
  }
  std::ostringstream out;
  out << toml::table{{"items", toml::array{itemTable(item)}}};
  text += out.str();
}

toml::table bracketTable(const WeightBracket& bracket) {
  toml::array charges;
  for (const std::string& charge : bracket.charges) charges.push_back(charge);
  toml::table table{{"above", bracket.above}, {"charges", std::move(charges)}};
  if (bracket.upTo) table.insert("up_to", *bracket.upTo);
  return table;
}

constexpr const char* kResponsiveLayout = "responsive";

toml::table methodTable(const ShippingMethod& method) {
  toml::array bands;
  for (const ShippingMethod::Band& band : method.bands) {
    bands.push_back(toml::array{band.upTo, static_cast<std::int64_t>(band.cents)});
  }
  return toml::table{{"name", method.name},
                     {"delivery", method.delivery},
                     {"bands", std::move(bands)},
                     {"over_cents", static_cast<std::int64_t>(method.overCents)}};
}

std::optional<ShippingMethod> readMethod(const toml::table& table) {
  ShippingMethod method;
  method.name = std::string(table["name"].value_or(std::string_view()));
  method.delivery = std::string(table["delivery"].value_or(std::string_view()));
  const toml::array* bands = table["bands"].as_array();
  if (bands == nullptr) return std::nullopt;
  for (const toml::node& node : *bands) {
    const toml::array* band = node.as_array();
    if (band == nullptr || band->size() != 2) return std::nullopt;
    const std::optional<double> upTo = (*band)[0].value<double>();
    const std::optional<std::int64_t> cents = (*band)[1].value<std::int64_t>();
    if (!upTo || !cents) return std::nullopt;
    method.bands.push_back({*upTo, *cents});
  }
  method.overCents = table["over_cents"].value_or(std::int64_t{0});
  return method;
}

// The responsive checkout's rules: [tax] rates by place, [shipping] methods.
void insertCheckoutRules(const PublishedCatalogue& catalogue, toml::table& root) {
  if (catalogue.checkout != PublishedCatalogue::Checkout::Responsive) return;
  root.insert("layout", kResponsiveLayout);
  toml::table rates;
  for (const TaxRules::Rate& rate : catalogue.taxRates.rates) rates.insert(rate.place, rate.rate);
  root["tax"].as_table()->insert("rates", std::move(rates));
  toml::array methods;
  for (const ShippingMethod& method : catalogue.shippingMethods) {
    methods.push_back(methodTable(method));
  }
  root["shipping"].as_table()->insert("methods", std::move(methods));
}

bool readCheckoutRules(const toml::table& root, PublishedCatalogue& catalogue,
                       std::string& problem) {
  if (root["layout"].value_or(std::string_view()) != kResponsiveLayout) return true;
  catalogue.checkout = PublishedCatalogue::Checkout::Responsive;
  if (const toml::table* rates = root["tax"]["rates"].as_table()) {
    for (const auto& [place, rate] : *rates) {
      catalogue.taxRates.rates.push_back({std::string(place.str()), rate.value_or(0.0)});
    }
  }
  if (const toml::array* methods = root["shipping"]["methods"].as_array()) {
    for (const toml::node& node : *methods) {
      const toml::table* table = node.as_table();
      std::optional<ShippingMethod> method = table ? readMethod(*table) : std::nullopt;
      if (!method) {
        problem = "a shipping method is not a name with bands of [weight, cents]";
        return false;
      }
      catalogue.shippingMethods.push_back(std::move(*method));
    }
  }
  return true;
}

template <typename View>
std::string textAt(const View& node) {
  return std::string(node.value_or(std::string_view()));
}

void addItems(const toml::array& tables, std::vector<PublishedItem>& items) {
  items.reserve(items.size() + tables.size());
  for (const toml::node& node : tables) {
    const toml::table* item = node.as_table();
    if (item == nullptr) continue;
    items.push_back({textAt((*item)["id"]), textAt((*item)["description"]),
                     textAt((*item)["price"]), textAt((*item)["weight"])});
  }
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

bool sameItem(const PublishedItem& x, const PublishedItem& y) {
  return x.id == y.id && x.description == y.description && x.price == y.price &&
         x.weight == y.weight;
}

// Whether two records hold the same rules; their items apart.
bool sameRules(const PublishedCatalogue& a, const PublishedCatalogue& b) {
  const auto sameBracket = [](const WeightBracket& x, const WeightBracket& y) {
    return x.above == y.above && x.upTo == y.upTo && x.charges == y.charges;
  };
  const auto sameRate = [](const TaxRules::Rate& x, const TaxRules::Rate& y) {
    return x.place == y.place && x.rate == y.rate;
  };
  const auto sameBand = [](const ShippingMethod::Band& x, const ShippingMethod::Band& y) {
    return x.upTo == y.upTo && x.cents == y.cents;
  };
  const auto sameMethod = [&sameBand](const ShippingMethod& x, const ShippingMethod& y) {
    return x.name == y.name && x.delivery == y.delivery && x.overCents == y.overCents &&
           std::equal(x.bands.begin(), x.bands.end(), y.bands.begin(), y.bands.end(), sameBand);
  };
  return a.project == b.project && a.salesTaxRate == b.salesTaxRate && a.checkout == b.checkout &&
         std::equal(a.taxRates.rates.begin(), a.taxRates.rates.end(), b.taxRates.rates.begin(),
                    b.taxRates.rates.end(), sameRate) &&
         std::equal(a.shippingMethods.begin(), a.shippingMethods.end(), b.shippingMethods.begin(),
                    b.shippingMethods.end(), sameMethod) &&
         a.shippingByWeight == b.shippingByWeight &&
         std::equal(a.weightBrackets.begin(), a.weightBrackets.end(), b.weightBrackets.begin(),
                    b.weightBrackets.end(), sameBracket);
}

bool sameItems(const std::vector<PublishedItem>& recorded, const PublishedItemWalk& items) {
  std::size_t k = 0;
  bool same = true;
  items([&](const PublishedItem& item) {
    same = same && k < recorded.size() && sameItem(recorded[k], item);
    ++k;
  });
  return same && k == recorded.size();
}

PublishedItemWalk walkOf(const std::vector<PublishedItem>& items) {
  return [&items](const std::function<void(const PublishedItem&)>& take) {
    for (const PublishedItem& item : items) take(item);
  };
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

// "2026-12-07T12:50:01Z" gives "20261207T125001Z".
std::string compactTime(const std::string& time) {
  std::string compact;
  for (const char c : time) {
    if (c != '-' && c != ':') compact += c;
  }
  return compact;
}

// "20261207T125001Z" gives "2026-12-07T12:50:01Z"; other names stay as they are.
std::string isoTime(const std::string& compact) {
  if (compact.size() != 16 || compact[8] != 'T') return compact;
  return compact.substr(0, 4) + "-" + compact.substr(4, 2) + "-" + compact.substr(6, 2) + "T" +
         compact.substr(9, 2) + ":" + compact.substr(11, 2) + ":" + compact.substr(13);
}

// The project's newest record generated at or before `time`.
const PublishedCatalogue* newestAtOrBefore(const std::vector<PublishedCatalogue>& catalogues,
                                           const std::string& project, const std::string& time) {
  const PublishedCatalogue* found = nullptr;
  for (const PublishedCatalogue& catalogue : catalogues) {
    if (catalogue.project == project && catalogue.generatedAt <= time) found = &catalogue;
  }
  return found;
}

// The responsive checkout's rules as an earlier version recorded them (the
// sections of vendaro.toml), joined to the catalogue generated with them.
std::optional<PublishedCatalogue> joinedRulesRecord(const PublishedCatalogue& catalogue,
                                                    const fs::path& file, std::string& problem) {
  const std::optional<std::string> text = readWholeFile(file);
  if (!text) {
    problem = "cannot be read";
    return std::nullopt;
  }
  PublishedCatalogue record = catalogue;
  try {
    const SettingsFile rules = SettingsFile::parse(*text, file.filename().string());
    record.taxRates = TaxRules::read(rules);
    if (record.shippingByWeight) record.shippingMethods = ShippingRules::read(rules).methods;
  } catch (const SettingsError& error) {
    problem = error.what();
    return std::nullopt;
  }
  record.checkout = PublishedCatalogue::Checkout::Responsive;
  record.generatedAt = isoTime(file.stem().string());
  record.weightBrackets.clear();
  return record;
}

void addEarlierRulesRecords(const fs::path& appFolder, std::vector<PublishedCatalogue>& catalogues,
                            std::vector<std::string>& problems) {
  std::vector<PublishedCatalogue> joined;
  std::error_code error;
  for (const auto& project : fs::directory_iterator(appFolder / kPublishedRulesFolder, error)) {
    if (!project.is_directory(error)) continue;
    for (const fs::path& file : recordFiles(project.path())) {
      const PublishedCatalogue* catalogue = newestAtOrBefore(
          catalogues, project.path().filename().string(), isoTime(file.stem().string()));
      if (catalogue == nullptr) continue;  // no catalogue of that generation to join
      std::string problem;
      std::optional<PublishedCatalogue> record = joinedRulesRecord(*catalogue, file, problem);
      if (record) {
        joined.push_back(std::move(*record));
      } else {
        problems.push_back(file.string() + ": " + problem);
      }
    }
  }
  if (joined.empty()) return;
  catalogues.insert(catalogues.end(), joined.begin(), joined.end());
  std::stable_sort(catalogues.begin(), catalogues.end(),
                   [](const PublishedCatalogue& a, const PublishedCatalogue& b) {
                     return a.generatedAt < b.generatedAt;
                   });
}

// The part of a record before its item tables (written last), which holds
// the project and the rules.
std::string_view recordHead(std::string_view text) {
  const std::size_t items = text.find("\n[[items]]");
  return items == std::string_view::npos ? text : text.substr(0, items + 1);
}

// A record's values from its parsed TOML; the items those of `root` (an
// array of tables), when it has them.
Outcome<PublishedCatalogue> readParsedRecord(const toml::table& root) {
  PublishedCatalogue catalogue;
  catalogue.project = textAt(root["project"]);
  catalogue.generatedAt = textAt(root["generated"]);
  catalogue.salesTaxRate = textAt(root["tax"]["rate"]);
  catalogue.shippingByWeight = root["shipping"]["by_weight"].value_or(false);
  if (const toml::array* brackets = root["shipping"]["weight"].as_array()) {
    for (const toml::node& node : *brackets) {
      const toml::table* table = node.as_table();
      std::optional<WeightBracket> bracket = table ? readBracket(*table) : std::nullopt;
      if (!bracket) return failure(ErrorKind::BadInput, "a shipping bracket is not four charges");
      catalogue.weightBrackets.push_back(std::move(*bracket));
    }
  }
  if (std::string problem; !readCheckoutRules(root, catalogue, problem)) {
    return failure(ErrorKind::BadInput, problem);
  }
  if (const toml::array* items = root["items"].as_array()) addItems(*items, catalogue.items);
  return catalogue;
}

// One item table as appendItemTable writes plain texts, read without the
// parser: literal strings are taken as they stand. Nothing for any other
// text, which the parser then reads.
std::optional<PublishedItem> plainItemTable(std::string_view table) {
  static constexpr std::array<std::string_view, 4> kOpenings = {
      "[[items]]\ndescription = '", "'\nid = '", "'\nprice = '", "'\nweight = '"};
  std::array<std::string_view, 4> values;
  for (std::size_t k = 0; k < kOpenings.size(); ++k) {
    if (!table.starts_with(kOpenings[k])) return std::nullopt;
    table.remove_prefix(kOpenings[k].size());
    values[k] = table.substr(0, table.find('\''));
    if (values[k].size() == table.size() || (!values[k].empty() && !plainText(values[k]))) {
      return std::nullopt;
    }
    table.remove_prefix(values[k].size());
  }
  if (table.find_first_not_of('\n', 1) != std::string_view::npos) return std::nullopt;
  return PublishedItem{std::string(values[1]), std::string(values[0]), std::string(values[2]),
                       std::string(values[3])};
}

constexpr std::string_view kNextTable = "\n[[items]]";

// Adds the items of `part`, some of a record's item tables, to `items`;
// false when it is more than item tables.
bool addParsedTables(std::string_view part, std::vector<PublishedItem>& items) {
  toml::table tables;
  try {
    tables = toml::parse(part);
  } catch (const toml::parse_error&) {
    return false;
  }
  const toml::array* array = tables["items"].as_array();
  if (array == nullptr || tables.size() != 1) return false;
  addItems(*array, items);
  return true;
}

// The items of a record, read one item table at a time from the text after
// its head; `first` are those its head held.
class ItemTables {
 public:
  ItemTables(std::vector<PublishedItem> first, std::string_view tables)
      : parsed_(std::move(first)), rest_(tables) {}

  // The next item; nothing at the end, or once a part of the text was more
  // than item tables (not `readable`).
  std::optional<PublishedItem> next() {
    while (nextParsed_ == parsed_.size()) {
      parsed_.clear();
      nextParsed_ = 0;
      if (rest_.empty() || !readable_) return std::nullopt;
      const std::size_t end = rest_.find(kNextTable, 1);
      const std::string_view table = rest_.substr(0, end == std::string_view::npos ? end : end + 1);
      rest_.remove_prefix(table.size());
      if (std::optional<PublishedItem> plain = plainItemTable(table)) return plain;
      readable_ = addParsedTables(table, parsed_);
    }
    return std::move(parsed_[nextParsed_++]);
  }
  bool readable() const { return readable_; }

 private:
  std::vector<PublishedItem> parsed_;
  std::size_t nextParsed_ = 0;
  std::string_view rest_;
  bool readable_ = true;
};

// A record's head, parsed; nothing when it is not TOML or not a record.
std::optional<PublishedCatalogue> readHead(std::string_view head) {
  try {
    Outcome<PublishedCatalogue> read = readParsedRecord(toml::parse(head));
    if (read) return std::move(read).value();
  } catch (const toml::parse_error&) {
  }
  return std::nullopt;
}

// The head and each item table parsed apart, so that a record of many items
// never becomes one tree; nothing when the text is not laid out so, which
// the parse of the whole text then reads or refuses.
std::optional<PublishedCatalogue> readInParts(std::string_view text) {
  const std::string_view head = recordHead(text);
  std::optional<PublishedCatalogue> catalogue = readHead(head);
  if (!catalogue) return std::nullopt;
  const std::string_view rest = text.substr(head.size());
  std::size_t count = catalogue->items.size();
  for (std::size_t at = rest.find("[[items]]"); at != std::string_view::npos;
       at = rest.find(kNextTable, at + 1)) {
    ++count;
  }
  catalogue->items.reserve(count);
  ItemTables tables({}, rest);
  while (std::optional<PublishedItem> item = tables.next()) {
    catalogue->items.push_back(std::move(*item));
  }
  if (!tables.readable()) return std::nullopt;
  return catalogue;
}

// Whether the record `recorded` holds `rules` with the items `items` walks
// through, its item tables compared as they are read, so that its items are
// never held whole; nothing when it cannot be read in parts.
std::optional<bool> sameInParts(std::string_view recorded, const PublishedCatalogue& rules,
                                const PublishedItemWalk& items) {
  const std::string_view head = recordHead(recorded);
  std::optional<PublishedCatalogue> read = readHead(head);
  if (!read) return std::nullopt;
  ItemTables tables(std::move(read->items), recorded.substr(head.size()));
  bool same = true;
  items([&same, &tables](const PublishedItem& item) {
    if (!same) return;
    const std::optional<PublishedItem> old = tables.next();
    same = old && sameItem(*old, item);
  });
  if (!tables.readable()) return std::nullopt;
  if (!same || tables.next()) return false;
  // Read to the end: a part that is not item tables may hold rules.
  if (!tables.readable()) return std::nullopt;
  return sameRules(*read, rules);
}

// The project a record names, read from its head alone, so records of other
// projects are passed over without reading their items.
std::optional<std::string> recordProject(std::string_view text) {
  try {
    const toml::table head = toml::parse(recordHead(text));
    return textAt(head["project"]);
  } catch (const toml::parse_error&) {
    return std::nullopt;
  }
}

// Whether two record texts differ at most in their "generated" line, as two
// records of the same content written by this program do.
bool sameApartFromTime(std::string_view a, std::string_view b) {
  constexpr std::string_view kTimeLine = "\ngenerated = ";
  const std::size_t timeA = recordHead(a).find(kTimeLine);
  const std::size_t timeB = recordHead(b).find(kTimeLine);
  if (timeA == std::string_view::npos || timeB == std::string_view::npos) return false;
  const std::size_t endA = a.find('\n', timeA + 1);
  const std::size_t endB = b.find('\n', timeB + 1);
  if (endA == std::string_view::npos || endB == std::string_view::npos) return false;
  return a.substr(0, timeA) == b.substr(0, timeB) && a.substr(endA) == b.substr(endB);
}

}  // namespace

// A record whose text is the new one's but for its time is the same without
// a parse of its items; any other is compared field by field.
bool isNewestRecord(const fs::path& appFolder, const PublishedCatalogue& rules,
                    std::string_view text, const PublishedItemWalk& items) {
  const std::vector<fs::path> files = recordFiles(appFolder / kPublishedFolder);
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    std::optional<std::string> recorded = readWholeFile(*file);
    if (!recorded) continue;
    const std::optional<std::string> project = recordProject(*recorded);
    if (project && *project != rules.project) continue;
    if (project && sameApartFromTime(*recorded, text)) return true;
    if (project) {
      if (const std::optional<bool> same = sameInParts(*recorded, rules, items)) return *same;
    }
    const Outcome<PublishedCatalogue> record = readPublishedCatalogue(*recorded);
    recorded.reset();  // its items are read; the text is not held beside them
    if (!record || record->project != rules.project) continue;
    return sameRules(*record, rules) && sameItems(record->items, items);
  }
  return false;
}

std::string publishedCatalogueText(const PublishedCatalogue& catalogue) {
  return publishedCatalogueText(catalogue, walkOf(catalogue.items));
}

std::string publishedCatalogueText(const PublishedCatalogue& catalogue,
                                   const PublishedItemWalk& items) {
  // Room for every item table at once (60 characters of each are fixed), so
  // the text of a large catalogue is not regrown while the old copy lives.
  std::size_t itemsSize = 0;
  items([&itemsSize](const PublishedItem& item) {
    itemsSize +=
        64 + item.id.size() + item.description.size() + item.price.size() + item.weight.size();
  });
  toml::array brackets;
  for (const WeightBracket& bracket : catalogue.weightBrackets) {
    brackets.push_back(bracketTable(bracket));
  }
  toml::table root{{"project", catalogue.project}, {"generated", catalogue.generatedAt}};
  root.insert("tax", toml::table{{"rate", catalogue.salesTaxRate}});
  root.insert("shipping", toml::table{{"by_weight", catalogue.shippingByWeight},
                                      {"weight", std::move(brackets)}});
  insertCheckoutRules(catalogue, root);
  // No items: an empty array, written among the keys. Otherwise the items
  // are the document's only array of tables, which TOML writes last.
  if (itemsSize == 0) root.insert("items", toml::array{});
  std::ostringstream out;
  out << "# What the shop generation published; arriving orders are checked against it.\n" << root;
  std::string text = std::move(out).str();
  text.reserve(text.size() + itemsSize + 1);
  items([&text](const PublishedItem& item) {
    text += "\n\n";
    appendItemTable(text, item);
  });
  text += "\n";
  return text;
}

Outcome<PublishedCatalogue> readPublishedCatalogue(std::string_view text) {
  if (std::optional<PublishedCatalogue> read = readInParts(text)) return std::move(*read);
  try {
    return readParsedRecord(toml::parse(text));
  } catch (const toml::parse_error& error) {
    return failure(ErrorKind::BadInput, std::string(error.description()));
  }
}

Done recordPublishedCatalogue(const fs::path& appFolder, const PublishedCatalogue& catalogue) {
  return StagedCatalogueRecord(appFolder, catalogue, walkOf(catalogue.items),
                               publishedCatalogueText(catalogue))
      .keep();
}

fs::path newRecordFile(const fs::path& appFolder, const std::string& generatedAt) {
  // Two generations within one second get a running number after a "_",
  // which sorts after the "." of the first one's extension.
  const fs::path folder = appFolder / kPublishedFolder;
  const std::string stem = compactTime(generatedAt);
  fs::path file = folder / (stem + kRecordExtension);
  for (int n = 2; fs::exists(file); ++n) {
    char number[16];
    std::snprintf(number, sizeof number, "_%03d", n);
    file = folder / (stem + number + kRecordExtension);
  }
  return file;
}

std::vector<PublishedCatalogue> readPublishedCatalogues(const fs::path& appFolder,
                                                        std::vector<std::string>& problems) {
  std::vector<PublishedCatalogue> catalogues;
  for (const fs::path& file : recordFiles(appFolder / kPublishedFolder)) {
    const std::optional<std::string> text = readWholeFile(file);
    if (!text) {
      problems.push_back(file.string() + ": cannot be read");
      continue;
    }
    Outcome<PublishedCatalogue> catalogue = readPublishedCatalogue(*text);
    if (catalogue) {
      catalogues.push_back(std::move(catalogue).value());
    } else {
      problems.push_back(file.string() + ": " + catalogue.error().message);
    }
  }
  addEarlierRulesRecords(appFolder, catalogues, problems);
  return catalogues;
}

// Newest first, reading only as far as the project's newest record.
std::optional<PublishedCatalogue> newestPublishedCatalogue(const fs::path& appFolder,
                                                           std::string_view project) {
  const std::vector<fs::path> files = recordFiles(appFolder / kPublishedFolder);
  for (auto file = files.rbegin(); file != files.rend(); ++file) {
    const std::optional<std::string> text = readWholeFile(*file);
    if (!text) continue;
    Outcome<PublishedCatalogue> record = readPublishedCatalogue(*text);
    if (record && record->project == project) return std::move(record).value();
  }
  return std::nullopt;
}

}  // namespace vendaro
