#pragma once

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/Form1.h"
#include "app/Subsystems.h"
#include "common/Workbench.h"
#include "tests/support/FakeBrowser.h"
#include "tests/support/FakeTransfer.h"
#include "tests/support/ManualEventLoop.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {

class RecordingLauncher : public Launcher {
 public:
  bool start(const std::string& program, const std::vector<std::string>&) override {
    started.push_back(program);
    return !failing;
  }
  bool available(const std::string& program) const override { return installed.count(program); }
  std::vector<std::string> started;
  std::set<std::string> installed;
  bool failing = false;
};

// A main window over fakes, with its application folder in a temporary folder.
class Form1Fixture : public ::testing::Test {
 protected:
  Form1Fixture() { vendor.baseUrl = "http://vendor.example"; }

  // A new window over the same folder, as after a restart.
  Form1& makeForm() {
    workbench.reset();  // before the window it is plugged into
    form.reset();       // before the browsers it listens to
    transfers.clear();
    browser1 = std::make_unique<FakeBrowser>();
    browser5 = std::make_unique<FakeBrowser>();
    for (auto& browser : hiddenBrowsers) browser = std::make_unique<FakeBrowser>();
    form = std::make_unique<Form1>(Form1Platform{
        loop, dialogs, launcher, vendor, folder.path(), *browser1, *browser5, *hiddenBrowsers[0],
        *hiddenBrowsers[1], *hiddenBrowsers[2], makeTransfer, programs});
    return *form;
  }

  // Plugs a workbench over `context` into the window, as the program composes it.
  Workbench& plugInWorkbench() {
    context.folder = folder.path();
    context.vendor = vendor;
    workbench = std::make_unique<Workbench>(
        loop, dialogs, launcher, context, form->ports(), form->commands, form->toolWindows,
        []() -> Database& { throw std::logic_error("no database here"); });
    return *workbench;
  }

  Form1& loadForm() {
    makeForm().Form_Load();
    return *form;
  }

  // A window with every subsystem plugged in, loaded as the program does.
  Form1& loadPluggedForm() {
    makeForm();
    registerSubsystemCommands(plugInWorkbench());
    form->Form_Load();
    return *form;
  }

  // The transfer the tools took under the designer name Inet<number>.
  FakeTransfer& inet(int number) {
    static const std::map<int, std::string> owners{{1, "keyword fetcher 1"},
                                                   {2, "keyword fetcher 2"},
                                                   {3, "keyword fetcher 3"},
                                                   {4, "keyword fetcher 4"},
                                                   {5, "private channel list"},
                                                   {6, "public channel list"},
                                                   {7, "public search engine list"},
                                                   {8, "private search engine list"},
                                                   {10, "home pages"}};
    Transfer* taken = form->transfers.find(owners.at(number));
    if (taken == nullptr) throw std::logic_error("no tool took Inet" + std::to_string(number));
    return dynamic_cast<FakeTransfer&>(*taken);
  }
  // The hidden panes WebBrowser2 to WebBrowser4.
  FakeBrowser& hiddenBrowser(int number) {
    return *hiddenBrowsers.at(static_cast<std::size_t>(number - 2));
  }

  TempFolder folder;
  ManualEventLoop loop;
  ScriptedDialogs dialogs;
  RecordingLauncher launcher;
  VendorSettings vendor;
  ProgramSettings programs;
  std::unique_ptr<FakeBrowser> browser1;
  std::unique_ptr<FakeBrowser> browser5;
  std::array<std::unique_ptr<FakeBrowser>, 3> hiddenBrowsers;
  std::vector<FakeTransfer*> transfers;
  std::function<std::unique_ptr<Transfer>()> makeTransfer = [this] {
    auto transfer = std::make_unique<FakeTransfer>();
    transfers.push_back(transfer.get());
    return transfer;
  };
  AppContext context;
  std::unique_ptr<Form1> form;
  std::unique_ptr<Workbench> workbench;
};

}  // namespace vendaro::testing
