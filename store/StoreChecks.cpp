#include "store/StoreChecks.h"

#include <algorithm>
#include <array>
#include <utility>

#include "store/ProjectFiles.h"
#include "store/SafeNumber.h"

namespace vendaro {
namespace {

constexpr const char* kNotAdded = "; the item was not added.";
constexpr const char* kNothingWritten = " Nothing was written.";

std::string inQuotes(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

}  // namespace

std::optional<std::string> itemEntryRefusal(const ItemRecord& item) {
  // The labels of the entry boxes, in the order of the record.
  const std::array<std::pair<const char*, const std::string*>, 7> fields = {{
      {"Item ID", &item.id},
      {"Item Description", &item.description},
      {"Price", &item.price},
      {"Picture URL", &item.pictureUrl},
      {"Description URL", &item.descriptionUrl},
      {"Manufacturer", &item.manufacturer},
      {"Weight", &item.weight},
  }};
  for (const auto& [label, value] : fields) {
    if (value->find_first_of("^\r\n") != std::string::npos) {
      return std::string("The field ") + inQuotes(label) +
             " holds \"^\" or a line break, which the item file cannot keep" + kNotAdded;
    }
  }
  const SafeNumber price = safeNumber(item.price, EmptyValue::NotANumber);
  if (!price.reason.empty())
    return "The price " + inQuotes(item.price) + " " + price.reason + kNotAdded;
  const SafeNumber weight = safeNumber(item.weight, EmptyValue::WrittenAsTyped);
  if (!weight.reason.empty()) {
    return "The weight " + inQuotes(item.weight) + " " + weight.reason + kNotAdded;
  }
  return std::nullopt;
}

// Only a plain decimal number moves its point exactly into the fraction the
// project keeps, so a decimal comma or a sign is refused too.
std::optional<std::string> salesTaxRefusal(std::string_view percent) {
  const bool plain = !percent.empty() && percent.find_first_not_of("0123456789.") ==
                                             std::string_view::npos &&
                     std::count(percent.begin(), percent.end(), '.') <= 1 && percent != ".";
  const SafeNumber tax = safeNumber(percent, EmptyValue::NotANumber);
  if (plain && tax.value >= 0 && tax.value <= 100) return std::nullopt;
  return "The sales tax " + inQuotes(percent) +
         " is not a percentage between 0 and 100: type 8.25 for 8.25%." + kNothingWritten;
}

std::optional<std::string> startFileRefusal(std::string_view startFile) {
  if (startFile.empty()) {
    return std::string(
               "The start file name is empty, which would write the start page as "
               "\".htm\"; type a name such as index on the \"Web Style\" tab.") +
           kNothingWritten;
  }
  if (!isContainedName(startFile)) {
    return "The start file name " + inQuotes(startFile) +
           " must not be \".\" or \"..\" or contain \"/\" or \"\\\"." + kNothingWritten;
  }
  return std::nullopt;
}

std::string itemFileOutsideRefusal(const std::string& category) {
  return "The item file of category " + inQuotes(category) +
         " leads outside the project folder, so it was not read.";
}

std::string repeatedCategoryNote(const std::string& category) {
  return "The category " + inQuotes(category) + " is listed more than once; the repeat was left out.";
}

}  // namespace vendaro
