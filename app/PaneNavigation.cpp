#include "app/PaneNavigation.h"

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

void PaneNavigation::onVisiblePanes(const std::function<void(Browser&)>& command) {
  for (BrowserPane* pane : {&webBrowser1_, &webBrowser5_}) {
    if (pane->Visible()) ignoringErrors(command, pane->browser());
  }
}

void PaneNavigation::onMainPane(const std::function<void(Browser&)>& command) {
  ignoringErrors(command, webBrowser1_.browser());
}

}  // namespace vendaro
