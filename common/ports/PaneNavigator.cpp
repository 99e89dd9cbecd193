#include "common/ports/PaneNavigator.h"

#include <exception>
#include <initializer_list>

namespace vendaro {
namespace {

void ignoringErrors(const std::function<void(Browser&)>& command, Browser& pane) {
  try {
    command(pane);
  } catch (const std::exception&) {
  }
}

}  // namespace

void PaneNavigator::onVisiblePanes(const std::function<void(Browser&)>& command) {
  for (BrowserPane* pane : {&WebBrowser1, &WebBrowser5}) {
    if (pane->Visible()) ignoringErrors(command, pane->browser());
  }
}

void PaneNavigator::onMainPane(const std::function<void(Browser&)>& command) {
  ignoringErrors(command, WebBrowser1.browser());
}

void PaneNavigator::navigate(BrowserPane& pane, const std::string& address) {
  pane.browser().Navigate(address);
  if (pane.Visible()) return;
  const char* name = &pane == &WebBrowser5 ? "Browser 2" : "Browser 1";
  status_.show(1, std::string("Opening in ") + name +
                      ", which is not shown: press \"Switch between browsers\" to see it");
}

}  // namespace vendaro
