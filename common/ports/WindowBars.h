#pragma once

#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// The main window's bars the tools read and fill: the address bar with its
// history, the keyword bar, and the window caption.
struct WindowBars {
  ListControl& Combo2;
  ListControl& Combo1;
  Label& Caption;
};

}  // namespace vendaro
