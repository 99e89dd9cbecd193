#include "store/StoreService.h"

#include <future>
#include <optional>
#include <system_error>
#include <unordered_set>

#include "common/Dates.h"
#include "common/PublishedCatalogue.h"
#include "common/StagedCatalogueRecord.h"
#include "common/StockFile.h"
#include "common/TextFile.h"
#include "store/CatalogueRecord.h"
#include "store/OrderScript.h"
#include "store/SalesTax.h"
#include "store/SiteGenerator.h"
#include "store/SiteWriting.h"
#include "store/Sitemap.h"
#include "store/StoreChecks.h"
#include "store/TemplateDefaults.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

bool present(const fs::path& file) {
  std::error_code error;
  return fs::exists(file, error);
}

Error cannotRead(const fs::path& file) {
  return failure(ErrorKind::Io, "cannot read " + file.string());
}

// The whole text of a file the project needs.
Outcome<std::string> readNeeded(const fs::path& file) {
  std::error_code error;
  std::optional<std::string> text;
  if (fs::is_regular_file(file, error)) text = readWholeFile(file);
  if (!text) return cannotRead(file);
  return std::move(*text);
}

// The text of `category`'s item file; empty, with the category noted in
// `read`, when it has none.
Outcome<std::string> readItemFile(const StoreProject& project, const std::string& category,
                                  ProjectInput& read) {
  const std::optional<fs::path> file = project.itemFile(category);
  if (!file) {
    return failure(ErrorKind::BadInput, "cannot use the category name \"" + category +
                                            "\": it is empty or would leave the project folder");
  }
  std::error_code error;
  const bool there = fs::exists(*file, error);
  if (error == std::errc::filename_too_long) {
    return failure(ErrorKind::BadInput, "the category name \"" + category +
                                            "\" is too long for a file name (" +
                                            std::to_string(category.size()) + " characters)");
  }
  if (error) {
    return failure(ErrorKind::Io, "cannot read " + file->string() + " (" + error.message() + ")");
  }
  if (!there) {
    read.withoutItemFile.push_back(category);
    return std::string();
  }
  if (!fs::is_regular_file(*file, error)) return cannotRead(*file);
  // Checked before the file is read: a link to any file of the system is never published.
  if (project.leadsOutside(*file)) {
    return failure(ErrorKind::BadInput, itemFileOutsideRefusal(category) + " Nothing was written.");
  }
  return readNeeded(*file);
}

// Every category of the category file with its items; a repeated category
// is left out with a note, as opening the project in the wizard does.
Done readCategories(const StoreProject& project, ProjectInput& read) {
  if (!present(project.categoryFile())) {
    return failure(ErrorKind::NotFound, "no category file " + project.categoryFile().string());
  }
  Outcome<std::string> list = readNeeded(project.categoryFile());
  if (!list) return list.error();
  std::unordered_set<std::string> seen;
  for (std::string& name : categoryLines(*list)) {
    if (!seen.insert(name).second) {
      read.notes.push_back(repeatedCategoryNote(name));
      continue;
    }
    Outcome<std::string> text = readItemFile(project, name, read);
    if (!text) return text.error();
    read.input.categories.push_back(categoryFromItemFile(std::move(name), *text, read.reports));
  }
  return {};
}

// The settings boxes as the project keeps them, or the defaults.
Outcome<ProjectSettings> readProjectSettings(const StoreProject& project,
                                             const StoreSettings& settings) {
  if (!present(project.settingsFile())) return defaultProjectSettings(settings);
  Outcome<std::string> text = readNeeded(project.settingsFile());
  if (!text) return text.error();
  return parseSettingsFile(*text);
}

// Refuses what the wizard's "Generate" refuses: the start file name, then
// the sales tax as its box would show it. Leaves the rate as the box would
// give it back.
Done checkSettingsBoxes(ProjectSettings& boxes) {
  const std::string percent = salesTaxPercent(boxes.salesTax);
  std::optional<std::string> why = startFileRefusal(boxes.startFile);
  if (!why) why = salesTaxRefusal(percent);
  if (why) return failure(ErrorKind::BadInput, *why);
  boxes.salesTax = salesTaxFraction(percent);
  return {};
}

Done checkOptions(const GenerateOptions& options) {
  if (!isContainedName(options.project)) {
    return failure(ErrorKind::BadInput,
                   "the project name \"" + options.project +
                       "\" must not be empty, \".\" or \"..\", and must not contain \"/\" or "
                       "\"\\\"");
  }
  if (!options.sitemapBase.empty() && !Sitemap::acceptsBase(options.sitemapBase)) {
    return failure(ErrorKind::BadInput, "the sitemap address \"" + options.sitemapBase +
                                            "\" must be an http:// or https:// address");
  }
  return {};
}

// The rules of what the pages publish, recorded once they were written. A
// start page alone changes prices and weights, while the order pages keep
// the tax and shipping of the last record.
PublishedCatalogue publicationRules(const SiteCatalogue& catalogue, const StoreProject& project,
                                    SiteScope scope) {
  PublishedCatalogue record = publishedRules(catalogue, project.name(), utcTimeNow());
  if (scope == SiteScope::StartPageOnly) {
    if (std::optional<PublishedCatalogue> last =
            newestPublishedCatalogue(project.appFolder(), record.project)) {
      record.salesTaxRate = last->salesTaxRate;
      record.shippingByWeight = last->shippingByWeight;
      record.weightBrackets = last->weightBrackets;
      record.checkout = last->checkout;
      record.taxRates = last->taxRates;
      record.shippingMethods = last->shippingMethods;
    }
  }
  return record;
}

}  // namespace

StoreInput storeInputOf(const ProjectSettings& boxes, const StoreSettings& settings,
                        const VendorSettings& vendor) {
  StoreInput input;
  input.vendorHost = vendor.host();
  input.vendorSite = vendor.baseUrl;
  input.startFile = boxes.startFile;
  input.merchant = settings.merchant;
  input.tax = settings.tax;
  input.shipping = settings.shipping;
  input.payment = settings.payment;
  input.emailAction = boxes.emailAction;
  input.goBackUrl = boxes.goBackUrl;
  input.fontStyle = boxes.fontStyle;
  input.tableStyle = boxes.tableStyle;
  input.formAction = boxes.formAction;
  input.salesTax = boxes.salesTax;
  const TemplateDefaults templates = templateDefaults(settings);
  input.template10 = templates.text10;
  input.template11 = templates.text11;
  input.template12 = templates.text12;
  input.template13 = templates.text13;
  input.template16 = templates.text16;
  input.template17 = templates.text17;
  return input;
}

Outcome<ProjectInput> readStoreProject(const GenerateOptions& options,
                                       const StoreSettings& settings,
                                       const VendorSettings& vendor) {
  if (Done usable = checkOptions(options); !usable) return usable.error();
  const StoreProject project(options.appFolder, options.project);
  std::error_code error;
  if (!fs::is_directory(project.folder(), error)) {
    return failure(ErrorKind::NotFound,
                   "no project \"" + options.project + "\" in " + options.appFolder.string());
  }
  ProjectInput read{};
  if (Done categories = readCategories(project, read); !categories) return categories.error();
  Outcome<ProjectSettings> boxes = readProjectSettings(project, settings);
  if (!boxes) return boxes.error();
  if (Done checked = checkSettingsBoxes(*boxes); !checked) return checked.error();

  std::vector<StoreCategory> categories = std::move(read.input.categories);
  read.input = storeInputOf(*boxes, settings, vendor);
  read.input.categories = std::move(categories);
  StoreInput& input = read.input;
  input.layout = options.layout;
  input.manufacturer = options.manufacturer;
  input.descriptionUrl = options.descriptionUrl;
  input.pictureUrl = options.pictureUrl;
  input.weight = options.weight;
  if (options.orderScript || settings.orderScript) {
    input.orderScriptAddress = orderAddressOf(input.emailAction, settings.orderEmail);
  }
  input.siteAddress = options.sitemapBase;
  input.stock = readStockFile(project.stockFile());
  return read;
}

StoreCategory categoryFromItemFile(std::string name, std::string_view text,
                                   std::vector<GeneratorReport>& reports) {
  const std::vector<std::string_view> records = lineViews(text);
  StoreCategory category{std::move(name), {}};
  category.items.reserve(records.size());
  for (std::size_t line = 0; line < records.size(); ++line) {
    const std::size_t fields = itemFieldCount(records[line]);
    if (fields != kItemFields) {
      reports.push_back({category.name, parseItemRecord(records[line]).id,
                         "line " + std::to_string(line + 1) + " has " + std::to_string(fields) +
                             " fields instead of seven; left out"});
      continue;
    }
    category.items.push_back(parseItemRecord(records[line]));
  }
  return category;
}

SiteRun publishSite(const StoreInput& input, const StoreProject& project, SiteScope scope,
                    SiteFiles& files, std::vector<GeneratorReport> reports) {
  SiteRun run;
  run.reports = std::move(reports);
  if (!project.usable()) {
    run.written = failure(ErrorKind::BadInput, "The project name \"" + project.name() +
                                                   "\" cannot be used. Nothing was written.");
    return run;
  }
  // One catalogue serves the pages and the record.
  const SiteCatalogue catalogue(input);
  SiteWriting writing(project.folder(), files);
  const auto write = [&run, &writing](SitePage page) {
    ++run.pages;
    writing.add(page);
  };
  if (scope == SiteScope::WholeSite) {
    generateSite(catalogue, run.reports, write);
  } else {
    write(generateStartPage(catalogue, run.reports));
  }
  // The pages are synced and put in place on a thread of their own while
  // the record is made and written; it is kept once they are in place. It
  // is made here, from the catalogue, so that it reuses the memory the pages
  // freed and its items are not held a second time.
  std::future<Outcome<std::vector<fs::path>>> placing =
      std::async(std::launch::async, [&writing] { return writing.finish(); });
  const PublishedCatalogue rules = publicationRules(catalogue, project, scope);
  const PublishedItemWalk items = publishedItems(catalogue);
  StagedCatalogueRecord record(project.appFolder(), rules, items,
                               publishedCatalogueText(rules, items));
  run.written = placing.get();
  if (run.written && !run.written->empty()) {
    const Done recorded = record.keep();
    if (!recorded) run.recordFailure = recorded.error().message;
  }
  return run;
}

std::string reportLine(const GeneratorReport& report) {
  std::string where;
  if (!report.category.empty()) where = "Category \"" + report.category + "\"";
  if (!report.itemId.empty()) {
    where += (where.empty() ? "Item \"" : ", item \"") + report.itemId + "\"";
  }
  return where.empty() ? report.message : where + ": " + report.message;
}

}  // namespace vendaro
