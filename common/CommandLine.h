#pragma once

#include <CLI/CLI.hpp>
#include <filesystem>
#include <functional>
#include <string>

#include "common/VendorSettings.h"
#include "platform/HeadlessDialogs.h"
#include "platform/settings/FolderSettings.h"
#include "platform/settings/MailSettings.h"
#include "platform/settings/SettingsFile.h"

namespace vendaro {

// The exit code of a run that could not start or do its job.
constexpr int kExitError = 2;

// What every command of the program starts from: the application folder,
// its checked settings file, from which each subsystem reads its own
// section, and the sections several subsystems share.
struct AppContext {
  std::filesystem::path folder;
  SettingsFile settings;
  VendorSettings vendor;
  MailSettings mail;
  FolderSettings folders;
  // How the command answers a yes/no question (`--yes` says Yes).
  QuestionAnswer questionAnswer = QuestionAnswer::No;
};

// The program's command line, to which each subsystem adds its headless
// commands. A command's callback chooses the job that runs once the
// application folder and its settings are known; the job returns the exit code.
class CommandLine {
 public:
  using Job = std::function<int(const AppContext&)>;

  explicit CommandLine(CLI::App& app) : app_(app) {}

  // A new command; `--app-folder` may also follow its name.
  CLI::App* add(const std::string& name, const std::string& description) {
    CLI::App* command = app_.add_subcommand(name, description);
    command->fallthrough();
    return command;
  }
  void choose(Job job) { job_ = std::move(job); }
  const Job& job() const { return job_; }

 private:
  CLI::App& app_;
  Job job_;
};

}  // namespace vendaro
