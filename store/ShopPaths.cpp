#include "store/ShopPaths.h"

#include <set>

#include "platform/Text.h"

namespace vendaro {
namespace {

// Names longer than this are cut, so a long description never makes a file
// name too long for the disk.
constexpr std::size_t kMaxSlug = 60;

// `wanted`, or with the first free "-N" added.
std::string unique(const std::string& wanted, std::set<std::string>& taken) {
  std::string name = wanted;
  for (int n = 2; !taken.insert(name).second; ++n) name = wanted + "-" + std::to_string(n);
  return name;
}

}  // namespace

std::string slugOf(const std::string& text, const std::string& empty) {
  std::string slug;
  for (const char c : text) {
    const char lower = text::lowerAscii(c);
    if ((lower >= 'a' && lower <= 'z') || (lower >= '0' && lower <= '9')) {
      slug += lower;
    } else if (!slug.empty() && slug.back() != '-') {
      slug += '-';
    }
    if (slug.size() >= kMaxSlug) break;
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug.empty() ? empty : slug;
}

ShopPaths::ShopPaths(const StoreInput& input) {
  std::set<std::string> categoryNames;
  std::set<std::string> itemKeys;
  for (const StoreCategory& category : input.categories) {
    const std::string slug = unique(slugOf(category.name, "category"), categoryNames);
    categories_.push_back("c-" + slug);
    auto& keys = items_.emplace_back();
    for (const ItemRecord& item : category.items) {
      keys.push_back(unique(slug + "-" + slugOf(item.id, "item"), itemKeys));
    }
  }
}

std::string ShopPaths::productPage(std::size_t category, std::size_t item) const {
  return "p-" + itemKey(category, item);
}

const std::string& ShopPaths::itemKey(std::size_t category, std::size_t item) const {
  return items_.at(category).at(item);
}

}  // namespace vendaro
