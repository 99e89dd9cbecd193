#include "store/OrderTable.h"

#include "common/NumberText.h"
#include "platform/Text.h"

namespace vendaro {
namespace {

// Without the Manufacturer box the items have no "itemman", so the cell is
// written empty instead of showing "undefined".
std::string manufacturerCell(const StoreInput& input, const std::string& item) {
  return input.manufacturer ? R"("+)" + item + R"(.itemman+")" : std::string();
}

void addCategoryRows(PageText& page, const StoreInput& input, const std::string& name,
                     const std::string& totalName, OrderTableKind kind) {
  const std::string font = text::scriptStringText(input.fontStyle);
  const std::string item = "top." + name + "List[n]";
  page.line(" for (var n =1; n <= top." + name + "List.length; n++) {");
  page.line("      if(" + item + ".itemquantity > 0) {");
  page.line(R"(  msg += "<TR VALIGN='top'><TD>)" + font + R"("+ )" + item + R"(.itemid + "</TD>")");
  page.line(R"(  msg += "<TD>)" + font + R"("+)" + item + R"(.itemdesc +"</TD>")");
  page.line("       var " + totalName + " = parseFloat(" + item + ".itemprice) * parseFloat(" +
            item + ".itemquantity)");
  page.line("       totalW += parseFloat(" + item + ".itemW * " + item + ".itemquantity)");
  if (kind == OrderTableKind::OrderForm) {
    page.line("info += " + item + R"(.itemid + " ^ " + )" + item +
              R"(.itemquantity + " ^ "  + top.moneyFormat()" + item +
              R"(.itemprice) + " ^ " + top.moneyFormat()" + totalName + R"()+"^")");
    page.line(R"(      info += "\n")");
  }
  page.line(R"(  msg += "<TD>)" + font + R"($ "+top.moneyFormat()" + item +
            R"(.itemprice)+"</TD><TD>)" + font + manufacturerCell(input, item) + R"(</TD>")");
  page.line(R"(  msg+="<TD>)" + font + R"("+)" + item + R"(.itemquantity +"</TD>")");
  page.line(R"(  msg+="<TD>)" + font + R"($ "+top.moneyFormat()" + totalName + R"() +"</TD>")");
  if (kind == OrderTableKind::Basket) {
    page.line(R"(  msg += "<TD>)" + font +
              R"(<FORM><INPUT TYPE='button' VALUE='Remove' onClick='RemoveFrom)" + name +
              R"((" + n + ")'></FORM></TD></TR>")");
    page.line("        total += " + totalName);
  } else {
    page.line("        totalPrice += " + totalName);
  }
  page.text(" } }");
}

}  // namespace

void addOrderTableHead(PageText& page, const StoreInput& input, OrderTableKind kind) {
  const std::string font = text::scriptStringText(input.fontStyle);
  page.line(R"(var msg = "<CENTER><BR>)" + text::scriptStringText(input.tableStyle) +
            "<TR><TH COLSPAN=7>" + font + "Contents of Basket</TH></TR><TR><TD>" + font +
            "Item ID</TD><TD>" + font + R"(Description</TD>")");
  std::string second = R"(msg +="<TD>)" + font + "Price</TD><TD>" + font + "Manufacturer</TD><TD>" +
                       font + "Quantity</TD><TD>" + font + "Total</TD>";
  if (kind == OrderTableKind::Basket) second += "<TD>" + font + "Remove</TD>";
  page.line(second + R"(</TR>")");
}

void addOrderTableRows(PageText& page, const SiteCatalogue& catalogue, OrderTableKind kind) {
  for (std::size_t k = 0; k < catalogue.categories().size(); ++k) {
    addCategoryRows(page, catalogue.input(), catalogue.scriptName(k),
                    "total" + trimmedNumberText(std::int64_t(k)), kind);
  }
}

void addOrderTableTotal(PageText& page, const StoreInput& input) {
  const std::string font = text::scriptStringText(input.fontStyle);
  page.line(R"(    msg += "<TR><TH COLSPAN=5>)" + font + R"(Products Total</TH>")");
  page.line(R"(    msg+="<TD>)" + font + R"($ " + top.moneyFormat(totalPrice) +"</TD></TR>")");
  page.line(R"(    msg += "</TABLE></CENTER>")");
}

}  // namespace vendaro
