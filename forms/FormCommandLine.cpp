#include <iostream>
#include <memory>

#include "forms/FormCommands.h"
#include "forms/FormSubsystem.h"

namespace vendaro {
namespace {

void addFormPage(CommandLine& commandLine) {
  auto options = std::make_shared<FormPageOptions>();
  CLI::App* formPage = commandLine.add("form-page", "Write the page of a stored form");
  formPage->add_option("FORM", options->form, "Name of the form")->required();
  formPage->add_option("--output", options->output, "Page file (default: standard output)");
  formPage->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      FormPageOptions chosen = *options;
      chosen.appFolder = context.folder;
      return runFormPageCommand(chosen, std::cout, std::cerr);
    });
  });
}

void addListResponses(CommandLine& commandLine) {
  auto options = std::make_shared<ListResponsesOptions>();
  CLI::App* responses =
      commandLine.add("responses", "List the stored responses of a form, one per mail");
  responses->add_option("--form", options->form, "Name of the form")->required();
  responses->add_flag("--csv", options->csv, "One CSV row per response, with a header row");
  responses->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      ListResponsesOptions chosen = *options;
      chosen.appFolder = context.folder;
      return runResponsesCommand(chosen, std::cout, std::cerr);
    });
  });
}

}  // namespace

void addFormCommandLine(CommandLine& commandLine) {
  addFormPage(commandLine);
  addListResponses(commandLine);
}

}  // namespace vendaro
