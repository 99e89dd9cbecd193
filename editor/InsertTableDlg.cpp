#include "editor/InsertTableDlg.h"

#include <charconv>
#include <string>


namespace vendaro {

InsertTableDlg::InsertTableDlg(HtmlEditControl& editor, Dialogs& dialogs)
    : editor_(editor), dialogs_(dialogs) {
  Rows.setText(std::to_string(param_.NumRows));
  Cols.setText(std::to_string(param_.NumCols));
  TableAttrs.setText(param_.TableAttrs);
  CellAttrs.setText(param_.CellAttrs);
  TableCaption.setText(param_.Caption);
}

// A count that is not a whole number from 1 to kMaxCount is reported and
// the dialog stays open, so a typing error neither ends the program nor
// builds a table the page cannot hold.
bool InsertTableDlg::readCount(const TextBox& box, const char* label, int& count) {
  const std::string& text = box.Text();
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= kMaxCount) {
    count = value;
    return true;
  }
  dialogs_.MsgBox(std::string(label) + " enter a whole number from 1 to " +
                      std::to_string(kMaxCount) + ".",
                  MessageButtons::Ok, MessageIcon::Exclamation);
  return false;
}

void InsertTableDlg::OkCmd_Click() {
  if (!readCount(Rows, "Number of rows:", param_.NumRows)) return;
  if (!readCount(Cols, "Number of columns:", param_.NumCols)) return;
  // An emptied box keeps the parameter's own value.
  if (!TableAttrs.Text().empty()) param_.TableAttrs = TableAttrs.Text();
  if (!CellAttrs.Text().empty()) param_.CellAttrs = CellAttrs.Text();
  if (!TableCaption.Text().empty()) param_.Caption = TableCaption.Text();
  editor_.InsertTable(param_);
  close();
}

void InsertTableDlg::CacelCmd_Click() {
  close();
}

void InsertTableDlg::close() {
  if (Unload) Unload();
}

}  // namespace vendaro
