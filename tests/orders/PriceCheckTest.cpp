#include "orders/PriceCheck.h"

#include <gtest/gtest.h>

#include "orders/OrderNumbers.h"

namespace vendaro {
namespace {

TEST(OrderNumbersTest, ReadsAmountsInCentsAndRoundsAsThePageScript) {
  EXPECT_EQ(centsOf("$$$ 54.12"), 5412);
  EXPECT_EQ(centsOf("$ 7.75"), 775);
  EXPECT_EQ(centsOf(" 25 "), 2500);
  EXPECT_EQ(centsOf("0.5"), 50);
  EXPECT_EQ(centsOf("3.100"), 310);
  EXPECT_EQ(centsOf("-3.10"), -310);
  for (const char* bad : {"", "$", "1.005", "12,50", "abc", "1.2.3", "1e3"}) {
    EXPECT_EQ(centsOf(bad), std::nullopt) << bad;
  }
  EXPECT_EQ(moneyText(5), "0.05");
  EXPECT_EQ(moneyText(-310), "-3.10");
  // Figures from node: Math.round(1.005 * 100), Math.round(0.825 * 100).
  EXPECT_EQ(scriptCents(1.005), 100);
  EXPECT_EQ(scriptCents(0.825), 83);
  EXPECT_EQ(scriptCents(10 * 0.0825), 83);
}

PublishedCatalogue shopRecord(const std::string& s100Price) {
  PublishedCatalogue record;
  record.project = "Shop";
  record.salesTaxRate = "0.0825";
  record.shippingByWeight = true;
  record.weightBrackets = {{0, 1, {"7.75", "8.25", "18.45", "20.00"}},
                           {1, 5, {"13.10", "13.35", "26.70", "28.80"}},
                           {5, std::nullopt, {"100.00", "100.00", "100.00", "100.00"}}};
  record.items = {{"A100", "Mug", "25.00", "1.5"}, {"S100", "Shirt", s100Price, "2"}};
  return record;
}

// Two mugs and a shirt within the state by Saver: 99.95 + 8.25 tax + 13.10
// for 5 lb, 121.30 (the page rounds the sum 121.295875).
OrderFigures honestOrder() {
  return {{{"A100 ", " 2 ", " 25.00 ", " 50.00"}, {"S100 ", " 1 ", " 49.95 ", " 49.95"}},
          "R12",
          "$ 8.25",
          "Saver",
          "$ 13.10",
          "$$$ 121.30"};
}

TEST(PriceCheckTest, AnHonestOrderIsOkAndEachTamperedFigureIsNamed) {
  const PriceCheck check({shopRecord("49.95")});
  EXPECT_EQ(check.check(honestOrder()).text(), "ok");

  struct Case {
    const char* what;
    void (*tamper)(OrderFigures&);
    const char* reason;
  };
  const Case cases[] = {
      {"price", [](OrderFigures& o) { o.lines[1].price = "0.01"; },
       "S100 price 0.01, catalogue 49.95"},
      {"line total", [](OrderFigures& o) { o.lines[0].lineTotal = "25.00"; },
       "A100 line total 25.00, expected 50.00"},
      {"tax", [](OrderFigures& o) { o.salesTax = "$ 0.00"; }, "tax 0.00, expected 8.25"},
      {"shipping", [](OrderFigures& o) { o.shippingCost = "$ 1.00"; },
       "shipping 1.00, expected 13.10"},
      {"total", [](OrderFigures& o) { o.total = "$$$ 100.00"; }, "total 100.00, expected 121.30"},
      {"no total", [](OrderFigures& o) { o.total = ""; }, "total missing, expected 121.30"},
      {"unknown", [](OrderFigures& o) { o.lines[1].productId = "Z9"; }, "Z9 unknown item"},
      {"quantity", [](OrderFigures& o) { o.lines[0].quantity = "1.5"; },
       "A100 quantity 1.5, not a whole positive number"},
  };
  for (const Case& tampered : cases) {
    OrderFigures order = honestOrder();
    tampered.tamper(order);
    const PriceVerdict verdict = check.check(order);
    EXPECT_EQ(verdict.kind, PriceVerdict::Kind::Mismatch) << tampered.what;
    EXPECT_NE(verdict.text().find(tampered.reason), std::string::npos)
        << tampered.what << ": " << verdict.text();
  }
  // The price alone, the arithmetic redone: the price and what follows from it.
  OrderFigures cheap = honestOrder();
  cheap.lines[1] = {"S100", "1", "0.01", "0.01"};
  cheap.salesTax = "$ 4.13";
  cheap.total = "$$$ 67.24";
  EXPECT_EQ(check.check(cheap).text(),
            "mismatch: S100 price 0.01, catalogue 49.95; S100 line total 0.01, expected 49.95; "
            "tax 4.13, expected 8.25; total 67.24, expected 121.30");
}

TEST(PriceCheckTest, TaxFollowsTheStateChoiceAndShippingTheWeight) {
  const PriceCheck check({shopRecord("49.95")});
  OrderFigures outOfState = honestOrder();
  outOfState.stateChoice = "R11";
  outOfState.salesTax = "$ 0.00";
  outOfState.total = "$$$ 113.05";
  EXPECT_EQ(check.check(outOfState).text(), "ok");
  // Stored orders carry no choice: a tax of zero stands for "Out of State".
  outOfState.stateChoice.clear();
  EXPECT_EQ(check.check(outOfState).text(), "ok");

  // One mug, 1.5 lb, Priority: 28.80.
  OrderFigures light = {{{"A100", "1", "25.00", "25.00"}}, "R11", "$ 0.00", "Priority",
                        "$ 28.80", "$$$ 53.80"};
  EXPECT_EQ(check.check(light).text(), "ok");
  // Without shipping by weight the page charges nothing.
  PublishedCatalogue flat = shopRecord("49.95");
  flat.shippingByWeight = false;
  light.shippingMethod.clear();
  light.shippingCost.clear();
  light.total = "$$$ 25.00";
  EXPECT_EQ(PriceCheck({flat}).check(light).text(), "ok");
}

TEST(PriceCheckTest, AnOrderChecksAgainstThePricesItWasOffered) {
  // The shirt cost 39.95 when the order was placed; 49.95 since.
  const PriceCheck check({shopRecord("39.95"), shopRecord("49.95")});
  OrderFigures before = honestOrder();
  before.lines[1] = {"S100", "1", "39.95", "39.95"};
  before.salesTax = "$ 7.42";  // 89.95 × 0.0825 = 7.420875
  before.total = "$$$ 110.47";
  EXPECT_EQ(check.check(before).text(), "ok");
  EXPECT_EQ(check.check(honestOrder()).text(), "ok");
  // A price never published is measured against the record that agrees best.
  before.lines[1] = {"S100", "1", "9.95", "9.95"};
  EXPECT_EQ(check.check(before).text(),
            "mismatch: S100 price 9.95, catalogue 39.95; S100 line total 9.95, expected 39.95");

  const OrderFigures strange = {{{"Q1", "1", "5.00", "5.00"}}, "R11", "$ 0.00", "", "", "$$$ 5.00"};
  EXPECT_EQ(check.check(strange).text(), "no catalogue");
  EXPECT_EQ(PriceCheck({}).check(honestOrder()).text(), "no catalogue");
  EXPECT_EQ(check.check(OrderFigures{}).text(), "mismatch: no items");
}

// The responsive checkout counts in cents, taxes by the shipping address and
// ships by the methods it published; its charges carry the currency.
TEST(PriceCheckTest, AResponsiveOrderChecksAgainstItsCheckoutsRules) {
  PublishedCatalogue record;
  record.project = "Shop";
  record.checkout = PublishedCatalogue::Checkout::Responsive;
  record.salesTaxRate = "0.0825";
  record.shippingByWeight = true;
  record.taxRates = {{{"IN", 0.07}}};
  record.shippingMethods = ShippingRules::builtIn().methods;
  record.items = {{"T-1", "Hammer", "22.40", "0.5"},
                  {"T-2", "Saw", "31.95", "1.25"},
                  {"H-1", "Hose", "19.99", "2"}};
  const PriceCheck check({record});
  // 96.74 for 4.25 lb to Indiana: 7% tax 6.77, Economy 13.35.
  OrderFigures order = {{{"T-1", "2", "22.40", "44.80"},
                         {"T-2", "1", "31.95", "31.95"},
                         {"H-1", "1", "19.99", "19.99"}},
                        "",
                        "EUR 6.77",
                        "Economy",
                        "EUR 13.35",
                        "$$$ 116.86",
                        " in ",
                        "US"};
  EXPECT_EQ(check.check(order).text(), "ok");
  // Elsewhere the default rate: 96.74 x 0.0825 = 7.98.
  order.shipState = "IL";
  EXPECT_EQ(check.check(order).text(),
            "mismatch: tax 6.77, expected 7.98; total 116.86, expected 118.07");
  order.shipState = "IN";
  order.shippingCost = "EUR 8.25";
  order.lines[0] = {"T-1", "2", "2.40", "4.80"};
  EXPECT_EQ(check.check(order).text(),
            "mismatch: T-1 price 2.40, catalogue 22.40; T-1 line total 4.80, expected 44.80; "
            "shipping 8.25, expected 13.35");
}

}  // namespace
}  // namespace vendaro
