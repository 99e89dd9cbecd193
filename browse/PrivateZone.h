#pragma once

#include "browse/ChannelLists.h"
#include "common/PrivateZoneSettings.h"
#include "common/VendorSettings.h"
#include "common/ports/BrowsingZone.h"
#include "common/ports/MainWindowOffers.h"
#include "common/ports/PaneNavigator.h"
#include "common/ports/StatusText.h"
#include "platform/Dialogs.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// Entering and leaving the private zone: its own start page, channel and
// search lists, the record question and the zone texts in status panel 2.
class PrivateZone {
 public:
  // The ports the zone changes: the address bar is emptied and hidden, the
  // image-buffer menu entry comes from `offers`.
  struct Ports {
    BrowsingZone& zone;
    ListControl& addressBar;
    StatusText& status;
    PaneNavigator& panes;
    const MainWindowOffers& offers;
  };

  PrivateZone(Ports ports, Dialogs& dialogs, const VendorSettings& vendor,
              const PrivateZoneSettings& settings, ChannelLists& lists);

  // The "Private" menu entry, the refused address and Picture14: leaves the
  // zone when inside, else enters it.
  void toggle();

 private:
  void enter();
  void leave();
  void enableImageBufferSaving(bool enabled);

  BrowsingZone& zone_;
  ListControl& addressBar_;
  StatusText& status_;
  PaneNavigator& panes_;
  const MainWindowOffers& offers_;
  Dialogs& dialogs_;
  const VendorSettings& vendor_;
  const PrivateZoneSettings& settings_;
  ChannelLists& lists_;
};

}  // namespace vendaro
