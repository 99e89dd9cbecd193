#pragma once

#include <functional>
#include <string>

#include "platform/controls/Control.h"
#include "platform/controls/MenuItem.h"
#include "platform/controls/PictureBox.h"

namespace vendaro {

// What the main window and the screen offer the tools; set by the main
// window (and by the GUI for the pop-up menu and the focus).
struct MainWindowOffers {
  // The main menu's entry of a designer name (to enable or disable it).
  std::function<MenuItem*(const std::string& name)> menuEntry;
  // The toolbar's picture button of a designer name ("Picture8"), so a tool
  // shows and hides the button on screen; null for an unknown name.
  std::function<PictureBox*(const std::string& name)> toolbarButton;
  // Pops `menu`'s entries up at the mouse position and reports the index of
  // the entry chosen.
  std::function<void(const MenuItem& menu, const std::function<void(int index)>& chosen)> popupMenu;
  // Why a saved list file (a backslash name such as "\\favor.prv") could not
  // be read at start, with its path; empty when it was read. Such a file is
  // set aside and never written.
  std::function<std::string(const std::string& backslashName)> setAsideList;
  // Moves the keyboard focus to a control of the window (the keyword box).
  std::function<void(const Control& control)> focus;
};

}  // namespace vendaro
