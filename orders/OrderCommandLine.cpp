#include <unistd.h>

#include <iostream>
#include <memory>

#include "orders/OrderCommands.h"
#include "orders/OrderSubsystem.h"

namespace vendaro {
namespace {

void addGetOrders(CommandLine& commandLine) {
  struct Choices {
    MailboxCommandLine mailbox;
    bool deleteMessages = false;
  };
  auto choices = std::make_shared<Choices>();
  CLI::App* getOrders = commandLine.add(
      "get-orders", "Fetch the order mails from the POP3 or IMAP mailbox into the order database");
  choices->mailbox.addTo(*getOrders);
  getOrders->add_flag("--delete", choices->deleteMessages,
                      "Delete each message on the server after reading it");
  getOrders->callback([&commandLine, choices] {
    commandLine.choose([choices](const AppContext& context) {
      GetOrdersOptions options;
      options.appFolder = context.folder;
      options.mailbox = choices->mailbox.account(context.mail);
      options.passwordFile = choices->mailbox.passwordFile;
      options.tokenCommand = choices->mailbox.tokenCommand(context.mail);
      options.watch = choices->mailbox.watch;
      options.pollSeconds = choices->mailbox.pollSeconds;
      options.deleteMessages = choices->deleteMessages;
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
