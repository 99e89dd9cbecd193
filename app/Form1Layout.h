#pragma once

#include "platform/controls/Geometry.h"

namespace vendaro {

// Where the main window's toolbar strip, address bar, browser panes and status
// bar sit, in twips, and how they follow the window's client area.
class Form1Layout {
 public:
  static constexpr float kToolbarHeight = 420;
  static constexpr float kAddressBarLeft = 3135;
  static constexpr float kBarsTop = 450;
  static constexpr float kBarHeight = 315;
  static constexpr float kPanesTop = 840;
  static constexpr float kStatusBarHeight = 315;

  Form1Layout();

  // Fits widths and heights to a client area of `scaleWidth` x `scaleHeight`
  // twips; positions stay. A size that would be negative keeps its old value.
  void resize(float scaleWidth, float scaleHeight);

  Geometry Picture1;  // toolbar strip
  Geometry Combo2;    // address bar
  Geometry WebBrowser1;
  Geometry WebBrowser5;
  Geometry StatusBar1;
};

}  // namespace vendaro
