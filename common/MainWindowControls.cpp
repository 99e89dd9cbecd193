#include "common/MainWindowControls.h"

namespace vendaro {

MainWindowControls::MainWindowControls(
    MainWindowPanes panes, const std::function<std::unique_ptr<Transfer>()>& makeTransfer)
    : WebBrowser1(panes.webBrowser1, true),
      WebBrowser5(panes.webBrowser5, false),
      WebBrowser2(panes.webBrowser2, false),
      WebBrowser3(panes.webBrowser3, false),
      WebBrowser4(panes.webBrowser4, false) {
  Combo2.setText("http://");
  for (auto& transfer : transfers_) transfer = makeTransfer();
  for (MenuItem* menu : {&privs, &privch, &pubs, &pubch}) menu->addChild(menu->name() + "0", "");
  // The lists behind the history, favorites and research features are hidden
  // until a command shows them.
  for (ListControl* list : {&domain, &domain2, &favorit, &favorit2, &List6, &List2, &listlinks,
                            &listlinks2, &List3, &List4, &List1, &List7}) {
    list->setVisible(false);
  }
}

void MainWindowControls::navigatePane(BrowserPane& pane, const std::string& address) {
  pane.browser().Navigate(address);
  if (pane.Visible()) return;
  const char* name = &pane == &WebBrowser5 ? "Browser 2" : "Browser 1";
  StatusBar1.setPanelText(1, std::string("Opening in ") + name +
                                 ", which is not shown: press \"Switch between browsers\" to see it");
}

}  // namespace vendaro
