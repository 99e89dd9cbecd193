#pragma once

#include <QWebEngineProfile>
#include <array>
#include <memory>

#include "app/AppContext.h"
#include "app/Form1.h"
#include "app/Form1View.h"
#include "common/Workbench.h"
#include "platform/curl/PageLoader.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtLauncher.h"
#include "platform/qt/QtToolWindowSlots.h"
#include "platform/qt/QtWebBrowser.h"
#include "platform/sqlite/SqliteDatabase.h"

namespace vendaro {

// The workbench on screen, the GUI's composition root: the Qt platform, the
// main window model and its view, the program's database, and the
// subsystems plugged in with their commands and tool windows. Made in the
// order they depend on each other and taken down in reverse (tool windows
// before the main window, the window before the browsers, the browsers
// before their profile). Needs a QApplication.
class WorkbenchView {
 public:
  explicit WorkbenchView(AppContext context);
  WorkbenchView(const WorkbenchView&) = delete;
  WorkbenchView& operator=(const WorkbenchView&) = delete;
  ~WorkbenchView();

  // Runs the main window's start-up sequence, then shows the window.
  void start();
  // The program is asked to end by the session: closes the main window.
  void endSession();
  // Releases the closed main window and runs its destruction sequence.
  void finish();

  Form1& form() { return *form_; }
  // The main window; null after `finish`.
  Form1View* window() { return window_.get(); }
  QtWebBrowser& webBrowser1() { return *webBrowser1_; }
  QtWebBrowser& webBrowser5() { return *webBrowser5_; }
  ToolWindows& toolWindows() { return form_->toolWindows; }
  // The open tool windows with their models, by form name.
  QtToolWindowSlots& toolWindowSlots() { return *slots_; }

 private:
  // The program's database, opened on first use and shared by every window.
  Database& database();

  AppContext context_;
  QtEventLoop loop_;
  QtDialogs dialogs_;
  QtLauncher launcher_;
  // Off the record: pages keep nothing on disk, and the user's own browser
  // profile is never touched.
  std::unique_ptr<QWebEngineProfile> profile_;
  std::unique_ptr<QtWebBrowser> webBrowser1_;
  std::unique_ptr<QtWebBrowser> webBrowser5_;
  // The hidden panes WebBrowser2 to WebBrowser4.
  std::array<std::unique_ptr<PageLoader>, 3> hiddenBrowsers_;
  std::unique_ptr<Form1> form_;
  std::unique_ptr<Form1View> window_;
  std::unique_ptr<SqliteDatabase> database_;
  std::unique_ptr<Workbench> workbench_;
  std::unique_ptr<QtToolWindowSlots> slots_;
};

// Opens the workbench window and runs until it closes; returns the exit code.
// Without a display it prints what to do and returns kExitError.
int runWorkbench(const AppContext& context);

}  // namespace vendaro
