#pragma once

#include "platform/Browser.h"

namespace vendaro {

// The hidden page loaders of the research tools; never shown.
struct HiddenPanes {
  Browser& WebBrowser2;  // reads report pages
  Browser& WebBrowser3;
  Browser& WebBrowser4;  // crawls collected links
};

}  // namespace vendaro
