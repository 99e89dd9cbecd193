#include "app/WorkbenchView.h"

#include <QApplication>
#include <iostream>

#include "app/GuiEnvironment.h"
#include "app/Subsystems.h"
#include "platform/curl/CurlTransfer.h"
#include "platform/qt/QtSessionEnd.h"

namespace vendaro {

WorkbenchView::WorkbenchView(AppContext context)
    : context_(std::move(context)),
      profile_(std::make_unique<QWebEngineProfile>()),
      webBrowser1_(std::make_unique<QtWebBrowser>(*profile_)),
      webBrowser5_(std::make_unique<QtWebBrowser>(*profile_)) {
  for (auto& browser : hiddenBrowsers_) browser = std::make_unique<PageLoader>(loop_);
  form_ = std::make_unique<Form1>(
      Form1Platform{loop_, dialogs_, launcher_, context_.vendor, context_.folder, *webBrowser1_,
                    *webBrowser5_, *hiddenBrowsers_[0], *hiddenBrowsers_[1], *hiddenBrowsers_[2],
                    [this] { return std::make_unique<CurlTransfer>(loop_); },
                    ProgramSettings::read(context_.settings)});
  window_ = std::make_unique<Form1View>(*form_, form_->mainMenu, webBrowser1_->widget(),
                                        webBrowser5_->widget());
  dialogs_.setParentWindow(window_.get());
  workbench_ = std::make_unique<Workbench>(loop_, dialogs_, launcher_, context_, form_->ports(),
                                           form_->commands, form_->toolWindows,
                                           [this]() -> Database& { return database(); });
  slots_ = std::make_unique<QtToolWindowSlots>(form_->toolWindows, loop_);
  registerSubsystemCommands(*workbench_);
  registerSubsystemWindows(*workbench_, *slots_);
  // The menu bar is drawn once the subsystems have declared their entries.
  window_->makeMenuBar();
}

WorkbenchView::~WorkbenchView() {
  slots_.reset();
  workbench_.reset();
  database_.reset();
  window_.reset();
  form_.reset();
  webBrowser1_.reset();
  webBrowser5_.reset();
  profile_.reset();
}

Database& WorkbenchView::database() {
  if (!database_) {
    database_ = std::make_unique<SqliteDatabase>(context_.folder / kProgramDatabaseFile);
  }
  return *database_;
}

void WorkbenchView::start() {
  form_->Form_Load();
  window_->restoreWindowState();
  window_->show();
}

void WorkbenchView::endSession() {
  // Closing the window runs the close sequence once, as the close box does.
  if (window_) window_->close();
}

void WorkbenchView::finish() {
  window_.reset();
  form_->Form_Terminate();
}

int runWorkbench(const AppContext& context) {
  if (!displayAvailable()) {
    std::cerr << kNoDisplayMessage;
    return kExitError;
  }
  prepareWebEngineEnvironment();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  static char programName[] = "vendaro";
  char* arguments[] = {programName, nullptr};
  int argumentCount = 1;
  QApplication application(argumentCount, arguments);
  QApplication::setApplicationName(QStringLiteral("Vendaro"));
  // The program ends when its last window has closed, the main window or not.
  QApplication::setQuitOnLastWindowClosed(true);

  WorkbenchView workbench(context);
  // Asked to end by a signal: close the main window as the close box does,
  // then end even if other windows are open. Asked for its data when the
  // session logs out: write the saved lists now.
  QtSessionEnd sessionEnd(
      [&workbench] {
        workbench.endSession();
        QApplication::quit();
      },
      [&workbench] { workbench.form().writeSavedLists(); });
  workbench.start();
  const int exitCode = QApplication::exec();
  workbench.finish();
  return exitCode;
}

}  // namespace vendaro
