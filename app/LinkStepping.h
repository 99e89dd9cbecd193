#pragma once

#include <string>

#include "common/ports/PaneNavigator.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/StatusBar.h"

namespace vendaro {

// The toolbar's walk through the collected links: `List7` holds their
// addresses, `List3` the report rows with their texts, `linkIndex` the
// position reached.
class LinkStepping {
 public:
  LinkStepping(ListControl& list7, const ListControl& list3, StatusBar& statusBar,
               PaneNavigator& navigation)
      : list7_(list7), list3_(list3), statusBar_(statusBar), navigation_(navigation) {}

  void previousLink();  // Picture26
  void nextLink();      // Picture27
  void clearLinks();    // Picture28

  // The link text of a report row: between its first ">" and the next "<",
  // searched from two characters after the ">".
  static std::string linkText(const std::string& row);

 private:
  void open(int index);
  std::string rowText(int index) const;

  ListControl& list7_;
  const ListControl& list3_;
  StatusBar& statusBar_;
  PaneNavigator& navigation_;
  int linkIndex_ = 0;
};

}  // namespace vendaro
