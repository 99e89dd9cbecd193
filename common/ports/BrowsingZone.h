#pragma once

namespace vendaro {

// Which zone the browser is in, which the address bar, the panes, the
// channel lists and the tools that keep records all consult.
struct BrowsingZone {
  bool inPrivateZone = false;
  // Whether pages opened now are recorded in the zone's history.
  bool keepRecord = false;
};

}  // namespace vendaro
