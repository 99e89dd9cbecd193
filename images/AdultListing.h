#pragma once

#include <string>

#include "platform/Dialogs.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// The main window's lists the adult listing reads or changes.
struct AdultListingControls {
  const ListControl& listlinks;  // collected links, the source
  ListControl& List4;            // reading queue, cleared
  ListControl& domain;           // the listing (also the private history)
};

// The adult listing: the sites of the collected links, added to the list of
// sites that the address bar refuses outside the private zone, and shown for
// editing only after the parental password.
class AdultListing {
 public:
  AdultListing(AdultListingControls controls, Dialogs& dialogs, std::string parentalPassword);

  // "Create adult listing".
  void createadultlisting_Click();
  // "Edit adult listing": asks for the password (masked), then shows the
  // list over the browser pane, where a double click removes an entry.
  void editadultlisting_Click();

 private:
  AdultListingControls c_;
  Dialogs& dialogs_;
  std::string parentalPassword_;
};

}  // namespace vendaro
