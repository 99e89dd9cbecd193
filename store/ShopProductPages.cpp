#include "store/ShopProductPages.h"

#include "platform/Text.h"
#include "store/ShopText.h"

namespace vendaro {
namespace {

using text::htmlEscaped;

constexpr const char* kExt = ShopPageFrame::kExtension;

// Pictures are drawn 4:3 into the card; width and height keep their room
// while they load.
constexpr const char* kPictureSize = "width=\"400\" height=\"300\"";

std::string itemName(const ItemRecord& item) {
  return item.description.empty() ? item.id : item.description;
}

}  // namespace

ShopProductPages::ShopProductPages(const SiteCatalogue& catalogue, const ShopPaths& paths,
                                   const ShopPageFrame& frame)
    : catalogue_(catalogue), input_(catalogue.input()), paths_(paths), frame_(frame) {}

long long ShopProductPages::cents(std::size_t category, std::size_t item) const {
  return priceCents(catalogue_.price(category, item));
}

std::string ShopProductPages::money(std::size_t category, std::size_t item) const {
  return shownMoney(cents(category, item), input_.merchant.currency);
}

std::string ShopProductPages::picture(const ItemRecord& item, const char* loading) const {
  if (!input_.pictureUrl || item.pictureUrl.empty()) return {};
  return "<img src=\"" + htmlEscaped(item.pictureUrl) + "\" alt=\"" + htmlEscaped(itemName(item)) +
         "\" " + kPictureSize + " loading=\"" + loading + "\" decoding=\"async\">";
}

std::string ShopProductPages::details(const ItemRecord& item) const {
  std::string text = "<p class=\"meta\">Item " + htmlEscaped(item.id);
  if (input_.manufacturer && !item.manufacturer.empty()) {
    text += " &middot; " + htmlEscaped(item.manufacturer);
  }
  return text + "</p>";
}

std::string ShopProductPages::addToBasketForm(std::size_t category, std::size_t item,
                                              const std::string& idPrefix) const {
  const std::string& key = paths_.itemKey(category, item);
  const std::string id = idPrefix + key;
  const ItemRecord& record = input_.categories[category].items[item];
  const std::string name = htmlEscaped(itemName(record));
  const auto count = input_.stock.find(record.id);
  // An item counted at nothing left cannot be put in the basket.
  const bool soldOut = count != input_.stock.end() && count->second <= 0;
  const std::string disabled = soldOut ? " disabled" : "";
  std::vector<std::string> lines;
  if (soldOut) lines.push_back("<p><strong>Sold out</strong></p>");
  lines.insert(lines.end(),
               {
                   "<form class=\"add\" data-key=\"" + key + "\" data-name=\"" + name + "\">",
                   "<div><label for=\"" + id + "\">Quantity</label>",
                   "<input id=\"" + id +
                       "\" name=\"quantity\" type=\"number\" inputmode=\"numeric\" "
                       "min=\"1\" max=\"999\" value=\"1\" required" +
                       disabled + "></div>",
                   "<button type=\"submit\"" + disabled + ">Add to basket</button>",
                   "</form>",
               });
  return shopLines(lines);
}

std::string ShopProductPages::card(std::size_t category, std::size_t item) const {
  const ItemRecord& record = input_.categories[category].items[item];
  std::vector<std::string> lines = {"<li class=\"card\">"};
  const std::string pictureText = picture(record, "lazy");
  if (!pictureText.empty()) lines.push_back(pictureText);
  lines.push_back("<h2><a href=\"" + paths_.productPage(category, item) + kExt + "\">" +
                  htmlEscaped(itemName(record)) + "</a></h2>");
  lines.push_back(details(record));
  lines.push_back("<p class=\"price\">" + money(category, item) + "</p>");
  lines.push_back(addToBasketForm(category, item, "q-"));
  lines.push_back("</li>");
  return shopLines(lines);
}

std::string ShopProductPages::startPage(const std::string& file) const {
  const std::string shop = input_.merchant.shopName();
  std::vector<std::string> lines = {"<h1>" + htmlEscaped(shop) + "</h1>"};
  std::string description = shop + ":";
  if (input_.categories.empty()) lines.push_back("<p>There are no products yet.</p>");
  lines.push_back("<ul class=\"cards categories\">");
  for (std::size_t k = 0; k < input_.categories.size(); ++k) {
    const StoreCategory& category = input_.categories[k];
    const std::size_t count = category.items.size();
    lines.push_back("<li class=\"card\"><h2><a href=\"" + paths_.categoryPage(k) + kExt + "\">" +
                    htmlEscaped(category.name) + "</a></h2><p>" + std::to_string(count) +
                    (count == 1 ? " product" : " products") + "</p></li>");
    description += (k == 0 ? " " : ", ") + category.name;
  }
  lines.push_back("</ul>");
  ShopPageHead head;
  head.file = file;
  head.title = shop;
  head.description = input_.categories.empty() ? shop : description;
  return frame_.page(head, shopLines(lines));
}

std::string ShopProductPages::categoryPage(std::size_t category) const {
  const StoreCategory& shown = input_.categories[category];
  std::vector<std::string> lines = {"<h1>" + htmlEscaped(shown.name) + "</h1>"};
  if (shown.items.empty()) lines.push_back("<p>There are no products in this category yet.</p>");
  lines.push_back("<ul class=\"cards\">");
  std::string description = shown.name + ":";
  for (std::size_t j = 0; j < shown.items.size(); ++j) {
    lines.push_back(card(category, j));
    if (j < 10) description += (j == 0 ? " " : ", ") + itemName(shown.items[j]);
  }
  lines.push_back("</ul>");
  ShopPageHead head;
  head.file = paths_.categoryPage(category) + kExt;
  head.title = shown.name;
  head.description = description;
  return frame_.page(head, shopLines(lines));
}

std::string ShopProductPages::productData(std::size_t category, std::size_t item) const {
  const ItemRecord& record = input_.categories[category].items[item];
  std::string offer = "{\"@type\":\"Offer\",\"price\":\"" + plainMoney(cents(category, item)) +
                      "\",\"availability\":\"https://schema.org/InStock\"";
  const std::string code = currencyCode(input_.merchant.currency);
  if (!code.empty()) offer += ",\"priceCurrency\":" + text::jsonString(code);
  const std::string address =
      siteAddressOf(input_.siteAddress, paths_.productPage(category, item) + kExt);
  if (!address.empty()) offer += ",\"url\":" + text::jsonString(address);
  offer += "}";
  std::string data = "{\"@context\":\"https://schema.org\",\"@type\":\"Product\",\"name\":" +
                     text::jsonString(itemName(record)) + ",\"sku\":" + text::jsonString(record.id);
  if (input_.manufacturer && !record.manufacturer.empty()) {
    data +=
        ",\"brand\":{\"@type\":\"Brand\",\"name\":" + text::jsonString(record.manufacturer) + "}";
  }
  if (input_.pictureUrl && !record.pictureUrl.empty()) {
    const std::string image = text::isWebAddress(record.pictureUrl)
                                  ? record.pictureUrl
                                  : siteAddressOf(input_.siteAddress, record.pictureUrl);
    if (!image.empty()) data += ",\"image\":" + text::jsonString(image);
  }
  return data + ",\"offers\":" + offer + "}";
}

std::string ShopProductPages::productPage(std::size_t category, std::size_t item) const {
  const StoreCategory& shown = input_.categories[category];
  const ItemRecord& record = shown.items[item];
  std::vector<std::string> lines = {"<p><a href=\"" + paths_.categoryPage(category) + kExt + "\">" +
                                        htmlEscaped(shown.name) + "</a></p>",
                                    "<article class=\"product\">"};
  const std::string pictureText = picture(record, "eager");
  if (!pictureText.empty()) lines.push_back(pictureText);
  lines.push_back("<div>");
  lines.push_back("<h1>" + htmlEscaped(itemName(record)) + "</h1>");
  lines.push_back(details(record));
  lines.push_back("<p class=\"price\">" + money(category, item) + "</p>");
  lines.push_back(addToBasketForm(category, item, "quantity-"));
  if (input_.descriptionUrl && !record.descriptionUrl.empty()) {
    lines.push_back("<p><a href=\"" + htmlEscaped(record.descriptionUrl) +
                    "\" rel=\"noopener\">More about " + htmlEscaped(itemName(record)) + "</a></p>");
  }
  lines.push_back("</div>");
  lines.push_back("</article>");
  ShopPageHead head;
  head.file = paths_.productPage(category, item) + kExt;
  head.title = itemName(record);
  head.description = itemName(record) + " (" + record.id + "), " + money(category, item) +
                     ", from " + shown.name + " at " + input_.merchant.shopName();
  head.type = "product";
  if (input_.pictureUrl) head.image = record.pictureUrl;
  head.structuredData = productData(category, item);
  return frame_.page(head, shopLines(lines));
}

}  // namespace vendaro
