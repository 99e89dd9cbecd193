#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <thread>

#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/ProgressBar.h"
#include "platform/controls/TextBox.h"
#include "publish/Publisher.h"

namespace vendaro {

// The publish window: the folder to publish, the destination, user,
// password or SSH key, Publish and Stop, a progress bar and the log. A run
// goes on a thread of its own; what it reports reaches the controls through
// the event loop. The destination and user are remembered in the folder.
class frmPublish {
 public:
  frmPublish(EventLoop& loop, Dialogs& dialogs);
  // Stops a run and waits for it.
  ~frmPublish();
  frmPublish(const frmPublish&) = delete;
  frmPublish& operator=(const frmPublish&) = delete;

  Label Caption{"Publishing"};
  Label lblFolder{"Folder"};
  TextBox txtFolder;
  Label lblDestination{"Destination (sftp://host/folder, ftps://host/folder, file:///folder)"};
  TextBox txtDestination;
  Label lblUser{"User"};
  TextBox txtUser;
  Label lblPassword{"Password"};
  TextBox txtPassword;
  Label lblKey{"SSH key file (empty: password or agent)"};
  TextBox txtKey;
  CheckBox chkTrustHost{"Trust a new host key"};
  Label cmdPublish{"Publish"};
  Label cmdStop{"Stop"};
  ProgressBar prgProgress;
  Label lblProgress;
  ListControl lstLog;

  // Shows a folder with the destination and user it was last published to.
  void openFolder(const std::filesystem::path& folder);
  void txtFolder_LostFocus();
  void cmdPublish_Click();
  void cmdStop_Click();
  bool running() const { return worker_.joinable(); }

 private:
  UploadDestination destination() const;
  void publishOnThread(std::filesystem::path folder, UploadDestination destination);
  void showProgress(const PublishProgress& progress);
  void finished(const PublishOutcome& outcome);
  void setRunning(bool running);
  // Runs `task` on the event loop unless the window has gone.
  void postToWindow(std::function<void()> task);

  EventLoop& loop_;
  Dialogs& dialogs_;
  std::thread worker_;
  std::atomic<bool> stop_ = false;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vendaro
