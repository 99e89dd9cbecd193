#include "app/WorkbenchView.h"

#include <QApplication>
#include <iostream>

#include "app/GuiEnvironment.h"
#include "orders/OrderCommands.h"
#include "platform/curl/CurlMailClient.h"
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
                    [this] { return std::make_unique<CurlTransfer>(loop_); }});
  window_ = std::make_unique<Form1View>(*form_, form_->mainMenu, webBrowser1_->widget(),
                                        webBrowser5_->widget());
  dialogs_.setParentWindow(window_.get());
  registerToolWindows();
}

WorkbenchView::~WorkbenchView() {
  releaseToolWindows();
  window_.reset();
  form_.reset();
  webBrowser1_.reset();
  webBrowser5_.reset();
  profile_.reset();
}

void WorkbenchView::registerToolWindows() {
  toolWindows().add(ToolWindows::kWizardForm, {[this] { openWizard(); },
                                               [this] {
                                                 wizardWindow_->raise();
                                                 wizardWindow_->activateWindow();
                                               },
                                               [this] { wizardWindow_->close(); }});
  toolWindows().add(ToolWindows::kOrderViewerForm, {[this] { openOrderViewer(); },
                                                    [this] {
                                                      orderViewerWindow_->raise();
                                                      orderViewerWindow_->activateWindow();
                                                    },
                                                    [this] { orderViewerWindow_->close(); }});
}

SqliteDatabase& WorkbenchView::orderDatabase() {
  if (!orderDatabase_) {
    orderDatabase_ = std::make_unique<SqliteDatabase>(context_.folder / kOrderDatabaseFile);
  }
  return *orderDatabase_;
}

void WorkbenchView::openWizard() {
  releaseWizard();
  wizard_ = std::make_unique<Wizard1>(Wizard1Platform{
      dialogs_, context_.store, context_.vendor, context_.folder, &form_->Combo2,
      &form_->WebBrowser1, [this] { toolWindows().show(ToolWindows::kOrderViewerForm); }});
  wizard_->intake = std::make_unique<OrderIntake>(
      OrderIntakePlatform{loop_, dialogs_, context_.mail, orderDatabase(), {}},
      std::make_unique<CurlMailClient>(loop_));
  wizardWindow_ = std::make_unique<Wizard1View>(*wizard_);
  wizardWindow_->onClosed = [this] {
    toolWindows().closed(ToolWindows::kWizardForm);
    // The window is inside its close event now; it is released afterwards.
    loop_.post([this] {
      if (!toolWindows().isOpen(ToolWindows::kWizardForm)) releaseWizard();
    });
  };
  wizardWindow_->show();
}

void WorkbenchView::openOrderViewer() {
  releaseOrderViewer();
  orderViewer_ = std::make_unique<frmOrders>(orderDatabase(), dialogs_);
  orderViewerWindow_ = std::make_unique<OrderViewerView>(*orderViewer_);
  orderViewerWindow_->onClosed = [this] {
    toolWindows().closed(ToolWindows::kOrderViewerForm);
    loop_.post([this] {
      if (!toolWindows().isOpen(ToolWindows::kOrderViewerForm)) releaseOrderViewer();
    });
  };
  orderViewerWindow_->show();
}

// A view goes before its model, which it draws.
void WorkbenchView::releaseWizard() {
  wizardWindow_.reset();
  wizard_.reset();
}

void WorkbenchView::releaseOrderViewer() {
  orderViewerWindow_.reset();
  orderViewer_.reset();
}

void WorkbenchView::releaseToolWindows() {
  releaseWizard();
  releaseOrderViewer();
  orderDatabase_.reset();
}

void WorkbenchView::start() {
  form_->Form_Load();
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
