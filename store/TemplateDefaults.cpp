#include "store/TemplateDefaults.h"

#include <string_view>

#include "common/TextFile.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

// The templates are written below with plain line breaks; the boxes hold
// them with CR LF line ends.
std::string withCrLf(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') {
      out += kCrLf;
    } else {
      out += c;
    }
  }
  return out;
}

// Script shared by the order templates. The order page's own script holds
// totalPrice, tax, tax1, info and cof to cof4; moneyFormat lives in the start
// page. UpdateShipping exists only where the page computes shipping, so it is
// called only when present.
constexpr std::string_view kOrderScript = R"js(<script>
function OrderForm() { return document.forms["FormOrder"] }
function Money(amount) { return top.moneyFormat(amount) }
function Shipping() { if (typeof UpdateShipping == "function") UpdateShipping() }
function SetTax(rate) {
  tax = totalPrice * rate
  OrderForm().T2.value = "$ " + Money(tax)
}
function ShowTotal(charge) {
  var form = OrderForm()
  form.AMOUNT.value = "$$$ " + Money(totalPrice + tax + charge)
  form.DESCRIPTION.value = info + "\n" + " Total Price : " + form.AMOUNT.value
  form.T1.value = form.AMOUNT.value
}
function ClearOtherState(withinState) {
  var form = OrderForm()
  if (withinState) form.R11.checked = false
  else form.R12.checked = false
}
)js";

// Shipping methods: V1 to V4 choose cof to cof4, shown in T3 to T6.
constexpr std::string_view kShippingScript = R"js(function ShowCharges() {
  var form = OrderForm()
  form.T3.value = "$ " + Money(cof)
  form.T4.value = "$ " + Money(cof2)
  form.T5.value = "$ " + Money(cof3)
  form.T6.value = "$ " + Money(cof4)
}
function CheckMethod(method) {
  var form = OrderForm()
  for (var k = 1; k <= 4; k++) form["V" + k].checked = (k == method)
}
function ChooseState(withinState) {
  Shipping()
  SetTax(withinState ? tax1 : 0)
  ClearOtherState(withinState)
  CheckMethod(1)
  ShowTotal(cof)
  ShowCharges()
}
function ChooseMethod(method) {
  Shipping()
  CheckMethod(method)
  ShowTotal([cof, cof2, cof3, cof4][method - 1])
  ShowCharges()
}
var addressPairs = [["NameB", "NameS"], ["Adrs1B", "Adrs1S"], ["Adrs2B", "Adrs2S"],
  ["CityB", "CityS"], ["StateB", "StateS"], ["ZIPB", "ZIPS"], ["PhoneE", "PhoneD"],
  ["E_Mail1", "E_Mail2"]]
function CopyAddress() {
  var form = OrderForm()
  if (!form.C1.checked) return
  for (var k = 0; k < addressPairs.length; k++)
    form[addressPairs[k][1]].value = form[addressPairs[k][0]].value
}
</script>
)js";

// Without shipping the charge term is cof, which stays 0.
constexpr std::string_view kNoShippingScript = R"js(function ChooseState(withinState) {
  SetTax(withinState ? tax1 : 0)
  ClearOtherState(withinState)
  ShowTotal(cof)
}
</script>
)js";

// Cash on delivery with a shipping address: the total shown is products and
// tax; the order text ends with the products total.
constexpr std::string_view kCashShippingScript = R"js(function ChooseState(withinState) {
  Shipping()
  SetTax(withinState ? tax1 : 0)
  ClearOtherState(withinState)
  var form = OrderForm()
  form.T1.value = "$$$ " + Money(totalPrice + tax)
  form.AMOUNT.value = form.T1.value
  form.DESCRIPTION.value = info + "\n" + " Total Price : " + Money(totalPrice)
}
</script>
)js";

// The sales-tax choice and its box; the cash-on-delivery page spells its
// first label "Out of Staate".
std::string taxRows(std::string_view outOfStateLabel) {
  return std::string(R"html(<tr>
<td colspan="2"><font size="2" face="Verdana"><b>Sales Tax :</b>
<input type="radio" name="R11" value="In" onclick="ChooseState(false)">)html") +
         std::string(outOfStateLabel) + R"html(
<input type="radio" name="R12" value="Out" onclick="ChooseState(true)">Within State</font></td>
<td colspan="2"><font size="2" face="Verdana">Sales Tax :
<input type="text" name="T2" size="14" onchange="ChooseState(true)"></font></td>
</tr>
)html";
}

constexpr std::string_view kShippingRows = R"html(<tr>
<td colspan="4"><font size="2" face="Verdana"><b>Select Shipping Method :</b></font></td>
</tr>
<tr>
<td colspan="3"><font size="2" face="Verdana">
<input type="radio" name="V1" value="Saver" onclick="ChooseMethod(1)">FedEx Saver (3-4 Days)</font></td>
<td><input type="text" name="T3" size="14" onchange="ShowCharges()"></td>
</tr>
<tr>
<td colspan="3"><font size="2" face="Verdana">
<input type="radio" name="V2" value="Economy" onclick="ChooseMethod(2)">FedEx Economy (2 Days)</font></td>
<td><input type="text" name="T4" size="14" onchange="ShowCharges()"></td>
</tr>
<tr>
<td colspan="3"><font size="2" face="Verdana">
<input type="radio" name="V3" value="Standard" onclick="ChooseMethod(3)">FedEx Standard (1 Day)</font></td>
<td><input type="text" name="T5" size="14" onchange="ShowCharges()"></td>
</tr>
<tr>
<td colspan="3"><font size="2" face="Verdana">
<input type="radio" name="V4" value="Priority" onclick="ChooseMethod(4)">FedEx Piority (Next Morning)</font></td>
<td><input type="text" name="T6" size="14" onchange="ShowCharges()"></td>
</tr>
)html";

constexpr std::string_view kExtendedTotalRow = R"html(<tr>
<td colspan="3"><font size="2" face="Verdana"><b>Extended Total :</b></font></td>
<td><input type="text" name="T1" size="14" onchange="ChooseState(true)"></td>
</tr>
)html";

constexpr std::string_view kBillingShippingRows = R"html(<tr>
<td colspan="4"><font size="2" face="Verdana">
<input type="checkbox" name="C1" value="ON" onclick="CopyAddress()"><b>Billing Address</b>, check here if shipping address is the same</font></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana"><b>Billing Address</b></font></td>
<td colspan="2"><font size="2" face="Verdana"><b>Shipping Address</b></font></td>
</tr>
<tr>
<td><font size="2" face="Verdana">Name :</font></td>
<td><input type="text" name="NameB" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">Name :</font></td>
<td><input type="text" name="NameS" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">Address :</font></td>
<td><input type="text" name="Adrs1B" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">Address :</font></td>
<td><input type="text" name="Adrs1S" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">Address :</font></td>
<td><input type="text" name="Adrs2B" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">Address :</font></td>
<td><input type="text" name="Adrs2S" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">City :</font></td>
<td><input type="text" name="CityB" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">City :</font></td>
<td><input type="text" name="CityS" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">State :</font></td>
<td><input type="text" name="StateB" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">State :</font></td>
<td><input type="text" name="StateS" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">ZIP :</font></td>
<td><input type="text" name="ZIPB" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">ZIP :</font></td>
<td><input type="text" name="ZIPS" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">Phone :</font></td>
<td><input type="text" name="PhoneE" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">Phone :</font></td>
<td><input type="text" name="PhoneD" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">E-Mail :</font></td>
<td><input type="text" name="E_Mail1" size="30" onchange="CopyAddress()"></td>
<td><font size="2" face="Verdana">E-Mail :</font></td>
<td><input type="text" name="E_Mail2" size="30"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">Card :</font></td>
<td><select name="METHOD" size="1"><option>Visa</option><option>MasterCard</option></select></td>
<td colspan="2"></td>
</tr>
<tr>
<td><font size="2" face="Verdana">Credit Card # :</font></td>
<td><input type="text" name="CCNumber" size="30"></td>
<td><font size="2" face="Verdana">Exp. Day :</font></td>
<td><input type="text" name="CCExp" size="10"></td>
</tr>
)html";

constexpr std::string_view kSingleAddressRows = R"html(<tr>
<td colspan="2"><font size="2" face="Verdana">Name :</font></td>
<td colspan="2"><input type="text" name="Name" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Address :</font></td>
<td colspan="2"><input type="text" name="Adrs1" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Address :</font></td>
<td colspan="2"><input type="text" name="Adrs2" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">City :</font></td>
<td colspan="2"><input type="text" name="City" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">State :</font></td>
<td colspan="2"><input type="text" name="State" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">ZIP :</font></td>
<td colspan="2"><input type="text" name="ZIP" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Phone :</font></td>
<td colspan="2"><input type="text" name="Phone" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">E-Mail :</font></td>
<td colspan="2"><input type="text" name="E_Mail1" size="40"></td>
</tr>
)html";

constexpr std::string_view kCardRows = R"html(<tr>
<td colspan="2"><font size="2" face="Verdana">Select a Card Type:</font></td>
<td colspan="2"><select name="METHOD" size="1"><option>Visa</option><option>MasterCard</option></select></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Credit Card # eg: 1234567890120000</font></td>
<td colspan="2"><input type="text" name="CCNumber" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Exp. Day eg: 09/98 :</font></td>
<td colspan="2"><input type="text" name="CCExp" size="10"></td>
</tr>
)html";

constexpr std::string_view kCashAddressRows = R"html(<tr>
<td colspan="4"><font size="2" face="Verdana"><b>Shipping Address:</b></font></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Name :</font></td>
<td colspan="2"><input type="text" name="NameB" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Address :</font></td>
<td colspan="2"><input type="text" name="Adrs1B" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Address :</font></td>
<td colspan="2"><input type="text" name="Adrs2B" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">City :</font></td>
<td colspan="2"><input type="text" name="CityB" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">State :</font></td>
<td colspan="2"><input type="text" name="StateB" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">ZIP :</font></td>
<td colspan="2"><input type="text" name="ZIPB" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">Phone :</font></td>
<td colspan="2"><input type="text" name="PhoneE" size="40"></td>
</tr>
<tr>
<td colspan="2"><font size="2" face="Verdana">E-Mail :</font></td>
<td colspan="2"><input type="text" name="E_Mail1" size="40"></td>
</tr>
)html";

constexpr std::string_view kButtonRow = R"html(<tr>
<td colspan="4" align="center"><input type="submit" value="Submit" name="B1">
<input type="reset" value="Reset" name="B2"></td>
</tr>
</table>
)html";

constexpr std::string_view kNoteBox =
    R"html(<p><textarea rows="6" name="Note" cols="79">Special Instructions :</textarea></p>
)html";

constexpr std::string_view kFormEnd = "</form>\n";
constexpr std::string_view kPageEnd = "</body>\n</html>\n";

std::string joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (const auto part : parts) text.append(part);
  return withCrLf(text);
}

}  // namespace

std::string defaultEmailAction(const std::string& orderEmail) {
  return withCrLf("<form ACTION=\"mailto:" + orderEmail +
                  "?subject=Online Order\" METHOD=\"POST\"\n"
                  "ENCTYPE=\"text/plain\" NAME=\"FormOrder\"><input type=\"hidden\" "
                  "name=\"DESCRIPTION\"><input type=\"hidden\" name=\"AMOUNT\">");
}

// The action line starts with blanks so that the tag stays valid when the
// settings file reads the snippet back as one line.
std::string defaultGatewayAction(const StoreSettings& settings) {
  return withCrLf("<form NAME=\"FormOrder\" method=\"POST\"\n  action=\"https://" +
                  settings.paymentGatewayHost + settings.paymentGatewayPath + "\">\n"
                  "<input type=\"hidden\" name=\"AMOUNT\" value=\"\">\n"
                  "<input type=\"hidden\" name=\"TYPE\" value=\"NA\">\n"
                  "<input type=\"hidden\" name=\"DESCRIPTION\" value=\"\">\n"
                  "<input type=\"hidden\" name=\"LOGIN\" value=\"" +
                  text::htmlEscaped(settings.paymentGatewayLogin) + "\">");
}

std::string defaultShippingCardTemplate() {
  return joined({taxRows("Out of State"), kShippingRows, kExtendedTotalRow, kBillingShippingRows,
                 kButtonRow, kNoteBox, kFormEnd, kOrderScript, kShippingScript, kPageEnd});
}

std::string defaultPaymentChoicePage() {
  return withCrLf(R"html(<html>

<head>
<title>Select Method of Payment</title>
<meta name="GENERATOR" content="Microsoft FrontPage 3.0">
</head>
<body>
<p align="center"><font face="Verdana">Select Method of Payment</font></p>
<p align="center"><a href="order.htm">E-Mail Order with Credit Card</a></p>
<p align="center"><a href="order_cod.htm">COD</a></p>
<p align="center"><a href="order_cc.htm">On-line Order with secure Credit Catd Payment</a></p>
</body>
</html>
)html");
}

std::string defaultCashShippingTemplate() {
  return joined({taxRows("Out of Staate"), kExtendedTotalRow, kCashAddressRows, kButtonRow,
                 kNoteBox, kFormEnd, kOrderScript, kCashShippingScript, kPageEnd});
}

std::string defaultCardTemplate() {
  return joined({taxRows("Out of State"), kExtendedTotalRow, kSingleAddressRows, kCardRows,
                 kButtonRow, kFormEnd, kOrderScript, kNoShippingScript, kPageEnd});
}

std::string defaultCashTemplate() {
  return joined({taxRows("Out of State"), kExtendedTotalRow, kSingleAddressRows, kButtonRow,
                 kFormEnd, kOrderScript, kNoShippingScript, kPageEnd});
}

TemplateDefaults templateDefaults(const StoreSettings& settings) {
  TemplateDefaults defaults;
  defaults.text5 = defaultEmailAction(settings.orderEmail);
  defaults.text7 = defaultGatewayAction(settings);
  defaults.text10 = defaultShippingCardTemplate();
  defaults.text11 = defaultPaymentChoicePage();
  defaults.text12 = defaultCashShippingTemplate();
  defaults.text13 = defaultShippingCardTemplate();
  defaults.text16 = defaultCardTemplate();
  defaults.text17 = defaultCashTemplate();
  return defaults;
}

ProjectSettings defaultProjectSettings(const StoreSettings& settings) {
  return ProjectSettings{defaultEmailAction(settings.orderEmail), "", kDefaultFontStyle,
                         kDefaultTableStyle, "index", kDefaultSalesTax,
                         defaultGatewayAction(settings)};
}

void applyTemplateDefaults(StoreInput& input, const std::string& orderEmail,
                           const std::string& gatewayHost) {
  input.fontStyle = kDefaultFontStyle;
  input.tableStyle = kDefaultTableStyle;
  input.salesTax = kDefaultSalesTax;
  input.emailAction = defaultEmailAction(orderEmail);
  StoreSettings gateway;
  gateway.paymentGatewayHost = gatewayHost;
  input.formAction = defaultGatewayAction(gateway);
  input.template10 = defaultShippingCardTemplate();
  input.template11 = defaultPaymentChoicePage();
  input.template12 = defaultCashShippingTemplate();
  input.template13 = defaultShippingCardTemplate();
  input.template16 = defaultCardTemplate();
  input.template17 = defaultCashTemplate();
}

}  // namespace vendaro
