#include "app/FileCommands.h"

namespace vendaro {

void FileCommands::openChosenFile(const char* filter) {
  const auto file = dialogs_.ShowOpen("", filter);
  if (!file || file->empty()) return;
  for (BrowserPane* pane : {&webBrowser1_, &webBrowser5_}) {
    if (pane->Visible()) pane->browser().Navigate(*file);
  }
}

void FileCommands::onVisiblePanes(BrowserCommand command) {
  for (BrowserPane* pane : {&webBrowser1_, &webBrowser5_}) {
    if (pane->Visible()) pane->browser().execCommand(command);
  }
}

void FileCommands::open_file_Click() {
  openChosenFile(kOpenFilter);
}

void FileCommands::opcollect_Click() {
  openChosenFile(inPrivateZone_ ? kPrivateCollectionFilter : kCollectionFilter);
}

void FileCommands::save_file_Click() {
  onVisiblePanes(BrowserCommand::SaveAs);
}

void FileCommands::pagesetup_Click() {
  webBrowser1_.browser().execCommand(BrowserCommand::PageSetup);
}

void FileCommands::print_Click() {
  webBrowser1_.browser().execCommand(BrowserCommand::Print);
}

void FileCommands::copy_Click() {
  onVisiblePanes(BrowserCommand::Copy);
}

void FileCommands::selectall_Click() {
  onVisiblePanes(BrowserCommand::SelectAll);
}

}  // namespace vendaro
