#include "app/Form1Layout.h"

#include <initializer_list>

namespace vendaro {

Form1Layout::Form1Layout() {
  Picture1.height = kToolbarHeight;
  Combo2 = {kAddressBarLeft, kBarsTop, 0, kBarHeight};
  WebBrowser1.top = kPanesTop;
  WebBrowser5.top = kPanesTop;
  StatusBar1.height = kStatusBarHeight;
}

void Form1Layout::resize(float scaleWidth, float scaleHeight) {
  Picture1.setWidth(scaleWidth - 30.0f);
  Combo2.setWidth(scaleWidth - 3170.0f);
  const float paneHeight = scaleHeight - StatusBar1.height - kPanesTop - 30.0f;
  for (Geometry* pane : {&WebBrowser1, &WebBrowser5}) {
    pane->setWidth(scaleWidth - 30.0f);
    pane->setHeight(paneHeight);
  }
}

}  // namespace vendaro
