#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "common/ShopRules.h"
#include "common/TextFile.h"
#include "store/AsciiPage.h"
#include "store/CatalogueRecord.h"
#include "store/OrderScript.h"
#include "store/SafeNumber.h"
#include "store/ScriptNames.h"
#include "store/SiteGenerator.h"
#include "store/StoreSettings.h"
#include "tests/e2e/ProgramRun.h"
#include "tests/store/StoreTestCatalogue.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using testing::contains;
using testing::pageNamed;

TEST(ScriptNamesTest, IdentifiersStayAndOtherNamesGetFreeDerivedNames) {
  const ScriptNames names(
      {"Shoes", "Home Garden", "Home-Garden", "Home_Garden", "3D", "", "Home Garden", "$ale"});
  // The typed "Home_Garden" keeps its own name; the same typed name gets the
  // same derived name, so the same item file and arrays.
  const char* expected[] = {"Shoes", "Home_Garden_2", "Home_Garden_3", "Home_Garden", "_3D",
                            "_",     "Home_Garden_2", "$ale"};
  for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(names[i], expected[i]) << i;
  EXPECT_FALSE(isScriptIdentifier("Caf\xC3\xA9"));
}

TEST(SafeNumberTest, PlainNumbersStayAndOthersBecomeSafeNumbersWithAReason) {
  // Typed, written, the reason. "012" is not octal 10; a price may not be
  // negative or so large that the script loses its cents.
  const std::vector<std::array<std::string, 3>> cases = {
      {"49.95", "49.95", ""},
      {" 12 ", " 12 ", ""},
      {".5", ".5", ""},
      {"012", "12", "is not a plain number; written as 12"},
      {"+0.50", "0.50", "is not a plain number; written as 0.50"},
      {"999999999.99", "999999999.99", ""},
      {"8,25", "8.25", "has a decimal comma; written as 8.25"},
      {"-3", "0", "is negative; written as 0"},
      {"-0,5", "0", "is negative; written as 0"},
      {"1000000000", "0", "is too large; written as 0"}};
  for (const auto& [typed, text, problem] : cases) {
    const SafeNumber safe = safeNumber(typed, EmptyValue::NotANumber);
    EXPECT_EQ(safe.text + " / " + safe.problem, text + " / " + problem) << typed;
  }
  for (const char* bad : {"", "abc", "12abc", "1,250,00", "1.2.3", "-", "1e3"}) {
    const SafeNumber safe = safeNumber(bad, EmptyValue::NotANumber);
    EXPECT_EQ(safe.text + " / " + safe.problem, "0 / is not a number; written as 0") << bad;
  }
  EXPECT_TRUE(safeNumber("", EmptyValue::WrittenAsTyped).problem.empty());
  EXPECT_EQ(safeNumber("0.07", EmptyValue::NotANumber).value, 0.07);
}

TEST(GeneratorReportTest, BadPricesWeightsAndTaxAreReportedAndWrittenSafely) {
  StoreInput input = testing::smallCatalogue();
  input.categories[0].items[0].price = "abc";
  input.categories[0].items[1].weight = "1,5";
  input.categories[2].items[0].price = "-120.5";
  input.categories[1].items.push_back({});  // the all-empty record
  input.salesTax = "8,25";
  std::vector<GeneratorReport> reports;
  const auto pages = generateSite(input, reports);

  std::vector<std::string> described;
  for (const auto& report : reports)
    described.push_back(report.category + "/" + report.itemId + ": " + report.message);
  EXPECT_EQ(described, (std::vector<std::string>{
                           R"(Shoes/S-100: price "abc" is not a number; written as 0)",
                           R"(Shoes/S-200: weight "1,5" has a decimal comma; written as 1.5)",
                           R"(Hats/: price "" is not a number; written as 0)",
                           R"(Bags/B-1: price "-120.5" is negative; written as 0)",
                           R"(/: sales tax rate "8,25" has a decimal comma; written as 8.25)"}));
  // The tax rate is reported by "Generate" only, the order pages use it.
  std::vector<GeneratorReport> startReports;
  generateStartPage(input, startReports);
  EXPECT_EQ(startReports.size(), 4u);

  const std::string& start = pageNamed(pages, "index.htm").text;
  EXPECT_TRUE(contains(start, R"(ShoesList[ 1] = new Item("S-100","Running shoe",0,0,"0.5"))"));
  EXPECT_TRUE(contains(start, R"(,"1.5"))"));
  EXPECT_TRUE(contains(start, "HatsList[ 1] = new Item(\"\",\"\",0,0,\"\")"));
  EXPECT_TRUE(contains(start, R"(BagsList[ 1] = new Item("B-1","Travel bag",0,0,"20"))"));
  EXPECT_TRUE(contains(pageNamed(pages, "complect.htm").text, "<option value='1' value2='0'>"));
  EXPECT_TRUE(contains(pageNamed(pages, "order.htm").text, "\r\nvar tax1=8.25\r\n"));
}

TEST(OrderScriptPagesTest, EmailOrderFormsPostToTheScriptAndOnlyWithTheOption) {
  StoreInput input = testing::smallCatalogue();
  input.emailAction = "<form ACTION=\"mailto:sales@shop.example?subject=Online Order\">";
  std::vector<GeneratorReport> reports;
  const auto plain = generateSite(input, reports);
  input.orderScriptAddress = orderAddressOf(input.emailAction, "fallback@shop.example");
  EXPECT_EQ(input.orderScriptAddress, "sales@shop.example");
  const auto scripted = generateSite(input, reports);
  ASSERT_EQ(scripted.size(), plain.size() + 1);
  for (const std::string name : {"order.htm", "order_cod.htm"}) {
    EXPECT_TRUE(contains(pageNamed(plain, name).text, "mailto:"));
    EXPECT_FALSE(contains(pageNamed(scripted, name).text, "mailto:"));
    EXPECT_TRUE(contains(pageNamed(scripted, name).text, "<form ACTION=\"order.php\""));
  }
  EXPECT_EQ(pageNamed(scripted, "order_cc.htm").text, pageNamed(plain, "order_cc.htm").text);
  EXPECT_EQ(scripted.back().baseName + scripted.back().extension, "order.php");
  EXPECT_TRUE(contains(scripted.back().text, "$ORDER_ADDRESS = 'sales@shop.example';"));
  // An address that could break out of the script's string is not taken.
  EXPECT_EQ(orderAddressOf("mailto:a'b@x.example?", "safe@shop.example"), "safe@shop.example");
}

TEST(AsciiPageTest, CharactersOutsideAsciiBecomeReferencesOrEscapesByContext) {
  EXPECT_EQ(asciiPage("<p title='Cr\xC3\xA8me'>Cr\xC3\xA8me \xF0\x9F\x8E\xA9</p>"),
            "<p title='Cr&#232;me'>Cr&#232;me &#127913;</p>");
  EXPECT_EQ(asciiPage("<script type='x'>s=\"\xC3\xA8\xF0\x9F\x8E\xA9\"</SCRIPT>\xC3\xA8"),
            "<script type='x'>s=\"\\u00E8\\uD83C\\uDFA9\"</SCRIPT>&#232;");
  EXPECT_EQ(asciiPage("<style>p{content:'\xC3\xA8'}</style><!-- <script> \xC3\xA8 -->\xC3\xA8"),
            "<style>p{content:'\\0000E8'}</style><!-- <script> &#232; -->&#232;");
  EXPECT_EQ(asciiPage("<scripts>\xC3\xA8"), "<scripts>&#232;");
  // Bytes that are not UTF-8 are read as Windows-1252, as single-byte item
  // files were written.
  EXPECT_EQ(asciiPage("caf\xE9 \x80 \x81 \xC3"), "caf&#233; &#8364; &#65533; &#195;");
}

// A category and items named outside ASCII, and a vendor site on a port of
// its own: every page is ASCII, links reach the files and the vendor's port.
TEST(SitePagesTest, PagesAreAsciiAndLinkTheVendorSiteWithItsPort) {
  StoreInput input = testing::smallCatalogue();
  input.vendorSite = "http://www.vendaro.example:8080";
  input.categories[0].name = "Cr\xC3\xA8me";
  input.categories[0].items[0].description = "Br\xC3\xBBl\xC3\xA9" "e";
  std::vector<GeneratorReport> reports;
  const auto pages = generateSite(input, reports);
  for (const SitePage& page : pages) {
    EXPECT_TRUE(std::all_of(page.text.begin(), page.text.end(), [](char c) { return !(c & 0x80); }))
        << page.baseName;
  }
  const std::string& menu = pageNamed(pages, "m_products.htm").text;
  EXPECT_TRUE(contains(menu, "<a href='l_Cr&#232;me.htm'>Cr&#232;me </a>"));
  EXPECT_TRUE(contains(menu, "<a href='http://www.vendaro.example:8080/welcome.htm'>"));
  EXPECT_TRUE(contains(pageNamed(pages, "mmenu.htm").text,
                       "<a href='http://www.vendaro.example:8080/welcome.htm'>"));
  EXPECT_TRUE(contains(pageNamed(pages, "complect.htm").text, ">Br&#251;l&#233;e</option>"));
  EXPECT_TRUE(contains(pageNamed(pages, "index.htm").text, "\"Br\\u00FBl\\u00E9e\""));
}

TEST(TemplateDefaultsTest, TheGatewayFormPostsToTheSetHostAndPathWithTheSetLogin) {
  StoreSettings settings;
  settings.paymentGatewayHost = "pay.example:8443";
  settings.paymentGatewayPath = "/gateway/transact.dll";
  settings.paymentGatewayLogin = "shop\"77";
  EXPECT_EQ(defaultGatewayAction(settings),
            "<form NAME=\"FormOrder\" method=\"POST\"\r\n"
            "  action=\"https://pay.example:8443/gateway/transact.dll\">\r\n"
            "<input type=\"hidden\" name=\"AMOUNT\" value=\"\">\r\n"
            "<input type=\"hidden\" name=\"TYPE\" value=\"NA\">\r\n"
            "<input type=\"hidden\" name=\"DESCRIPTION\" value=\"\">\r\n"
            "<input type=\"hidden\" name=\"LOGIN\" value=\"shop&quot;77\">");
}

// Runs a script with node, with the files `arguments` holding as its
// arguments, and returns what it printed.
class NodeScript {
 public:
  static bool available() { return std::filesystem::exists(kNode); }

  std::string run(const std::string& script,
                  const std::vector<std::pair<std::string, std::string>>& arguments = {}) const {
    folder_.write("script.js", script);
    std::vector<std::string> command{kNode, folder_.file("script.js").string()};
    for (const auto& [name, content] : arguments) {
      folder_.write(name, content);
      command.push_back(folder_.file(name).string());
    }
    return testing::runProgram(command, {}, folder_.path()).out;
  }

 private:
  static constexpr const char* kNode = "/usr/bin/node";
  testing::TempFolder folder_;
};

// The script of the start page, between its script tags.
std::string startPageScript(const std::string& page) {
  const std::string open = "<script language='JavaScript'>";
  const auto from = page.find(open) + open.size();
  return page.substr(from, page.find("</script>") - from);
}

TEST(StartPageScriptTest, MoneyFormatGivesWholeCentsWithTwoDecimals) {
  if (!NodeScript::available()) GTEST_SKIP() << "node is not installed";
  std::vector<GeneratorReport> reports;
  const SitePage start = generateStartPage(testing::smallCatalogue(), reports);
  const std::string output = NodeScript().run(
      startPageScript(start.text) +
      "\nfor (const a of [12.996, 0.05, 0, 1234.5, 19.999, 0.994, 7, \"49.95\", 100.1])"
      " console.log(moneyFormat(a))\n");
  EXPECT_EQ(output, "13.00\n0.05\n0.00\n1234.50\n20.00\n0.99\n7.00\n49.95\n100.10\n");
}

TEST(StartPageScriptTest, AwkwardItemValuesRoundTripThroughTheCatalogue) {
  if (!NodeScript::available()) GTEST_SKIP() << "node is not installed";
  StoreInput input = testing::smallCatalogue();
  input.manufacturer = input.descriptionUrl = input.pictureUrl = true;
  input.categories[0].name = "Summer Shoes";
  ItemRecord& item = input.categories[0].items[0];
  item.id = R"(A\1)";
  item.description = "12\" boot <i>new</i>\r\nline</script><script>x=1</script>";
  item.manufacturer = "O\"Neil Cr\xC3\xA8me \xF0\x9F\x8E\xA9";
  item.pictureUrl = "a<!--b";
  std::vector<GeneratorReport> reports;
  const SitePage start = generateStartPage(input, reports);
  const std::string output = NodeScript().run(
      startPageScript(start.text) +
      "\nconst i = Summer_ShoesList[1]\n"
      "console.log(JSON.stringify([i.itemid, i.itemdesc, i.itemprice, i.itemman, i.picURL,"
      " i.itemW, Summer_ShoesList.length]))\n");
  EXPECT_EQ(output, R"(["A\\1","12\" boot <i>new</i>\r\nline</script><script>x=1</script>",49.95,)"
                    "\"O\\\"Neil Cr\xC3\xA8me \xF0\x9F\x8E\xA9\",\"a<!--b\",\"0.5\",2]"
                    "\n");
  // The page itself holds no "</script" before the end of its script.
  EXPECT_EQ(start.text.find("</script"), start.text.find("</script>\r\n</head>"));
}

// Runs the start page, then the order page with the given quantities and the
// handlers of its template (the script file named last) against a stand-in
// for the order form, and prints the fields the order mail carries.
constexpr const char* kOrderFlowScript = R"js(
const fs = require("fs"), vm = require("vm")
const [startFile, orderFile, actionsFile] = process.argv.slice(2)
const fields = {}
const form = new Proxy(fields, { get: (t, k) => (t[k] ??= { value: "", checked: false }) })
const ctx = vm.createContext({ document: { write() {}, forms: { FormOrder: form } },
  window: { addEventListener() {} } })
vm.runInContext("var top = globalThis", ctx)
const scripts = (file) =>
  [...fs.readFileSync(file, "latin1").matchAll(/<script[^>]*>([\s\S]*?)<\/script>/gi)].map(m => m[1])
for (const code of scripts(startFile)) vm.runInContext(code, ctx)
vm.runInContext("ShoesList[1].itemquantity = 2; BagsList[1].itemquantity = 1", ctx)
for (const code of scripts(orderFile)) vm.runInContext(code, ctx)
vm.runInContext(fs.readFileSync(actionsFile, "latin1"), ctx)
for (const name of ["T1", "T2", "T3", "T6", "AMOUNT", "DESCRIPTION"])
  console.log(name + "=" + JSON.stringify(fields[name] ? fields[name].value : null))
)js";

struct OrderFlowCase {
  bool weight;
  const char* page;
  const char* actions;
  const char* tax;
  const char* amount;
  const char* shipping;    // the charges T3 and T6 as printed
  const char* totalPrice;  // as the description's last line shows it
};

TEST(OrderTemplateTest, TaxAndShippingChoicesFillTaxChargesAmountAndDescription) {
  if (!NodeScript::available()) GTEST_SKIP() << "node is not installed";
  // 2 x 49.95 + 120.5 = 220.40, tax 18.18; with weights 2 x 0.5 + 20 = 21:
  // the charges above 20. Cash on delivery has no shipping function, its
  // total is products and tax; without weight no template charges shipping.
  const OrderFlowCase cases[] = {
      {true, "order.htm", "ChooseState(true); ChooseMethod(2)", "18.18", "338.58", "\"$ 100.00\"",
       "$$$ 338.58"},
      {true, "order_cc.htm", "ChooseState(false)", "0.00", "320.40", "\"$ 100.00\"", "$$$ 320.40"},
      {true, "order_cod.htm", "ChooseState(true)", "18.18", "238.58", "null", "220.40"},
      {false, "order.htm", "ChooseState(true)", "18.18", "238.58", "null", "$$$ 238.58"},
      {false, "order_cod.htm", "ChooseState(true)", "18.18", "238.58", "null", "$$$ 238.58"},
      {false, "order_cc.htm", "ChooseState(true)", "18.18", "238.58", "null", "$$$ 238.58"}};
  for (const OrderFlowCase& c : cases) {
    StoreInput input = testing::smallCatalogue();
    input.weight = c.weight;
    std::vector<GeneratorReport> reports;
    const auto pages = generateSite(input, reports);
    const std::string amount = std::string("\"$$$ ") + c.amount + "\"";
    EXPECT_EQ(NodeScript().run(kOrderFlowScript, {{"index.htm", pageNamed(pages, "index.htm").text},
                                                  {"order.htm", pageNamed(pages, c.page).text},
                                                  {"actions.js", c.actions}}),
              "T1=" + amount + "\nT2=\"$ " + c.tax + "\"\nT3=" + c.shipping + "\nT6=" + c.shipping +
                  "\nAMOUNT=" + amount +
                  "\nDESCRIPTION=\"S-100 ^ 2 ^ 49.95 ^ 99.90^\\nB-1 ^ 1 ^ 120.50 ^ 120.50^\\n\\n"
                  " Total Price : " +
                  c.totalPrice + "\"\n")
        << c.page << (c.weight ? " with weight" : "");
  }
}

namespace fs = std::filesystem;

std::string settingsError(const std::string& text) {
  try {
    (void)StoreSettings::read(SettingsFile::parse(text, "vendaro.toml"));
  } catch (const SettingsError& error) {
    return error.what();
  }
  return "";
}

TEST(ShopRulesTest, SettingsAreReadAndBadRulesAreRefusedNamingTheLine) {
  const SettingsFile file = SettingsFile::parse(
      "[merchant]\nname = \"Kestrel Tools\"\naddress = [\"1 Main St\", \"Springfield\"]\n"
      "currency = \"EUR\"\nterms = \"\"\"\nReturns in 30 days.\n\nNo refunds on sale items.\"\"\"\n"
      "[tax.rates]\nIL = 0.0625\n\"de\" = 0.19\n"
      "[[shipping.methods]]\nname = \"Courier\"\ndelivery = \"1 day\"\n"
      "bands = [[2, 5], [10, 12.5]]\nover = 30\n"
      "[payment]\nlink = \"https://pay.example/?amount={amount}&ref={reference}\"\n",
      "vendaro.toml");
  const StoreSettings settings = StoreSettings::read(file);
  EXPECT_TRUE(file.unreadKeys().empty()) << file.unreadKeys().front();
  EXPECT_EQ(settings.merchant.shopName(), "Kestrel Tools");
  EXPECT_EQ(settings.merchant.address, (std::vector<std::string>{"1 Main St", "Springfield"}));
  EXPECT_EQ(settings.merchant.terms, "Returns in 30 days.\n\nNo refunds on sale items.");
  ASSERT_EQ(settings.shipping.methods.size(), 1u);
  const ShippingMethod& courier = settings.shipping.methods[0];
  EXPECT_EQ(courier.chargeCents(2), 500);
  EXPECT_EQ(courier.chargeCents(2.001), 1250);
  EXPECT_EQ(courier.chargeCents(10.5), 3000);
  EXPECT_EQ(settings.tax.rateFor(" il ", "US", 0.0825), 0.0625);
  EXPECT_EQ(settings.tax.rateFor("Bavaria", "DE", 0.0825), 0.19);
  EXPECT_EQ(settings.tax.rateFor("", "", 0.0825), 0.0825);
  EXPECT_EQ(StoreSettings::read(SettingsFile::parse("", "x")).merchant.currency, "$");

  EXPECT_TRUE(contains(settingsError("[tax.rates]\nIL = 6.25\n"),
                       "vendaro.toml:2: [tax.rates] IL must be a number from 0 to 1"));
  EXPECT_TRUE(
      contains(settingsError("[[shipping.methods]]\nname = \"A\"\nbands = [[5, 1], [2, 3]]\n"),
               "vendaro.toml:3: [shipping] A: the bands must go up by weight"));
  EXPECT_TRUE(contains(settingsError("[[shipping.methods]]\nbands = [[5, 1]]\n"), "needs a name"));
  EXPECT_TRUE(contains(settingsError("[[shipping.methods]]\nname = \"A\"\nbands = [5, 1]\n"),
                       "each band is [up to weight, price]"));
  EXPECT_TRUE(
      contains(settingsError(std::string("[shipping]\nmethods = [") +
                             "{name=\"a\"},{name=\"b\"},{name=\"c\"},{name=\"d\"},{name=\"e\"}]\n"),
               "at most four methods"));
  EXPECT_TRUE(contains(settingsError("[payment]\nlink = \"javascript:pay()\"\n"),
                       "[payment] link must be an http or https address"));
  EXPECT_TRUE(contains(settingsError("[merchant]\nname = \"A\\u0007\"\n"), "[merchant] name"));
}

TEST(ShopRulesTest, TheBuiltInShippingTableAndTaxRoundingAreThoseOfTheFramedPages) {
  const ShippingRules rules = ShippingRules::builtIn();
  ASSERT_EQ(rules.methods.size(), 4u);
  const ShippingMethod& saver = rules.methods[0];
  const ShippingMethod& priority = rules.methods[3];
  EXPECT_EQ(saver.chargeCents(0), 0);
  EXPECT_EQ(saver.chargeCents(-1), 0);
  EXPECT_EQ(saver.chargeCents(0.25), 775);
  EXPECT_EQ(saver.chargeCents(1), 775);
  EXPECT_EQ(saver.chargeCents(1.0001), 870);
  EXPECT_EQ(rules.methods[2].chargeCents(4.25), 2670);
  EXPECT_EQ(priority.chargeCents(20), 5705);
  EXPECT_EQ(priority.chargeCents(20.01), 10000);
  // 96.74 x 0.0825 = 7.98105; half a cent rounds up.
  EXPECT_EQ(taxCents(9674, 0.0825), 798);
  EXPECT_EQ(taxCents(1000, 0.0825), 83);
  EXPECT_EQ(taxCents(0, 0.0825), 0);
}

StoreInput responsiveCatalogue() {
  StoreInput input = testing::smallCatalogue();
  input.layout = SiteLayout::Responsive;
  input.pictureUrl = true;
  input.manufacturer = true;
  input.weight = true;
  input.shipping = ShippingRules::builtIn();
  input.merchant.name = "Shoes & <Hats>";
  input.categories[0].items[1].description = "Walking shoe </script><b>new</b>";
  input.categories.push_back({"Shoes!", {{"S-100", "Twin id", "3", "", "", "", ""}}});
  return input;
}

TEST(ResponsiveShopTest, PagesAreFramelessEscapedAndNamedSafely) {
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> pages = generateSite(responsiveCatalogue(), reports);
  std::vector<std::string> files;
  for (const SitePage& page : pages) files.push_back(page.fileName());
  EXPECT_EQ(files, (std::vector<std::string>{
                       "index.html", "c-shoes.html", "c-hats.html", "c-bags.html", "c-shoes-2.html",
                       "p-shoes-s-100.html", "p-shoes-s-200.html", "p-bags-b-1.html",
                       "p-shoes-2-s-100.html", "basket.html", "checkout.html", "terms.html",
                       "privacy.html", "catalogue.js", "shop.js", "shop.css"}));
  for (const SitePage& page : pages) {
    EXPECT_FALSE(contains(page.text, "document.write")) << page.fileName();
    if (page.extension != ".html") continue;
    EXPECT_TRUE(page.text.starts_with("<!DOCTYPE html>\r\n<html lang=\"en\"")) << page.fileName();
    EXPECT_TRUE(contains(page.text, "<meta name=\"viewport\"")) << page.fileName();
    EXPECT_TRUE(contains(page.text, "<link rel=\"icon\" href=\"data:,\">"))
        << "no favicon.ico asked";
    EXPECT_TRUE(contains(page.text, "<title>")) << page.fileName();
    EXPECT_TRUE(contains(page.text, "<meta name=\"description\" content=\"")) << page.fileName();
    EXPECT_FALSE(contains(page.text, "<b>new")) << page.fileName();
    EXPECT_FALSE(contains(page.text, "rel=\"canonical\"")) << "no address, no canonical link";
    EXPECT_LT(page.text.size(), 100u * 1024) << page.fileName();
  }
  const std::string& product = pageNamed(pages, "p-shoes-s-200.html").text;
  EXPECT_TRUE(contains(product, "\"name\":\"Walking shoe \\u003c/script>\\u003cb>new\\u003c/b>\""));
  EXPECT_TRUE(contains(product, "<h1>Walking shoe &lt;/script&gt;&lt;b&gt;new&lt;/b&gt;</h1>"));
  EXPECT_TRUE(contains(product, "\"price\":\"12.00\""));
  EXPECT_TRUE(contains(product, "\"priceCurrency\":\"USD\""));
  EXPECT_TRUE(contains(product,
                       "<title>Walking shoe &lt;/script&gt;&lt;b&gt;new&lt;/b&gt; | "
                       "Shoes &amp; &lt;Hats&gt;</title>"));
  EXPECT_TRUE(contains(product, "loading=\"eager\""));
  EXPECT_TRUE(contains(pageNamed(pages, "c-shoes.html").text,
                       "width=\"400\" height=\"300\" loading=\"lazy\""));

  const std::string& data = pageNamed(pages, "catalogue.js").text;
  EXPECT_TRUE(contains(data,
                       "{\"key\":\"shoes-s-100\",\"id\":\"S-100\",\"name\":\"Running shoe\","
                       "\"price\":4995,\"weight\":0.5,\"page\":\"p-shoes-s-100.html\"}"));
  EXPECT_TRUE(contains(data, "\"price\":12050,\"weight\":20,"));
  EXPECT_TRUE(contains(data, "\"tax\":{\"rate\":0.0825,\"rates\":{}}"));
  EXPECT_TRUE(contains(data, "{\"name\":\"FedEx Saver\",\"intake\":\"Saver\",\"bands\":[[1,775],"));

  // The merchant's form start already holds DESCRIPTION and AMOUNT: not twice.
  const std::string& checkout = pageNamed(pages, "checkout.html").text;
  EXPECT_TRUE(
      contains(checkout, "<form ACTION=\"mailto:orders@shop.example?subject=Online Order\""));
  EXPECT_EQ(checkout.find("name=\"AMOUNT\""), checkout.rfind("name=\"AMOUNT\""));
  EXPECT_FALSE(contains(checkout, "CCNumber"));
  for (const char* name : {"NameS", "NameB", "StateS", "ZIPS", "PhoneE", "PhoneD", "E_Mail1", "T2",
                           "V1", "V4", "T3", "T6"}) {
    EXPECT_TRUE(contains(checkout, std::string("name=\"") + name + "\"")) << name;
  }
}

// An item counted at 0 shows "Sold out" and cannot be put in the basket, on
// its category page and its own page; counted items with stock, and the
// framed layouts, are as without counts.
TEST(ResponsiveShopTest, AnItemAtNoneOnHandIsSoldOut) {
  StoreInput input = responsiveCatalogue();
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> uncounted = generateSite(input, reports);
  input.stock = {{"S-100", 0}, {"S-200", 4}};
  const std::vector<SitePage> counted = generateSite(input, reports);
  const std::string& category = pageNamed(counted, "c-shoes.html").text;
  const std::size_t soldOut = category.find("<p><strong>Sold out</strong></p>");
  ASSERT_NE(soldOut, std::string::npos);
  EXPECT_LT(soldOut, category.find("data-key=\"shoes-s-100\""));
  EXPECT_EQ(soldOut, category.rfind("<p><strong>Sold out</strong></p>")) << "S-200 has four";
  EXPECT_NE(category.find("required disabled></div>\r\n<button type=\"submit\" disabled>"),
            std::string::npos);
  EXPECT_TRUE(contains(pageNamed(counted, "p-shoes-s-100.html").text, "Sold out"));
  EXPECT_EQ(pageNamed(counted, "p-shoes-s-200.html").text,
            pageNamed(uncounted, "p-shoes-s-200.html").text);

  input.layout = SiteLayout::BannerAndContents;
  const std::vector<SitePage> framed = generateSite(input, reports);
  input.stock.clear();
  const std::vector<SitePage> framedUncounted = generateSite(input, reports);
  ASSERT_EQ(framed.size(), framedUncounted.size());
  for (std::size_t page = 0; page < framed.size(); ++page) {
    EXPECT_EQ(framed[page].text, framedUncounted[page].text) << framed[page].fileName();
  }
}

TEST(ResponsiveShopTest, CanonicalAddressesAndARecordOfTheRulesThatReadsBack) {
  StoreInput input = responsiveCatalogue();
  input.siteAddress = "https://shop.example/store";
  input.tax.rates = {{"IL", 0.0625}, {"Quebec \"QC\"", 0.14975}};
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> pages = generateSite(input, reports);
  EXPECT_TRUE(contains(pageNamed(pages, "c-bags.html").text,
                       "<link rel=\"canonical\" href=\"https://shop.example/store/c-bags.html\">"));
  EXPECT_TRUE(contains(pageNamed(pages, "p-bags-b-1.html").text,
                       "\"url\":\"https://shop.example/store/p-bags-b-1.html\""));

  // The record of what was published holds the checkout's own rules.
  const SiteCatalogue catalogue(input);
  const Outcome<PublishedCatalogue> record = readPublishedCatalogue(publishedCatalogueText(
      publishedRules(catalogue, "Shop", "2025-12-06T05:46:40Z"), publishedItems(catalogue)));
  ASSERT_TRUE(record) << record.error().message;
  EXPECT_EQ(record->checkout, PublishedCatalogue::Checkout::Responsive);
  EXPECT_TRUE(record->weightBrackets.empty());
  EXPECT_EQ(record->taxRates.rateFor("Quebec \"QC\"", "", 0), 0.14975);
  EXPECT_EQ(record->taxRates.rateFor("il", "", 0), 0.0625);
  ASSERT_EQ(record->shippingMethods.size(), 4u);
  for (std::size_t m = 0; m < 4; ++m) {
    EXPECT_EQ(record->shippingMethods[m].name, input.shipping.methods[m].name);
    for (const double weight : {0.5, 7.0, 19.5, 25.0}) {
      EXPECT_EQ(record->shippingMethods[m].chargeCents(weight),
                input.shipping.methods[m].chargeCents(weight));
    }
  }
}

// A rules record of an earlier version (published-rules/PROJECT/TIME.toml,
// the sections of vendaro.toml) is joined to the catalogue recorded with it.
TEST(ResponsiveShopTest, AnEarlierRulesRecordIsReadWithItsCatalogue) {
  testing::TempFolder app;
  PublishedCatalogue catalogue;
  catalogue.project = "Shop";
  catalogue.generatedAt = "2025-12-06T05:46:39Z";
  catalogue.salesTaxRate = "0.05";
  catalogue.shippingByWeight = true;
  catalogue.items = {{"A1", "Cup", "1.50", "0.5"}};
  ASSERT_TRUE(recordPublishedCatalogue(app.path(), catalogue));
  fs::create_directories(app.path() / "published-rules" / "Shop");
  fs::create_directories(app.path() / "published-rules" / "Other");
  app.write("published-rules/Shop/20251206T054640Z.toml",
            "[published]\nproject = \"Shop\"\ngenerated = 2025-12-06T05:46:40Z\n"
            "layout = \"responsive\"\ntax_rate = 0.05\nshipping_by_weight = true\n\n"
            "[tax.rates]\n\"IN\" = 0.07\n\n[[shipping.methods]]\nname = \"Post\"\n"
            "bands = [[1, 4.5], [5, 9.95]]\nover = 20\n");
  app.write("published-rules/Other/20251206T054640Z.toml", "[published]\n");
  std::vector<std::string> problems;
  const std::vector<PublishedCatalogue> records = readPublishedCatalogues(app.path(), problems);
  EXPECT_TRUE(problems.empty());
  ASSERT_EQ(records.size(), 2u);
  const PublishedCatalogue& joined = records[1];
  EXPECT_EQ(joined.checkout, PublishedCatalogue::Checkout::Responsive);
  EXPECT_EQ(joined.generatedAt, "2025-12-06T05:46:40Z");
  EXPECT_EQ(joined.items.size(), 1u);
  EXPECT_EQ(joined.taxRates.rateFor("in", "", 0.05), 0.07);
  ASSERT_EQ(joined.shippingMethods.size(), 1u);
  EXPECT_EQ(joined.shippingMethods[0].chargeCents(3), 995);
  EXPECT_EQ(joined.shippingMethods[0].overCents, 2000);
}

// Each case compares every generated file, as written to disk (page text
// and one CR LF), with its golden file. A case keeps in golden/<case>/expected
// only the files that differ from its base case; any other file is the base
// case's file of the same name. With VENDARO_UPDATE_GOLDEN=1 the expected
// files are rewritten instead (bases are listed, and so rewritten, first).
struct GoldenCase {
  std::string name;
  std::function<StoreInput()> input;
  friend void PrintTo(const GoldenCase& golden, std::ostream* out) { *out << golden.name; }
};

const std::map<std::string, std::string>& baseOf() {
  static const std::map<std::string, std::string> bases = {
      {"contents_weight_only", "banner_all_checks"},
      {"contents_no_checks", "contents_weight_only"},
      {"banner_no_categories", "banner_all_checks"}};
  return bases;
}

fs::path expectedFolder(const std::string& caseName) {
  return fs::path(VENDARO_STORE_GOLDEN_DIR) / caseName / "expected";
}

// The golden text of `file` for a case: its own file, else its base's.
std::optional<std::string> goldenText(const std::string& caseName, const std::string& file) {
  if (auto own = readWholeFile(expectedFolder(caseName) / file)) return own;
  auto base = baseOf().find(caseName);
  if (base == baseOf().end()) return std::nullopt;
  return goldenText(base->second, file);
}

bool updatingGolden() {
  const char* update = std::getenv("VENDARO_UPDATE_GOLDEN");
  return update != nullptr && std::string(update) == "1";
}

void writeGolden(const std::string& caseName, const std::vector<SitePage>& pages) {
  const fs::path expected = expectedFolder(caseName);
  fs::remove_all(expected);
  fs::create_directories(expected);
  for (const SitePage& page : pages) {
    const std::string file = page.baseName + ".htm";
    const std::string content = page.text + std::string(kCrLf);
    if (goldenText(caseName, file) == content) continue;  // the base's file serves
    ASSERT_TRUE(writeWholeFile(expected / file, content));
  }
}

void checkAgainstGolden(const std::string& caseName, const StoreInput& input) {
  std::vector<GeneratorReport> reports;
  const std::vector<SitePage> pages = generateSite(input, reports);
  EXPECT_TRUE(reports.empty()) << "ordinary input is reported: " << reports.front().message;
  if (updatingGolden()) return writeGolden(caseName, pages);
  std::set<std::string> generated;
  for (const SitePage& page : pages) {
    const std::string file = page.baseName + ".htm";
    generated.insert(file);
    const auto golden = goldenText(caseName, file);
    ASSERT_TRUE(golden.has_value()) << "no golden file " << caseName << "/" << file;
    EXPECT_EQ(page.text + std::string(kCrLf), *golden)
        << "differs from golden " << caseName << "/" << file;
  }
  for (const auto& entry : fs::directory_iterator(expectedFolder(caseName))) {
    EXPECT_TRUE(generated.count(entry.path().filename().string()) == 1)
        << "not generated: " << caseName << "/" << entry.path().filename();
  }
}

class StoreGoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(StoreGoldenTest, EveryFileMatchesItsGoldenFile) {
  checkAgainstGolden(GetParam().name, GetParam().input());
}

// The small catalogue with `change` applied.
std::function<StoreInput()> catalogue(std::function<void(StoreInput&)> change) {
  return [change] {
    StoreInput input = testing::smallCatalogue();
    change(input);
    return input;
  };
}

INSTANTIATE_TEST_SUITE_P(
    Sites, StoreGoldenTest,
    ::testing::Values(GoldenCase{"banner_all_checks", catalogue([](StoreInput& input) {
                                   input.manufacturer = input.descriptionUrl = input.pictureUrl =
                                       true;
                                   input.weight = true;
                                 })},
                      GoldenCase{"contents_weight_only", catalogue([](StoreInput& input) {
                                   input.layout = SiteLayout::ContentsOnly;
                                   input.weight = true;
                                 })},
                      GoldenCase{"contents_no_checks", catalogue([](StoreInput& input) {
                                   input.layout = SiteLayout::ContentsOnly;
                                   input.startFile = "shop";
                                 })},
                      GoldenCase{"banner_no_categories", catalogue([](StoreInput& input) {
                                   input.categories.clear();
                                   input.manufacturer = true;
                                 })}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace vendaro
