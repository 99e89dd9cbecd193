#pragma once

#include <functional>
#include <map>
#include <string>

#include "common/ports/PictureCollector.h"
#include "common/ports/VisitRecorder.h"

namespace vendaro {

// Hooks a subsystem sets while it lives and the main window calls; unset,
// they do nothing.
struct MainWindowHooks {
  // Records the site of every page completed in WebBrowser1.
  VisitRecorder* visitRecorder = nullptr;
  // Where the panes hand completed pages and clicks for the image buffer.
  PictureCollector* pictureCollector = nullptr;
  // Runs when the address bar refuses a privately visited site.
  std::function<void()> enterPrivateZone;
  // Steps of the tools, by tool name (run in the order of the names): when
  // the window has loaded, when the stop command runs, when the window unloads.
  std::map<std::string, std::function<void()>> onLoad;
  std::map<std::string, std::function<void()>> onStop;
  std::map<std::string, std::function<void()>> onUnload;
};

}  // namespace vendaro
