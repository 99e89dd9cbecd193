#include <iostream>
#include <memory>

#include "forms/FormCommands.h"
#include "forms/FormSubsystem.h"
#include "forms/GetResponsesCommand.h"

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

void addGetResponses(CommandLine& commandLine) {
  struct Choices {
    GetResponsesOptions options;
    bool tls = false;
    bool startTls = false;
    std::string passwordFile;
  };
  auto choices = std::make_shared<Choices>();
  GetResponsesOptions& options = choices->options;
  CLI::App* command =
      commandLine.add("get-responses", "Fetch the response mails of a form from the POP3 mailbox");
  command->add_option("--form", options.form, "Name of the form")->required();
  command->add_option("--host", options.host, "POP3 server")->required();
  command->add_option("--port", options.port, "POP3 port (default: 110, 995 with --tls)")
      ->check(CLI::Range(1, 65535));
  CLI::Option* tlsFlag = command->add_flag("--tls", choices->tls, "POP3 over TLS (implicit)");
  command->add_flag("--starttls", choices->startTls, "POP3 upgraded with STLS")->excludes(tlsFlag);
  command->add_option("--ca-file", options.caFile, "Extra certificate authority file")
      ->check(CLI::ExistingFile);
  command->add_option("--user", options.user, "Mailbox user")->required();
  command
      ->add_option("--password-file", choices->passwordFile,
                   "File whose first line is the password (default: $VENDARO_POP_PASSWORD)")
      ->check(CLI::ExistingFile);
  command->add_flag("--delete", options.deleteMessages,
                    "Delete each stored response on the server after reading it");
  command->callback([&commandLine, choices] {
    using Security = MailAccount::Security;
    choices->options.security = choices->tls        ? Security::Tls
                                : choices->startTls ? Security::StartTls
                                                    : Security::None;
    choices->options.passwordFile = choices->passwordFile;
    commandLine.choose([choices](const AppContext& context) {
      GetResponsesOptions chosen = choices->options;
      chosen.appFolder = context.folder;
      chosen.questionAnswer = context.questionAnswer;
      return runGetResponsesCommand(chosen, context.mail, std::cout, std::cerr);
    });
  });
}

}  // namespace

void addFormCommandLine(CommandLine& commandLine) {
  addFormPage(commandLine);
  addGetResponses(commandLine);
  addListResponses(commandLine);
}

}  // namespace vendaro
