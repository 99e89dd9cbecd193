#pragma once

#include "browse/ChannelLists.h"
#include "browse/Favorites.h"
#include "browse/HomePages.h"
#include "browse/PrivateZone.h"
#include "browse/StartPage.h"
#include "browse/TranslationSettings.h"
#include "common/Workbench.h"

namespace vendaro {

// The browsing features plugged into the main window: favorites and
// histories, the vendor's lists and home pages, the private zone, translation
// and the shipped start page. Sets the main window's hooks while it lives.
class Browsing {
 public:
  explicit Browsing(Workbench& workbench);
  ~Browsing();
  Browsing(const Browsing&) = delete;
  Browsing& operator=(const Browsing&) = delete;

  // The browsing sections of the settings file.
  const PrivateZoneSettings privateZoneSettings;
  const TranslationSettings translationSettings;

  Favorites favorites;
  ChannelLists lists;
  HomePages homePages;
  PrivateZone zone;
  StartPage startPage;

 private:
  void registerCommands(CommandRegistry& commands);
  void registerListCommands(CommandRegistry& commands);

  Workbench& workbench_;
};

// Makes the browsing features, keeps them in the workbench and registers
// their commands.
Browsing& addBrowsing(Workbench& workbench);

}  // namespace vendaro
