#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

#include "common/CommandLine.h"
#include "common/MailboxIntake.h"
#include "common/ports/MainWindowPorts.h"
#include "platform/CommandRegistry.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/Launcher.h"
#include "platform/ToolWindows.h"

namespace vendaro {

// What a subsystem plugs into: the platform, the main window's ports, the command registry of the
// menus and the toolbar, the tool windows by form name, the program's one database, and the
// services one subsystem offers another. A subsystem's registration function receives it, registers
// its commands and keeps its parts alive in it.
class Workbench {
 public:
  Workbench(EventLoop& loop, Dialogs& dialogs, Launcher& launcher, const AppContext& context,
            const MainWindowPorts& mainWindow, CommandRegistry& commands, ToolWindows& windows,
            std::function<Database&()> database)
      : loop(loop),
        dialogs(dialogs),
        launcher(launcher),
        context(context),
        appFolder(context.folder),
        mainWindow(mainWindow),
        commands(commands),
        windows(windows),
        database_(std::move(database)) {}
  Workbench(const Workbench&) = delete;
  Workbench& operator=(const Workbench&) = delete;
  // Parts go in the reverse order of their making.
  ~Workbench() {
    while (!parts_.empty()) parts_.pop_back();
  }

  EventLoop& loop;
  Dialogs& dialogs;
  Launcher& launcher;
  // The application folder, the settings file (each subsystem reads its own
  // section) and the shared sections.
  const AppContext& context;
  const std::filesystem::path appFolder;
  // The main window's ports; a subsystem hands each of its classes only
  // those it uses.
  const MainWindowPorts mainWindow;
  CommandRegistry& commands;
  ToolWindows& windows;

  // The program's one database, opened on first use. Each subsystem creates
  // the tables it needs.
  Database& database() const { return database_(); }

  // Keeps a subsystem's part (a model behind its commands) as long as the
  // workbench lives.
  template <typename Part>
  Part& keep(std::unique_ptr<Part> part) {
    Part* kept = part.get();
    parts_.push_back(std::shared_ptr<Part>(std::move(part)));
    return *kept;
  }

  // Services subsystems offer each other; empty until their subsystem
  // registers them. The order subsystem makes the mailbox intake of the store
  // wizard's "E-Mail DB" tab.
  std::function<std::unique_ptr<MailboxIntake>()> makeOrderIntake;
  // The store subsystem takes a picture address clicked in the main pane into
  // the open store wizard's picture box.
  std::function<void(const std::string& address)> offerPictureToStore;
  // The web editor opens a page file in its window (the submission tool's
  // "Edit" uses it).
  std::function<void(const std::filesystem::path& page)> openInWebEditor;
  // The publishing subsystem opens its window for a folder of pages (the
  // submission tool's "Publish" uses it).
  std::function<void(const std::filesystem::path& folder)> publishFolder;

 private:
  std::function<Database&()> database_;
  std::vector<std::shared_ptr<void>> parts_;
};

}  // namespace vendaro
