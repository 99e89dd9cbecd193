#include "store/BasketPage.h"

#include "store/OrderTable.h"
#include "store/PageText.h"

namespace vendaro {

std::string basketPageText(const SiteCatalogue& catalogue) {
  PageText page;
  page.line("<html>")
      .line()
      .line("<head>")
      .line("<title>BASKET</title>")
      .line("<meta name='GENERATOR' content='Vendaro 2.0'>")
      .line("<script LANGUAGE='JavaScript'>");
  for (std::size_t k = 0; k < catalogue.categories().size(); ++k) {
    const std::string& name = catalogue.scriptName(k);
    page.line("function RemoveFrom" + name + "(nSelectedItem) {")
        .line("  top." + name + "List[nSelectedItem].itemquantity = 0")
        .line("  this.location.href = 'basket.htm' }")
        .line();
  }
  page.line("function displayBasket(){")
      .line("var totalPrice = 0")
      .line("var total=0")
      .line("var totalW=0");
  addOrderTableHead(page, catalogue.input(), OrderTableKind::Basket);
  addOrderTableRows(page, catalogue, OrderTableKind::Basket);
  page.line("   totalPrice += parseFloat(total)");
  addOrderTableTotal(page, catalogue.input());
  page.line("    document.write (msg) }")
      .line("    </script>")
      .line("    </head>")
      .line("<body bgcolor='#FFFFFF'>")
      .line("<h3 ALIGN='center'><script LANGUAGE='JavaScript'>")
      .line("displayBasket()")
      .line("    </script></h> </h3>")
      .line(
          "<p><strong><font face='Verdana'>To complete the order select &quot;Order form&quot; "
          "from")
      .line("the menu</font></strong></p>")
      .line("</body>")
      .line("</html>");
  return std::move(page).str();
}

}  // namespace vendaro
