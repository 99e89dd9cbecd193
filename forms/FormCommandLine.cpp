#include <iostream>
#include <memory>

#include "forms/FormCommands.h"
#include "forms/FormSubsystem.h"
#include "forms/GetResponsesCommand.h"
#include "intake/MailboxCommandLine.h"

namespace vendaro {
namespace {

void addFormPage(CommandLine& commandLine) {
  auto options = std::make_shared<FormPageOptions>();
  CLI::App* formPage = commandLine.add("form-page", "Write the page of a stored form");
  formPage->add_option("FORM", options->form, "Name of the form")->required();
  formPage->add_option("--output", options->output, "Page file (default: standard output)");
  formPage->add_flag("--form-script", options->formScript,
                     "Post to a mail script (PHP) written beside the page instead of mailto:");
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

void addDeleteForm(CommandLine& commandLine) {
  auto options = std::make_shared<DeleteFormOptions>();
  CLI::App* command = commandLine.add(
      "delete-form", "Delete a stored form with its fields and stored responses (asks; --yes)");
  command->add_option("FORM", options->form, "Name of the form")->required();
  command->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      DeleteFormOptions chosen = *options;
      chosen.appFolder = context.folder;
      chosen.questionAnswer = context.questionAnswer;
      return runDeleteFormCommand(chosen, std::cout, std::cerr);
    });
  });
}

void addGetResponses(CommandLine& commandLine) {
  struct Choices {
    MailboxCommandLine mailbox;
    std::string form;
    bool deleteMessages = false;
  };
  auto choices = std::make_shared<Choices>();
  CLI::App* command =
      commandLine.add("get-responses", "Fetch the response mails of a form from the POP3 or IMAP mailbox");
  command->add_option("--form", choices->form, "Name of the form")->required();
  choices->mailbox.addTo(*command, MailboxCommandLine::Watching::NotOffered);
  command->add_flag("--delete", choices->deleteMessages,
                    "Delete each stored response on the server after reading it");
  command->callback([&commandLine, choices] {
    commandLine.choose([choices](const AppContext& context) {
      GetResponsesOptions chosen;
      chosen.appFolder = context.folder;
      chosen.form = choices->form;
      chosen.mailbox = choices->mailbox.account(context.mail);
      chosen.passwordFile = choices->mailbox.passwordFile;
      chosen.tokenCommand = choices->mailbox.tokenCommand(context.mail);
      chosen.deleteMessages = choices->deleteMessages;
      chosen.questionAnswer = context.questionAnswer;
      return runGetResponsesCommand(chosen, context.mail, std::cout, std::cerr);
    });
  });
}

}  // namespace

void addFormCommandLine(CommandLine& commandLine) {
  addFormPage(commandLine);
  addDeleteForm(commandLine);
  addGetResponses(commandLine);
  addListResponses(commandLine);
}

}  // namespace vendaro
