#pragma once

#include "platform/controls/Geometry.h"

class QWidget;

namespace vendaro {

// The main window's client area below its menu bar, which holds the toolbar,
// the bars and the browser panes; null while that window does not exist.
QWidget* mainWindowClientArea();

// Moves a top-level window so its top left corner sits at `place` (twips in
// the main window's client area): over the browser pane, never over the
// menus or the toolbar. Does nothing without a main window.
void placeOverBrowserPane(QWidget& window, const Geometry& place);

}  // namespace vendaro
