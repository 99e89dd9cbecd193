#include "app/WorkbenchView.h"

#include <QApplication>
#include <iostream>

#include "app/GuiEnvironment.h"
#include "platform/curl/CurlTransfer.h"

namespace vendaro {

WorkbenchView::WorkbenchView(AppContext context)
    : context_(std::move(context)),
      profile_(std::make_unique<QWebEngineProfile>()),
      webBrowser1_(std::make_unique<QtWebBrowser>(*profile_)),
      webBrowser5_(std::make_unique<QtWebBrowser>(*profile_)) {
  for (auto& browser : hiddenBrowsers_) browser = std::make_unique<PageLoader>(loop_);
  form_ = std::make_unique<Form1>(
      Form1Platform{loop_, dialogs_, launcher_, context_.settings, context_.folder, *webBrowser1_,
                    *webBrowser5_, *hiddenBrowsers_[0], *hiddenBrowsers_[1], *hiddenBrowsers_[2],
                    [this] { return std::make_unique<CurlTransfer>(loop_); }});
  mainMenu_.onClick = [this](const std::string& name) { dispatchMenu(name); };
  window_ = std::make_unique<Form1View>(*form_, mainMenu_, webBrowser1_->widget(),
                                        webBrowser5_->widget());
  dialogs_.setParentWindow(window_.get());
}

WorkbenchView::~WorkbenchView() {
  window_.reset();
  form_.reset();
  webBrowser1_.reset();
  webBrowser5_.reset();
  profile_.reset();
}

void WorkbenchView::dispatchMenu(const std::string& name) {
  Form1& form = *form_;
  if (name == "exit") form.exit_Click();
  if (name == "back") form.back_Click();
  if (name == "forward") form.forward_Click();
  if (name == "home") form.home_Click();
  if (name == "refresh") form.refresh_Click();
}

void WorkbenchView::start() {
  form_->Form_Load();
  window_->show();
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

  WorkbenchView workbench(context);
  workbench.start();
  const int exitCode = QApplication::exec();
  workbench.finish();
  return exitCode;
}

}  // namespace vendaro
