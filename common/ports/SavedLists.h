#pragma once

#include "platform/controls/ListControl.h"

namespace vendaro {

// The lists the main window restores at start and writes back at close, which
// the browsing, image and research tools fill. Hidden until a command shows
// one over the browser pane.
struct SavedLists {
  SavedLists() {
    for (ListControl* list : {&domain, &domain2, &favorit, &favorit2, &List6, &List2, &listlinks}) {
      list->setVisible(false);
    }
  }
  SavedLists(const SavedLists&) = delete;
  SavedLists& operator=(const SavedLists&) = delete;

  ListControl domain;     // private history, also the adult listing
  ListControl domain2;    // public history
  ListControl favorit;    // private favorites
  ListControl favorit2;   // public favorites
  ListControl List6;      // home pages already shown
  ListControl List2;      // image buffer
  ListControl listlinks;  // collected links
};

}  // namespace vendaro
