#include "store/OrderPages.h"

#include "platform/Text.h"
#include "store/OrderScript.h"
#include "store/OrderTable.h"
#include "store/PageText.h"

namespace vendaro {
namespace {

// Fills the hidden "AMOUNT" and "DESCRIPTION" fields as soon as the page has
// loaded, with the tax due within the state and the first shipping method,
// and chooses "Within State" where the template offers it, so an order sent
// without a click still carries its items and total. Submitting is refused,
// with the reason, while the basket is empty or name, address or e-mail are
// blank; fields a template does not have are not asked for.
constexpr const char* kOrderStartFunctions = R"js(function StartOrder() {
  var form = document.forms["FormOrder"]
  if (!form) return
  if (typeof UpdateShipping == "function") UpdateShipping()
  tax = totalPrice * tax1
  var amount = "$$$ " + top.moneyFormat(totalPrice + tax + cof)
  if (form.AMOUNT) form.AMOUNT.value = amount
  if (form.DESCRIPTION) form.DESCRIPTION.value = info + "\n" + " Total Price : " + amount
  if (form.R12 && form.R12.click && !form.R12.checked && !(form.R11 && form.R11.checked))
    form.R12.click()
  form.addEventListener("submit", CheckOrder)
}
function BlankField(form, names) {
  var present = false
  for (var k = 0; k < names.length; k++) {
    if (!form[names[k]]) continue
    if (/\S/.test(form[names[k]].value)) return false
    present = true
  }
  return present
}
function CheckOrder(event) {
  var form = document.forms["FormOrder"], missing = [], problems = []
  if (BlankField(form, ["NameB", "Name"])) missing.push("name")
  if (BlankField(form, ["Adrs1B", "Adrs1"])) missing.push("address")
  if (BlankField(form, ["E_Mail1"])) missing.push("e-mail")
  if (info == "") problems.push("Your basket is empty.")
  if (missing.length > 0)
    problems.push("Please fill in your " + missing.join(", ").replace(/, ([^,]*)$/, " and $1") + ".")
  if (problems.length == 0) return
  event.preventDefault()
  alert(problems.join(" "))
}
)js";

void addOrderScript(PageText& page, const SiteCatalogue& catalogue) {
  page.line("<html>")
      .line()
      .line("<head>")
      .line("<title>Order Form</title>")
      .line("<meta name='GENERATOR' content='Vendaro 2.0'>")
      .line("<script LANGUAGE='JavaScript'>")
      .line("var cof=0")
      .line("var cof2=0")
      .line("var cof3=0")
      .line("var cof4=0")
      .line("var tax")
      .line("var tax1=" + catalogue.taxRate())
      .line("var info=''")
      .line("var totalPrice = 0")
      .line("var extendedTotal")
      .line("var totalW=0")
      .line("function UpdateOrder(){");
  addOrderTableHead(page, catalogue.input(), OrderTableKind::OrderForm);
  addOrderTableRows(page, catalogue, OrderTableKind::OrderForm);
  page.line("       tax=totalPrice * tax1");
  addOrderTableTotal(page, catalogue.input());
  page.line("    document.write (msg) }").line();
}

bool hasShipping(const StoreInput& input, OrderPage which) {
  return input.weight && which != OrderPage::CashOnDelivery;
}

std::string formStart(const StoreInput& input, OrderPage which) {
  if (which == OrderPage::GatewayCard) return input.formAction;
  return input.orderScriptAddress.empty() ? input.emailAction : scriptOrderFormStart();
}

const std::string& orderTemplate(const StoreInput& input, OrderPage which) {
  switch (which) {
    case OrderPage::EmailCard:
      return input.weight ? input.template10 : input.template16;
    case OrderPage::CashOnDelivery:
      return input.weight ? input.template12 : input.template17;
    case OrderPage::GatewayCard:
      return input.weight ? input.template13 : input.template16;
  }
  return input.template16;
}

}  // namespace

std::string shippingFunctionText() {
  PageText page;
  page.line("function UpdateShipping(){")
      .line("   if (0< totalW & totalW <=1) {cof=7.75;cof2=8.25;cof3=18.45;cof4=20.00}")
      .line("if (1< totalW & totalW <=2) {cof=8.70;cof2=9.00;cof3=20.70 ;cof4=22.40}")
      .line("if (2< totalW & totalW <=3) {cof=10.20;cof2=10.40;cof3=22.70;cof4=24.30}")
      .line("if (3< totalW & totalW <=4) {cof=11.50;cof2=11.75;cof3=24.70;cof4=26.70}")
      .line("if (4< totalW & totalW <=5) {cof=13.10;cof2=13.35;cof3=26.70;cof4=28.80}")
      .line("if (5< totalW & totalW <=6) { cof=15.25;cof2=15.50;cof3=28.95;cof4=31.20}")
      .line("if (6< totalW & totalW <=7) { cof=16.55;cof2=16.80;cof3=30.95;cof4=33.35}")
      .line("if (7< totalW & totalW <=8) { cof=18.45;cof2=18.70;cof3=32.95;cof4=35.45}")
      .line("if (8< totalW & totalW <=9) { cof=20.05;cof2=20.30;cof3=34.95;cof4=37.60}")
      .line("if (9< totalW & totalW <=10) { cof=21.10;cof2=21.60;cof3=36.95;cof4=39.75}")
      .line("if (10< totalW & totalW <=11) { cof=22.45;cof2=22.95;cof3=38.95;cof4=42.15}")
      .line("if (11< totalW & totalW <=12) { cof=23.75;cof2=24.00;cof3=40.95;cof4=44.00}")
      .line("if (12< totalW & totalW <=13) { cof=24.60;cof2=25.35;cof3=42.95;cof4=46.15}")
      .line("if (13< totalW & totalW <=14) { cof=26.20;cof2=26.70;cof3=44.70;cof4=48.25}")
      .line("if (14< totalW & totalW <=15) { cof=27.50;cof2=28.00;cof3=46.45;cof4=50.15}")
      .line("if (15< totalW & totalW <=16) { cof=28.40;cof2=29.35;cof3=47.70;cof4=51.45}")
      .line("if (16< totalW & totalW <=17) { cof=29.30;cof2=30.70;cof3=48.95;cof4=53.05}")
      .line("if (17< totalW & totalW <=18) { cof=30.20;cof2=32.00;cof3=50.45;cof4=54.40}")
      .line("if (18< totalW & totalW <=19) { cof=31.10;cof2=33.60;cof3=51.70;cof4=55.75}")
      .line("if (19< totalW & totalW <=20) { cof=32.00;cof2=34.95;cof3=52.95;cof4=57.05}")
      .line("if (totalW > 20) { cof=100.00;cof3=100.00;cof2=100.00;cof4=100.00;}}");
  return std::move(page).str();
}

std::string orderPageText(const SiteCatalogue& catalogue, OrderPage which) {
  const StoreInput& input = catalogue.input();
  PageText page;
  addOrderScript(page, catalogue);
  if (hasShipping(input, which)) page.text(shippingFunctionText());
  page.text(text::withCrLf(kOrderStartFunctions))
      .line("    </script></head><body><body bgcolor='#FFFFFF'>")
      .line("<script>")
      .line("UpdateOrder()")
      .line("window.addEventListener(\"load\", StartOrder)")
      .line("</script>")
      .text(formStart(input, which))
      .text(input.tableStyle)
      .text(orderTemplate(input, which));
  return std::move(page).str();
}

}  // namespace vendaro
