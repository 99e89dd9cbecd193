#include "publish/PublishWindow.h"

#include <memory>
#include <stdexcept>
#include <system_error>

#include "platform/curl/CurlFileUpload.h"
#include "publish/PublishMemory.h"

namespace vendaro {

namespace fs = std::filesystem;

frmPublish::frmPublish(EventLoop& loop, Dialogs& dialogs) : loop_(loop), dialogs_(dialogs) {
  setRunning(false);
}

frmPublish::~frmPublish() {
  *alive_ = false;
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void frmPublish::openFolder(const fs::path& folder) {
  txtFolder.setText(folder.string());
  txtFolder_LostFocus();
}

void frmPublish::txtFolder_LostFocus() {
  const PublishMemory memory = PublishMemory::read(txtFolder.Text());
  if (!memory.destination.empty()) txtDestination.setText(memory.destination);
  if (!memory.user.empty()) txtUser.setText(memory.user);
}

UploadDestination frmPublish::destination() const {
  UploadDestination destination;
  destination.url = txtDestination.Text();
  destination.user = txtUser.Text();
  destination.password = txtPassword.Text();
  destination.keyFile = txtKey.Text();
  destination.trustNewHost = chkTrustHost.checked();
  return destination;
}

void frmPublish::cmdPublish_Click() {
  if (running()) return;
  const fs::path folder = txtFolder.Text();
  std::error_code error;
  if (folder.empty() || !fs::is_directory(folder, error)) {
    dialogs_.MsgBox("There is no folder \"" + folder.string() + "\" to publish.",
                    MessageButtons::Ok, MessageIcon::Exclamation, Caption.Caption());
    return;
  }
  if (CurlFileUpload::schemeOf(txtDestination.Text()).empty()) {
    dialogs_.MsgBox("The destination must be an sftp://, ftps:// or file:// address.",
                    MessageButtons::Ok, MessageIcon::Exclamation, Caption.Caption());
    return;
  }
  PublishMemory{txtDestination.Text(), txtUser.Text()}.write(folder);
  lstLog.Clear();
  prgProgress.setValue(0);
  stop_ = false;
  setRunning(true);
  worker_ = std::thread(&frmPublish::publishOnThread, this, folder, destination());
}

void frmPublish::cmdStop_Click() {
  stop_ = true;
}

void frmPublish::publishOnThread(fs::path folder, UploadDestination destination) {
  PublishOutcome outcome;
  try {
    CurlFileUpload upload(destination);
    Publisher publisher(folder, destination.url);
    const PublishPlan plan = publisher.plan();
    for (const std::string& refused : plan.refused) {
      postToWindow([this, refused] { lstLog.AddItem("not published: " + refused); });
      outcome.failures.push_back(refused);
    }
    int shownPercent = -1;
    const PublishOutcome run = publisher.run(
        plan, upload,
        [&](const PublishProgress& progress) {
          const int percent =
              progress.bytesTotal == 0
                  ? 100
                  : static_cast<int>(progress.bytesDone * 100 / progress.bytesTotal);
          if (percent == shownPercent && !progress.current.empty()) return;
          shownPercent = percent;
          postToWindow([this, progress] { showProgress(progress); });
        },
        [this](const std::string& line) { postToWindow([this, line] { lstLog.AddItem(line); }); },
        stop_);
    outcome.uploaded = run.uploaded;
    outcome.stopped = run.stopped;
    outcome.failures.insert(outcome.failures.end(), run.failures.begin(), run.failures.end());
  } catch (const std::exception& problem) {
    outcome.failures.push_back(problem.what());
  }
  postToWindow([this, outcome] { finished(outcome); });
}

void frmPublish::showProgress(const PublishProgress& progress) {
  prgProgress.setValue(progress.bytesTotal == 0
                           ? 100
                           : static_cast<int>(progress.bytesDone * 100 / progress.bytesTotal));
  lblProgress.setCaption(std::to_string(progress.filesDone) + " of " +
                         std::to_string(progress.filesTotal) + " files, " +
                         std::to_string(progress.bytesDone) + " of " +
                         std::to_string(progress.bytesTotal) + " bytes");
}

void frmPublish::finished(const PublishOutcome& outcome) {
  if (worker_.joinable()) worker_.join();
  setRunning(false);
  if (outcome.stopped) {
    lstLog.AddItem("Stopped; Publish again to finish.");
  } else if (!outcome.failures.empty()) {
    lstLog.AddItem("The site is not complete; Publish again to finish it.");
  } else {
    lstLog.AddItem("Published; " + std::to_string(outcome.uploaded) + " files uploaded.");
  }
}

void frmPublish::setRunning(bool running) {
  cmdPublish.setEnabled(!running);
  cmdStop.setEnabled(running);
}

void frmPublish::postToWindow(std::function<void()> task) {
  loop_.post([alive = std::weak_ptr<bool>(alive_), task = std::move(task)] {
    if (auto window = alive.lock(); window && *window) task();
  });
}

}  // namespace vendaro
