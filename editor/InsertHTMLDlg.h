#pragma once

#include <functional>

#include "platform/HtmlEditControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// The modal dialog "Insert HTML": "OK" replaces the surface's selection
// with the typed HTML.
class InsertHTMLDlg {
 public:
  explicit InsertHTMLDlg(HtmlEditControl& editor) : editor_(editor) {}

  TextBox HTMLText{"<B> here's some <I>HTML</></B>"};

  void CmdOK_Click() {
    editor_.PasteHTML(HTMLText.Text());
    if (Unload) Unload();
  }
  void CmdCancel_Click() {
    if (Unload) Unload();
  }

  // Set by the view: closes the dialog.
  std::function<void()> Unload;

 private:
  HtmlEditControl& editor_;
};

}  // namespace vendaro
