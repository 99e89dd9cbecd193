#pragma once

#include "browse/ChannelLists.h"
#include "common/MainWindowControls.h"
#include "platform/Dialogs.h"
#include "platform/Settings.h"

namespace vendaro {

// Entering and leaving the private zone: its own start page, channel and
// search lists, the record question and the zone texts in status panel 2.
class PrivateZone {
 public:
  PrivateZone(MainWindowControls& main, Dialogs& dialogs, const Settings& settings,
              ChannelLists& lists);

  // The "Private" menu entry, the refused address and Picture14: leaves the
  // zone when inside, else enters it.
  void toggle();

 private:
  void enter();
  void leave();
  void enableImageBufferSaving(bool enabled);

  MainWindowControls& main_;
  Dialogs& dialogs_;
  const Settings& settings_;
  ChannelLists& lists_;
};

}  // namespace vendaro
