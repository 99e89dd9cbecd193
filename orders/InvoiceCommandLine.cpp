#include <iostream>
#include <memory>

#include "common/CommandLine.h"
#include "common/Dates.h"
#include "common/ShopRules.h"
#include "orders/InvoiceCommands.h"
#include "orders/OrderCommands.h"
#include "orders/SalesCommand.h"
#include "platform/ProgramDocumentPrinter.h"

namespace vendaro {
namespace {

void addDocumentCommand(CommandLine& commandLine, OrderDocumentKind kind, const char* name,
                        const char* description) {
  auto options = std::make_shared<OrderDocumentOptions>();
  CLI::App* command = commandLine.add(name, description);
  command->add_option("ORDER", options->orderId, "The order number (OrderID)")->required();
  command->add_option("--output", options->output,
                      "The PDF file to write (default: named after the document, in the "
                      "current folder)");
  if (kind == OrderDocumentKind::CreditNote) {
    command->add_flag("--refunded", options->refunded,
                      "Credit an order that is not cancelled: its payment was given back");
  }
  command->callback([&commandLine, options, kind, name] {
    commandLine.choose([options, kind, name](const AppContext& context) {
      OrderDocumentOptions chosen = *options;
      chosen.appFolder = context.folder;
      chosen.now = utcTimeNow();
      for (const TaxRules::Rate& rate : TaxRules::read(context.settings).rates) {
        chosen.taxRates.push_back(rate.rate);
      }
      const MerchantSettings merchant = MerchantSettings::read(context.settings);
      const Outcome<std::filesystem::path> program = ProgramDocumentPrinter::besideThisProgram();
      if (!program) {
        return failOrderCommand(std::cerr, std::string("vendaro ") + name + ": ", program.error());
      }
      ProgramDocumentPrinter printer(*program);
      return runOrderDocumentCommand(kind, chosen, merchant, printer, std::cout, std::cerr);
    });
  });
}

void addInvoiceList(CommandLine& commandLine) {
  auto options = std::make_shared<InvoiceListOptions>();
  CLI::App* command =
      commandLine.add("invoices", "List the invoices and credit notes issued in a period");
  command->add_option("--from", options->from, "The first day (YYYY-MM-DD)");
  command->add_option("--to", options->to, "The last day (YYYY-MM-DD)");
  command->add_flag("--csv", options->csv,
                    "CSV with a header row: Number, Date, Customer, Net, Tax, Gross, Kind, "
                    "Order, Invoice");
  command->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      InvoiceListOptions chosen = *options;
      chosen.appFolder = context.folder;
      return runInvoicesCommand(chosen, std::cout, std::cerr);
    });
  });
}

void addSales(CommandLine& commandLine) {
  auto options = std::make_shared<SalesCommandOptions>();
  CLI::App* command = commandLine.add(
      "sales", "Revenue by period, orders by status, the best items and the average order");
  command->add_option("--from", options->from, "The first order day (YYYY-MM-DD)");
  command->add_option("--to", options->to, "The last order day (YYYY-MM-DD)");
  command->add_option("--by", options->by, "day, week or month (default month)");
  command->add_flag("--csv", options->csv, "CSV rows of Figure, Key, Count, Amount");
  command->callback([&commandLine, options] {
    commandLine.choose([options](const AppContext& context) {
      SalesCommandOptions chosen = *options;
      chosen.appFolder = context.folder;
      return runSalesCommand(chosen, std::cout, std::cerr);
    });
  });
}

}  // namespace

// `invoice`, `packing-slip`, `credit-note`, `invoices` and `sales`.
void addInvoiceCommandLine(CommandLine& commandLine) {
  addDocumentCommand(commandLine, OrderDocumentKind::Invoice, "invoice",
                     "Write the order's invoice as PDF (numbered on first request)");
  addDocumentCommand(commandLine, OrderDocumentKind::PackingSlip, "packing-slip",
                     "Write the order's packing slip as PDF (addresses and items, no prices)");
  addDocumentCommand(commandLine, OrderDocumentKind::CreditNote, "credit-note",
                     "Write the credit note of a cancelled or refunded invoiced order as PDF");
  addInvoiceList(commandLine);
  addSales(commandLine);
}

}  // namespace vendaro
