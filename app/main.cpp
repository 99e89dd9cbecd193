// The `vendaro` program: without a command it opens the workbench window;
// commands run the same window models without a window.
#include <CLI/CLI.hpp>
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "app/AppContext.h"
#include "app/WorkbenchView.h"
#include "orders/OrderCommands.h"
#include "store/GenerateCommand.h"

int main(int argc, char** argv) {
  CLI::App cli{
      "Vendaro: a workbench for small on-line merchants.\n"
      "Without a command it opens the workbench window.",
      "vendaro"};
  std::string appFolder;
  cli.add_option("--app-folder", appFolder,
                 "Folder of the program's files (default: $VENDARO_HOME, "
                 "else $XDG_DATA_HOME/vendaro)");
  cli.set_version_flag("--version", VENDARO_VERSION);
  cli.require_subcommand(0, 1);

  // Each headless command registers here as a subcommand whose callback sets
  // `command` to the job it runs; the job returns the exit code.
  std::function<int(const vendaro::AppContext&)> command;

  vendaro::GenerateOptions generateOptions;
  std::string layout = "banner";
  CLI::App* generate = cli.add_subcommand(
      "generate", "Write the whole shop site of a store project into its folder");
  generate->fallthrough();  // --app-folder may also follow the command name
  generate
      ->add_option("--layout", layout,
                   "banner: banner and contents menu; contents: contents menu only")
      ->check(CLI::IsMember({"banner", "contents"}));
  generate->add_flag("--manufacturer", generateOptions.manufacturer, "Show the manufacturer");
  generate->add_flag("--description-url", generateOptions.descriptionUrl,
                     "Link each item to its description page");
  generate->add_flag("--picture-url", generateOptions.pictureUrl, "Show each item's picture");
  generate->add_flag("--weight", generateOptions.weight, "Charge shipping by weight");
  generate->add_option("PROJECT", generateOptions.project, "Project folder name")->required();
  generate->callback([&] {
    generateOptions.layout = layout == "contents" ? vendaro::SiteLayout::ContentsOnly
                                                  : vendaro::SiteLayout::BannerAndContents;
    command = [&](const vendaro::AppContext& context) {
      generateOptions.appFolder = context.folder;
      return vendaro::runGenerateCommand(generateOptions, context.settings, std::cout, std::cerr);
    };
  });

  vendaro::GetOrdersOptions getOrdersOptions;
  bool tls = false;
  bool startTls = false;
  std::string passwordFile;
  CLI::App* getOrders = cli.add_subcommand(
      "get-orders", "Fetch the order mails from the POP3 mailbox into the order database");
  getOrders->fallthrough();
  getOrders->add_option("--host", getOrdersOptions.host, "POP3 server")->required();
  getOrders->add_option("--port", getOrdersOptions.port, "POP3 port (default: 110, 995 with --tls)")
      ->check(CLI::Range(1, 65535));
  CLI::Option* tlsFlag = getOrders->add_flag("--tls", tls, "POP3 over TLS (implicit)");
  getOrders->add_flag("--starttls", startTls, "POP3 upgraded with STLS")->excludes(tlsFlag);
  getOrders->add_option("--ca-file", getOrdersOptions.caFile, "Extra certificate authority file")
      ->check(CLI::ExistingFile);
  getOrders->add_option("--user", getOrdersOptions.user, "Mailbox user")->required();
  getOrders
      ->add_option("--password-file", passwordFile,
                   "File whose first line is the password (default: $VENDARO_POP_PASSWORD)")
      ->check(CLI::ExistingFile);
  getOrders->add_flag("--delete", getOrdersOptions.deleteMessages,
                      "Delete each message on the server after reading it");
  getOrders->callback([&] {
    using Security = vendaro::MailAccount::Security;
    getOrdersOptions.security = tls        ? Security::Tls
                                : startTls ? Security::StartTls
                                           : Security::None;
    getOrdersOptions.passwordFile = passwordFile;
    command = [&](const vendaro::AppContext& context) {
      getOrdersOptions.appFolder = context.folder;
      return vendaro::runGetOrdersCommand(getOrdersOptions, context.settings, std::cout, std::cerr);
    };
  });

  vendaro::ListOrdersOptions listOptions;
  CLI::App* orders = cli.add_subcommand("orders", "List every order with its lines");
  orders->fallthrough();
  CLI::Option* csvFlag =
      orders->add_flag("--csv", listOptions.csv, "One CSV row per order line, with a header row");
  orders
      ->add_flag("--card-numbers", listOptions.cardNumbers,
                 "Full card numbers and expiry dates (default: last four digits, no expiry)")
      ->needs(csvFlag);
  orders->callback([&] {
    command = [&](const vendaro::AppContext& context) {
      listOptions.appFolder = context.folder;
      return vendaro::runOrdersCommand(listOptions, std::cout, std::cerr);
    };
  });

  try {
    cli.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    // Help and version exit with 0; a mistake in the command line with 2.
    return cli.exit(error) == 0 ? 0 : vendaro::kExitError;
  }

  const std::optional<std::string> folderOption =
      appFolder.empty() ? std::nullopt : std::optional<std::string>(appFolder);
  const auto context = vendaro::openAppContext(folderOption, std::cerr);
  if (!context) return vendaro::kExitError;
  return command ? command(*context) : vendaro::runWorkbench(*context);
}
