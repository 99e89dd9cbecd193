#include <unistd.h>

#include <iostream>
#include <memory>

#include "orders/OrderCommands.h"
#include "orders/OrderSubsystem.h"

namespace vendaro {
namespace {

void addGetOrders(CommandLine& commandLine) {
  struct Choices {
    GetOrdersOptions options;
    bool tls = false;
    bool startTls = false;
    std::string passwordFile;
  };
  auto choices = std::make_shared<Choices>();
  GetOrdersOptions& options = choices->options;
  CLI::App* getOrders = commandLine.add(
      "get-orders", "Fetch the order mails from the POP3 mailbox into the order database");
  getOrders->add_option("--host", options.host, "POP3 server")->required();
  getOrders->add_option("--port", options.port, "POP3 port (default: 110, 995 with --tls)")
      ->check(CLI::Range(1, 65535));
  CLI::Option* tlsFlag = getOrders->add_flag("--tls", choices->tls, "POP3 over TLS (implicit)");
  getOrders->add_flag("--starttls", choices->startTls, "POP3 upgraded with STLS")
      ->excludes(tlsFlag);
  getOrders->add_option("--ca-file", options.caFile, "Extra certificate authority file")
      ->check(CLI::ExistingFile);
  getOrders->add_option("--user", options.user, "Mailbox user")->required();
  getOrders
      ->add_option("--password-file", choices->passwordFile,
                   "File whose first line is the password (default: $VENDARO_POP_PASSWORD)")
      ->check(CLI::ExistingFile);
  getOrders->add_flag("--delete", options.deleteMessages,
                      "Delete each message on the server after reading it");
  getOrders->callback([&commandLine, choices] {
    using Security = MailAccount::Security;
    choices->options.security = choices->tls        ? Security::Tls
                                : choices->startTls ? Security::StartTls
                                                    : Security::None;
    choices->options.passwordFile = choices->passwordFile;
    commandLine.choose([choices](const AppContext& context) {
      GetOrdersOptions options = choices->options;
      options.appFolder = context.folder;
      options.questionAnswer = context.questionAnswer;
      options.showProgress = ::isatty(STDERR_FILENO) == 1;
      return runGetOrdersCommand(options, context.mail, std::cout, std::cerr);
    });
  });
}

void addListOrders(CommandLine& commandLine) {
  auto options = std::make_shared<ListOrdersOptions>();
  CLI::App* orders = commandLine.add("orders", "List every order with its lines");
  CLI::Option* csvFlag =
      orders->add_flag("--csv", options->csv, "One CSV row per order line, with a header row");
  orders
      ->add_flag("--card-numbers", options->cardNumbers,
                 "Full card numbers and expiry dates (default: last four digits, no expiry)")
      ->needs(csvFlag);
  orders->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      ListOrdersOptions chosen = *options;
      chosen.appFolder = context.folder;
      chosen.questionAnswer = context.questionAnswer;
      return runOrdersCommand(chosen, std::cout, std::cerr);
    });
  });
}

}  // namespace

void addOrderCommandLine(CommandLine& commandLine) {
  addGetOrders(commandLine);
  addListOrders(commandLine);
}

}  // namespace vendaro
