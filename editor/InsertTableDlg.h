#pragma once

#include <functional>

#include "platform/Dialogs.h"
#include "platform/HtmlEditControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// The modal dialog "Insert Table": the boxes start from the surface's
// insert-table parameters; "OK" inserts a table made after them.
class InsertTableDlg {
 public:
  static constexpr int kMaxCount = 100;

  InsertTableDlg(HtmlEditControl& editor, Dialogs& dialogs);

  TextBox Rows;
  TextBox Cols;
  TextBox TableAttrs;
  TextBox CellAttrs;
  TextBox TableCaption;

  void OkCmd_Click();
  void CacelCmd_Click();

  // Set by the view: closes the dialog.
  std::function<void()> Unload;

 private:
  bool readCount(const TextBox& box, const char* label, int& count);
  void close();

  HtmlEditControl& editor_;
  Dialogs& dialogs_;
  InsertTableParam param_;
};

}  // namespace vendaro
