#pragma once

#include "platform/controls/ListControl.h"

namespace vendaro {

// The hidden lists of the research tools, which the image buffer and the
// toolbar's link stepping read too.
struct ResearchLists {
  ResearchLists() {
    for (ListControl* list : {&listlinks2, &List3, &List4, &List1, &List7}) {
      list->setVisible(false);
    }
  }
  ResearchLists(const ResearchLists&) = delete;
  ResearchLists& operator=(const ResearchLists&) = delete;

  ListControl listlinks2;  // visited links
  ListControl List3;       // report rows
  ListControl List4;       // reading queue
  ListControl List1;       // found pages
  ListControl List7;       // link addresses stepped through by the toolbar
  // Set while links are gathered from pages; the stop command clears it.
  bool linksGathered = false;
};

}  // namespace vendaro
