#pragma once

#include "common/ports/BrowsingZone.h"
#include "common/ports/HiddenPanes.h"
#include "common/ports/MainWindowHooks.h"
#include "common/ports/MainWindowOffers.h"
#include "common/ports/PaneNavigator.h"
#include "common/ports/ResearchLists.h"
#include "common/ports/SavedLists.h"
#include "common/ports/StatusText.h"
#include "common/ports/TransferPool.h"
#include "common/ports/WindowBars.h"

namespace vendaro {

// The ports of the main window a subsystem's registration hands on: each
// class of a subsystem receives only the ports it uses.
struct MainWindowPorts {
  StatusText& status;
  PaneNavigator& panes;
  HiddenPanes hidden;
  TransferPool& transfers;
  WindowBars bars;
  SavedLists& saved;
  ResearchLists& research;
  BrowsingZone& zone;
  MainWindowHooks& hooks;
  MainWindowOffers& offers;
};

}  // namespace vendaro
