#pragma once

#include <string>

#include "common/VendorSettings.h"
#include "common/ports/BrowsingZone.h"
#include "common/ports/MainWindowOffers.h"
#include "common/ports/PaneNavigator.h"
#include "common/ports/StatusText.h"
#include "common/ports/TransferPool.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"
#include "platform/controls/Timer.h"

namespace vendaro {

// The channel and search-engine lists of the vendor site as pop-up menus:
// the public ones downloaded at the window's load (Inet6, Inet7), the private
// ones on entering the private zone (Inet5, Inet8) with one retry each after
// 20 s (Timer10, Timer11). Menu entry i opens address list position i + 1.
class ChannelLists {
 public:
  static constexpr int kRetryMs = 20000;

  // The ports the lists use: the address bar is hidden while a private
  // menu pops up; the toolbar buttons and the pop-up menu come from `offers`.
  struct Ports {
    TransferPool& transfers;
    StatusText& status;
    PaneNavigator& panes;
    BrowsingZone& zone;
    ListControl& addressBar;
    const MainWindowOffers& offers;
  };

  ChannelLists(Ports ports, Dialogs& dialogs, EventLoop& loop, const VendorSettings& vendor);
  ~ChannelLists();
  ChannelLists(const ChannelLists&) = delete;
  ChannelLists& operator=(const ChannelLists&) = delete;

  // Downloads the public lists (at the window's load).
  void loadPublicLists();
  // Drops the entries the lists added to the menus (at the window's unload).
  void removeRunTimeMenuEntries();

  // Transfer completions.
  void Inet5_StateChanged(int state);
  void Inet6_StateChanged(int state);
  void Inet7_StateChanged(int state);
  void Inet8_StateChanged(int state);
  void Timer10_Timer();
  void Timer11_Timer();

  // "Your Channels" and "Search Engine Listing ": pop up the zone's menu.
  void Picture11_Click();
  void Picture8_Click();
  // An entry chosen in a pop-up menu.
  void pubch_Click(int index) { openChannel(ara2, index); }
  void privch_Click(int index) { openChannel(privchann, index); }
  void pubs_Click(int index) { openSearchEngine(pubsearch, index); }
  void privs_Click(int index) { openSearchEngine(privsearch, index); }

  // The pop-up menus of the channel and search lists; their first entry is fixed.
  MenuItem privs{"privs", ""};
  MenuItem privch{"privch", ""};
  MenuItem pubs{"pubs", ""};
  MenuItem pubch{"pubch", ""};

  // Address lists of the menus (hidden list boxes).
  ListControl ara2;        // public channels
  ListControl pubsearch;   // public search engines
  ListControl privchann;   // private channels
  ListControl privsearch;  // private search engines
                           // The toolbar buttons that pop the menus up; shown once lists arrived.
                           // They are the main window's own buttons when it has a toolbar.
 private:
  PictureBox ownPicture8_;
  PictureBox ownPicture11_;

 public:
  PictureBox& Picture8;   // "Search Engine Listing "
  PictureBox& Picture11;  // "Your Channels"
  Timer Timer10;          // retries the private channel list
  Timer Timer11;          // retries the private search list

  Transfer& Inet5;  // private channel list
  Transfer& Inet6;  // public channel list
  Transfer& Inet7;  // public search engine list
  Transfer& Inet8;  // private search engine list

 private:
  struct Source {
    Transfer& transfer;
    MenuItem& menu;
    ListControl& addresses;
    const char* what;
  };
  // Reads a completed answer into its menu and address list. A failed
  // download leaves both as they were and says so in the status bar.
  bool loadList(const Source& source, int state);
  void publicListChanged(const Source& source, int state);
  void privateListChanged(const Source& source, int state, PictureBox& button, Timer& retry);
  void retry(Transfer& transfer, Timer& timer);
  void popUp(MenuItem& menu, void (ChannelLists::*choose)(int));
  void openChannel(const ListControl& addresses, int index);
  void openSearchEngine(const ListControl& addresses, int index);

  StatusText& status_;
  PaneNavigator& panes_;
  BrowsingZone& zone_;
  ListControl& addressBar_;
  const MainWindowOffers& offers_;
  Dialogs& dialogs_;
  const VendorSettings& vendor_;
};

}  // namespace vendaro
