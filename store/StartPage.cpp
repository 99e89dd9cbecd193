#include "store/StartPage.h"

#include "common/NumberText.h"
#include "platform/Text.h"
#include "store/PageText.h"

namespace vendaro {
namespace {

// moneyFormat rounds to whole cents first and then splits dollars and
// cents, so 12.996 gives "13.00" and 0.05 gives "0.05".
void addScriptFunctions(PageText& page) {
  page.line("function MakeArray(n){")
      .line("this.length = n;")
      .line("for (var i = 1; i <= n; i++){")
      .line("this [i] = 0 }")
      .line("return this }")
      .line("function moneyFormat(input) {")
      .line("var cents = Math.round(input * 100)")
      .line("var dollars = Math.floor(cents / 100)")
      .line(R"(cents = "" + (cents - dollars * 100 + 100))")
      .line(R"(input = dollars + "." + cents.substring(1, 3))")
      .line("return input }");
}

void addItemFunction(PageText& page, const StoreInput& input) {
  page.text("function Item(itemid, itemdesc, itemprice, itemquantity");
  if (input.manufacturer) page.text(",itemman");
  if (input.descriptionUrl) page.text(",descURL");
  if (input.pictureUrl) page.text(",picURL");
  page.line(",itemW){");
  page.line("this.itemid = itemid")
      .line("this.itemdesc = itemdesc")
      .line("this.itemprice = itemprice")
      .line("this.itemquantity = itemquantity");
  if (input.manufacturer) page.line("this.itemman = itemman");
  if (input.descriptionUrl) page.line("this.descURL = descURL");
  if (input.pictureUrl) page.line("this.picURL = picURL");
  page.line("this.itemW = itemW").line(" }");
}

void addQuotedArgument(PageText& page, const std::string& value) {
  page.text(",\"").scriptString(value).text("\"");
}

void addItemLine(PageText& page, const SiteCatalogue& catalogue, std::size_t k, std::size_t j) {
  const StoreInput& input = catalogue.input();
  const ItemRecord& item = input.categories[k].items[j];
  page.text(catalogue.scriptName(k))
      .text("List[")
      .text(numberText(std::int64_t(j + 1)))
      .text("] = new Item(\"")
      .scriptString(item.id)
      .text("\"");
  addQuotedArgument(page, item.description);
  page.text(",").text(catalogue.price(k, j)).text(",0");
  if (input.manufacturer) addQuotedArgument(page, item.manufacturer);
  if (input.descriptionUrl) addQuotedArgument(page, item.descriptionUrl);
  if (input.pictureUrl) addQuotedArgument(page, item.pictureUrl);
  addQuotedArgument(page, catalogue.weight(k, j));
  page.line(")");
}

// About the size of the catalogue's lines, so the page is not regrown.
std::size_t catalogueSize(const SiteCatalogue& catalogue) {
  std::size_t size = 0;
  const auto& categories = catalogue.categories();
  for (std::size_t k = 0; k < categories.size(); ++k) {
    for (const ItemRecord& item : categories[k].items) {
      size += 64 + catalogue.scriptName(k).size() + item.id.size() + item.description.size() +
              item.manufacturer.size() + item.descriptionUrl.size() + item.pictureUrl.size();
    }
  }
  return size;
}

void addCatalogue(PageText& page, const SiteCatalogue& catalogue) {
  page.reserveMore(catalogueSize(catalogue));
  const auto& categories = catalogue.categories();
  for (std::size_t k = 0; k < categories.size(); ++k) {
    const auto count = static_cast<std::int64_t>(categories[k].items.size());
    page.line(catalogue.scriptName(k) + "List = new MakeArray(" + numberText(count) + ")");
    for (std::size_t j = 0; j < categories[k].items.size(); ++j) addItemLine(page, catalogue, k, j);
    page.line();
  }
}

void addBannerFrameset(PageText& page, const std::string& vendorSite) {
  page.line("<frameset framespacing='0' border='false' frameborder='0' rows='97,*'>")
      .line("  <frame name='header' scrolling='no' noresize target='main' src='banner.htm'>")
      .line("  <frame name='main' src='fsecond.htm' scrolling='auto'>")
      .line(" <noframes>")
      .line("  <body>")
      .line("  <p>This page uses frames, but your browser doesn't support them.</p>")
      .line("  <p>You may download modern browser from " + text::htmlEscaped(vendorSite) + " </p>")
      .line("  </body>")
      .line("  </noframes>")
      .line("</frameset>")
      .line("<frameset>")
      .line("<noframes>")
      .line("</noframes>")
      .line("</frameset>")
      .line("</html>");
}

}  // namespace

std::string contentsFramesetText() {
  PageText page;
  page.line("<frameset frameborder='0' border='false' framespacing='0' cols='93,*'>")
      .line("<frame name='c_ontents' target='m_ain' src='mmenu.htm' scrolling='no' noresize>")
      .line("<frame name='m_ain' src='compinfo.htm' scrolling='auto'>")
      .line("<noframes>")
      .line("<body>")
      .line("</body>")
      .line("</noframes>")
      .line("</frameset>")
      .line("</html>");
  return std::move(page).str();
}

std::string startPageText(const SiteCatalogue& catalogue) {
  const StoreInput& input = catalogue.input();
  PageText page;
  page.line("<html>")
      .line()
      .line("<head>")
      .line("<title>On-Line Shop</title>")
      .line("<meta name='GENERATOR' content='Vendaro 2.0 by Kestrova ; " + input.vendorHost + "'>")
      .text("<script language='JavaScript'>");
  addScriptFunctions(page);
  addItemFunction(page, input);
  addCatalogue(page, catalogue);
  page.line("</script>").line("</head>");
  if (input.layout == SiteLayout::BannerAndContents) {
    addBannerFrameset(page, input.vendorSiteAddress());
  } else {
    page.text(contentsFramesetText());
  }
  return std::move(page).str();
}

}  // namespace vendaro
