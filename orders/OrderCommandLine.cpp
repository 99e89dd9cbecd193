#include <unistd.h>

#include <iostream>
#include <memory>

#include "orders/CheckOrdersCommand.h"
#include "orders/OrderCommand.h"
#include "orders/OrderCommands.h"
#include "orders/OrderSubsystem.h"
#include "orders/OutboxCommand.h"
#include "orders/StockCommand.h"
#include "platform/curl/CurlMailSender.h"
#include "platform/secret/SecretKeyring.h"

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
  orders->add_option("--status", options->status,
                     "Only the orders with this status (new, confirmed, paid, shipped, "
                     "completed, cancelled)");
  orders->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      ListOrdersOptions chosen = *options;
      chosen.appFolder = context.folder;
      chosen.questionAnswer = context.questionAnswer;
      return runOrdersCommand(chosen, std::cout, std::cerr);
    });
  });
}

// The options by which mails leave, shared by `order --notify` and `outbox`.
struct DeliveryChoices {
  bool dryRun = false;
  std::string folder;
  std::string passwordFile;

  void addTo(CLI::App& command) {
    CLI::Option* dry = command.add_flag(
        "--dry-run", dryRun, "Write the mails as .eml files instead of sending them");
    command.add_option("--folder", folder, "Where --dry-run writes (default: APP-FOLDER/outbox-files)")
        ->needs(dry);
    command.add_option("--password-file", passwordFile,
                       "A file whose first line is the SMTP password (default: "
                       "VENDARO_SMTP_PASSWORD, else the keyring)");
  }

  MailDelivery delivery(const AppContext& context) const {
    MailDelivery chosen;
    chosen.smtp = SmtpSettings::read(context.settings);
    chosen.passwordFile = passwordFile;
    chosen.keyring = std::make_shared<SecretKeyring>();
    chosen.dryRun = dryRun;
    chosen.dryRunFolder = folder.empty() ? context.folder / "outbox-files"
                                         : std::filesystem::path(folder);
    chosen.makeSender = [](const SmtpSettings& smtp, const std::string& password) {
      return std::make_unique<CurlMailSender>(smtp, password);
    };
    return chosen;
  }
};

void addOutbox(CommandLine& commandLine) {
  struct Choices {
    bool send = false;
    std::int64_t requeue = 0;
    DeliveryChoices delivery;
  };
  auto choices = std::make_shared<Choices>();
  CLI::App* outbox = commandLine.add("outbox", "List the mails to customers that wait, or send them");
  outbox->add_flag("--send", choices->send, "Send the queued mails through the server of [smtp]");
  outbox->add_option("--requeue", choices->requeue,
                     "Queue again a mail whose send was cut off (after checking it did not arrive)");
  choices->delivery.addTo(*outbox);
  outbox->callback([&commandLine, choices, outbox] {
    commandLine.choose([choices, outbox](const AppContext& context) {
      OutboxCommandOptions options;
      options.appFolder = context.folder;
      options.send = choices->send || choices->delivery.dryRun;
      if (outbox->count("--requeue") > 0) options.requeue = choices->requeue;
      options.delivery = choices->delivery.delivery(context);
      return runOutboxCommand(options, std::cout, std::cerr);
    });
  });
}

void addOrder(CommandLine& commandLine) {
  auto options = std::make_shared<OrderCommandOptions>();
  CLI::App* order = commandLine.add(
      "order", "Show one order with its lines, check, status and history, or change its status");
  order->add_option("ID", options->orderId, "The order number (OrderID)")->required();
  CLI::Option* status = order->add_option(
      "--status", options->status,
      "Move the order to new, confirmed, paid, shipped, completed or cancelled");
  order->add_option("--note", options->note, "A note kept with the change")->needs(status);
  CLI::Option* carrier =
      order->add_option("--carrier", options->carrier, "The carrier (for shipped)")->needs(status);
  order->add_option("--tracking", options->tracking, "The tracking code (for shipped)")
      ->needs(carrier);
  carrier->needs(order->get_option("--tracking"));
  order->add_flag("--notify", options->notify,
                  "Mail the customer about the change (confirmed, shipped, cancelled)")
      ->needs(status);
  auto delivery = std::make_shared<DeliveryChoices>();
  delivery->addTo(*order);
  order->callback([&commandLine, options, delivery] {
    commandLine.choose([options, delivery](const AppContext& context) {
      OrderCommandOptions chosen = *options;
      chosen.appFolder = context.folder;
      chosen.delivery = delivery->delivery(context);
      return runOrderCommand(chosen, std::cout, std::cerr);
    });
  });
}

void addCheckOrders(CommandLine& commandLine) {
  CLI::App* check = commandLine.add(
      "check-orders", "Check every stored order again against the published catalogues");
  check->callback([&commandLine] {
    commandLine.choose([](const AppContext& context) {
      return runCheckOrdersCommand(context.folder, std::cout, std::cerr);
    });
  });
}

void addStock(CommandLine& commandLine) {
  auto low = std::make_shared<std::int64_t>(0);
  CLI::App* stock = commandLine.add(
      "stock", "List the quantities on hand of the counted items (after the orders' changes)");
  CLI::Option* lowOption =
      stock->add_option("--low", *low, "Only the items with this many or fewer on hand")
          ->check(CLI::NonNegativeNumber);
  stock->callback([&commandLine, low, lowOption] {
    commandLine.choose([low, lowOption](const AppContext& context) {
      std::optional<std::int64_t> atMost;
      if (lowOption->count() > 0) atMost = *low;
      return runStockCommand(context.folder, atMost, std::cout, std::cerr);
    });
  });
}

}  // namespace

void addOrderCommandLine(CommandLine& commandLine) {
  addGetOrders(commandLine);
  addListOrders(commandLine);
  addCheckOrders(commandLine);
  addOrder(commandLine);
  addOutbox(commandLine);
  addStock(commandLine);
}

}  // namespace vendaro
