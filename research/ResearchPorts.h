#pragma once

#include "common/ports/MainWindowPorts.h"

namespace vendaro {

// The main window's ports the research tools use: the saved and research
// lists, the status bar's text, the panes and the hidden loaders, the keyword
// bar, the zone, the transfers of the keyword search, the focus the GUI
// offers and the picture collector the image buffer plugs in.
struct ResearchPorts {
  SavedLists& saved;
  ResearchLists& lists;
  StatusText& status;
  PaneNavigator& panes;
  HiddenPanes hidden;
  ListControl& keywords;
  const BrowsingZone& zone;
  TransferPool& transfers;
  const MainWindowOffers& offers;
  const MainWindowHooks& hooks;

  static ResearchPorts of(const MainWindowPorts& window) {
    return {window.saved,       window.research, window.status,    window.panes,  window.hidden,
            window.bars.Combo1, window.zone,     window.transfers, window.offers, window.hooks};
  }
};

}  // namespace vendaro
