#pragma once

#include "platform/BrowserPane.h"
#include "platform/Dialogs.h"

namespace vendaro {

// The File and Edit menus on the shown pages: open a file (all page kinds,
// or a collection: saved pages outside the private zone, private collection
// files inside it), save as, page setup, print, copy, select all. Errors
// are ignored, as the browser's own dialogs report them.
class FileCommands {
 public:
  static constexpr const char* kOpenFilter =
      "HTML file (*.htm;*.html)|*.htm;*.html|Text File (*.txt;*.rtf)|*.txt;*.rtf|"
      "MS Word file(*.doc)|*.doc|GIF file(*.gif)|*.gif|JPEG file(*.jpg)|*.jpg|";
  static constexpr const char* kCollectionFilter =
      "HTML file (*.htm;*.html)|*.htm;*.html|Text File (*.txt;*.rtf)|*.txt;*.rtf";
  static constexpr const char* kPrivateCollectionFilter = "Private collection file (*.prv)|*.prv";

  FileCommands(Dialogs& dialogs, BrowserPane& webBrowser1, BrowserPane& webBrowser5,
               const bool& inPrivateZone)
      : dialogs_(dialogs),
        webBrowser1_(webBrowser1),
        webBrowser5_(webBrowser5),
        inPrivateZone_(inPrivateZone) {}

  void open_file_Click();
  void opcollect_Click();
  void save_file_Click();
  void pagesetup_Click();
  void print_Click();
  void copy_Click();
  void selectall_Click();

 private:
  void openChosenFile(const char* filter);
  void onVisiblePanes(BrowserCommand command);

  Dialogs& dialogs_;
  BrowserPane& webBrowser1_;
  BrowserPane& webBrowser5_;
  const bool& inPrivateZone_;
};

}  // namespace vendaro
