#include "store/ShopPageFrame.h"

#include "platform/Text.h"
#include "store/ShopText.h"

namespace vendaro {
namespace {

using text::htmlEscaped;

std::string meta(const std::string& attribute, const std::string& name,
                 const std::string& content) {
  return "<meta " + attribute + "=\"" + name + "\" content=\"" + htmlEscaped(content) + "\">";
}

}  // namespace

std::string shopLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    if (!text.empty()) text += text::kCrLf;
    text += line;
  }
  return text;
}

ShopPageFrame::ShopPageFrame(const StoreInput& input, const ShopPaths& paths)
    : input_(input), paths_(paths) {}

std::string ShopPageFrame::headText(const ShopPageHead& head) const {
  const std::string shop = input_.merchant.shopName();
  const std::string title = head.title == shop ? shop : head.title + " | " + shop;
  const std::string address = siteAddressOf(input_.siteAddress, head.file);
  std::vector<std::string> lines = {
      "<meta charset=\"utf-8\">",
      "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">",
      "<title>" + htmlEscaped(title) + "</title>",
      meta("name", "description", head.description),
      "<meta name=\"generator\" content=\"Vendaro 2.0\">",
      // The logo, or an empty icon: browsers otherwise ask for a favicon.ico
      // the site does not have and log the missing file.
      "<link rel=\"icon\" href=\"" +
          (input_.merchant.logo.empty() ? std::string("data:,") : htmlEscaped(input_.merchant.logo)) +
          "\">",
  };
  if (!address.empty()) lines.push_back("<link rel=\"canonical\" href=\"" + htmlEscaped(address) + "\">");
  lines.push_back(meta("property", "og:type", head.type));
  lines.push_back(meta("property", "og:title", title));
  lines.push_back(meta("property", "og:description", head.description));
  lines.push_back(meta("property", "og:site_name", shop));
  if (!address.empty()) lines.push_back(meta("property", "og:url", address));
  std::string image = head.image;
  if (!image.empty() && !text::isWebAddress(image)) image = siteAddressOf(input_.siteAddress, image);
  if (!image.empty()) lines.push_back(meta("property", "og:image", image));
  lines.push_back("<link rel=\"stylesheet\" href=\"shop.css\">");
  if (head.needsCatalogue) lines.push_back("<script src=\"catalogue.js\" defer></script>");
  lines.push_back("<script src=\"shop.js\" defer></script>");
  if (!head.structuredData.empty()) {
    lines.push_back("<script type=\"application/ld+json\">" + head.structuredData + "</script>");
  }
  return shopLines(lines);
}

std::string ShopPageFrame::headerText() const {
  const MerchantSettings& merchant = input_.merchant;
  std::string brand = "<a class=\"brand\" href=\"index.html\">";
  if (!merchant.logo.empty()) {
    brand += "<img src=\"" + htmlEscaped(merchant.logo) + "\" alt=\"\" width=\"48\" height=\"48\">";
  }
  brand += "<span>" + htmlEscaped(merchant.shopName()) + "</span></a>";
  std::vector<std::string> lines = {"<header class=\"bar\">", brand,
                                    "<nav aria-label=\"Categories\"><ul>"};
  for (std::size_t k = 0; k < input_.categories.size(); ++k) {
    lines.push_back("<li><a href=\"" + paths_.categoryPage(k) + kExtension + "\">" +
                    htmlEscaped(input_.categories[k].name) + "</a></li>");
  }
  lines.push_back("</ul></nav>");
  lines.push_back(
      "<a class=\"basket-link\" href=\"basket.html\">Basket <span class=\"count\" "
      "data-basket-count>0</span><span class=\"visually-hidden\"> items</span></a>");
  lines.push_back("</header>");
  return shopLines(lines);
}

std::string ShopPageFrame::footerText() const {
  const MerchantSettings& merchant = input_.merchant;
  std::vector<std::string> lines = {"<footer class=\"bar\">", "<address>",
                                    "<strong>" + htmlEscaped(merchant.shopName()) + "</strong>"};
  for (const std::string& line : merchant.address) lines.push_back("<br>" + htmlEscaped(line));
  if (!merchant.email.empty()) {
    lines.push_back("<br><a href=\"mailto:" + htmlEscaped(merchant.email) + "\">" +
                    htmlEscaped(merchant.email) + "</a>");
  }
  if (!merchant.phone.empty()) {
    lines.push_back("<br><a href=\"tel:" + htmlEscaped(merchant.phone) + "\">" +
                    htmlEscaped(merchant.phone) + "</a>");
  }
  lines.push_back("</address>");
  lines.push_back(
      "<p><a href=\"terms.html\">Terms of sale</a> <a href=\"privacy.html\">Privacy</a></p>");
  lines.push_back("</footer>");
  return shopLines(lines);
}

std::string ShopPageFrame::page(const ShopPageHead& head, const std::string& main) const {
  return shopLines({
      "<!DOCTYPE html>",
      "<html lang=\"en\" data-currency=\"" + htmlEscaped(input_.merchant.currency) + "\">",
      "<head>",
      headText(head),
      "</head>",
      "<body>",
      "<a class=\"skip\" href=\"#main\">Skip to the content</a>",
      headerText(),
      "<main id=\"main\">",
      main,
      "</main>",
      footerText(),
      "<div class=\"toast\" role=\"status\" aria-live=\"polite\" data-toast></div>",
      "</body>",
      "</html>",
  });
}

}  // namespace vendaro
