#pragma once

#include "browse/ChannelLists.h"
#include "common/MainWindowControls.h"
#include "common/PrivateZoneSettings.h"
#include "common/VendorSettings.h"
#include "platform/Dialogs.h"

namespace vendaro {

// Entering and leaving the private zone: its own start page, channel and
// search lists, the record question and the zone texts in status panel 2.
class PrivateZone {
 public:
  PrivateZone(MainWindowControls& main, Dialogs& dialogs, const VendorSettings& vendor,
              const PrivateZoneSettings& settings, ChannelLists& lists);

  // The "Private" menu entry, the refused address and Picture14: leaves the
  // zone when inside, else enters it.
  void toggle();

 private:
  void enter();
  void leave();
  void enableImageBufferSaving(bool enabled);

  MainWindowControls& main_;
  Dialogs& dialogs_;
  const VendorSettings& vendor_;
  const PrivateZoneSettings& settings_;
  ChannelLists& lists_;
};

}  // namespace vendaro
