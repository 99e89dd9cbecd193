#pragma once

namespace vendaro {

// Shown instead of starting the window when there is nowhere to show it.
inline constexpr const char* kNoDisplayMessage =
    "vendaro: no display found, so the workbench window cannot open.\n"
    "Run it from a desktop session, or under a virtual display with `xvfb-run -a vendaro`,\n"
    "or set QT_QPA_PLATFORM=offscreen to run it without a screen.\n";

// Whether Qt can find somewhere to draw: one of DISPLAY, WAYLAND_DISPLAY and
// QT_QPA_PLATFORM is set and not empty. Without any of them Qt aborts when
// the first window is made.
bool displayAvailable();

// Prepares the environment that the web engine reads at start: its sandbox
// cannot run as root, so it is switched off there. Call before the
// application object exists.
void prepareWebEngineEnvironment();

}  // namespace vendaro
