#pragma once

#include <filesystem>
#include <string>

#include "common/ports/StatusText.h"
#include "platform/BrowserPane.h"
#include "platform/Dialogs.h"
#include "platform/controls/ListControl.h"

namespace vendaro {

// The main window's controls the image buffer reads or changes.
struct ImageBufferControls {
  ListControl& List2;  // the buffer
  StatusText& status;  // the status bar's text
  BrowserPane& WebBrowser1;
  const bool& inPrivateZone;
};

// The image buffer: the addresses of the pictures met while browsing, each
// once, at most 400. A full buffer is written to the next numbered spill file
// in the output folder and starts again. It can be shown in a pane, cleared
// and saved.
class ImageBuffer {
 public:
  static constexpr int kLimit = 400;

  ImageBuffer(ImageBufferControls controls, Dialogs& dialogs, std::filesystem::path outputFolder);

  // Adds a picture address unless the buffer holds it; spills a full buffer first.
  void AddBufferImage(const std::string& address);
  // Writes the buffer page into the pane's document.
  void ShowBufferPage(Browser& pane);
  // Panel 4: the number of pictures in the buffer.
  void showCount();

  // "View image buf": shows the buffer page in the main pane, or goes back
  // to the page before it.
  void imagebuf_Click();
  // A click on status panel 4: the same, but hiding only forgets the page.
  void StatusBar1_PanelClick4();
  // "Clear image buf", and a double click on status panel 5.
  void cllearimagebuf_Click();
  // "Save image buf".
  void sreport_Click();

  int spillCounter() const { return spillCounter_; }
  bool imagePageShown() const { return imagePageShown_; }

 private:
  void spill();

  ImageBufferControls c_;
  Dialogs& dialogs_;
  std::filesystem::path outputFolder_;
  int spillCounter_ = 0;
  bool imagePageShown_ = false;
};

}  // namespace vendaro
