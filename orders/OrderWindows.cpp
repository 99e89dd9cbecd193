#include <memory>

#include "common/Dates.h"
#include "common/ShopRules.h"
#include "orders/OrderSubsystem.h"
#include "orders/OrderViewer.h"
#include "orders/OrderViewerView.h"
#include "orders/SalesOverview.h"
#include "orders/SalesOverviewView.h"
#include "orders/ViewerDocuments.h"
#include "platform/ProgramDocumentPrinter.h"
#include "platform/qt/QtToolWindowSlots.h"
#include "platform/settings/SmtpSettings.h"

namespace vendaro {
namespace {

// What the viewer's actions need from the settings: the sender of mails to
// customers, the merchant's details and tax rates for the documents, and
// the PDF printing program (the one the commands use, so a document
// printed here is the same file byte for byte).
OrderViewerServices viewerServices(Workbench& workbench) {
  OrderViewerServices services;
  services.appFolder = workbench.appFolder;
  services.launcher = &workbench.launcher;
  const SettingsFile& settings = workbench.context.settings;
  services.mailFrom = SmtpSettings::read(settings).from;
  std::vector<double> taxRates;
  MerchantSettings merchant;
  try {
    for (const TaxRules::Rate& rate : TaxRules::read(settings).rates) {
      taxRates.push_back(rate.rate);
    }
    merchant = MerchantSettings::read(settings);
  } catch (const SettingsError& error) {
    services.writeDocument = [problem = std::string(error.what())](
                                 OrderDocumentKind, std::int64_t,
                                 std::string& message) -> std::optional<std::filesystem::path> {
      message = problem;
      return std::nullopt;
    };
    return services;
  }
  // Without one the actions say there is no printing program when used.
  std::shared_ptr<DocumentPrinter> printer;
  if (const Outcome<std::filesystem::path> program = ProgramDocumentPrinter::besideThisProgram()) {
    printer = std::make_shared<ProgramDocumentPrinter>(*program);
  }
  services.writeDocument = viewerDocumentWriter(
      workbench.appFolder, workbench.appFolder / kViewerDocumentFolder, std::move(merchant),
      std::move(taxRates), std::move(printer), utcTimeNow);
  return services;
}

}  // namespace

void registerOrderWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  windows.add(kOrderViewerForm, [&workbench] {
    auto viewer = std::make_shared<frmOrders>(workbench.database(), workbench.dialogs,
                                              viewerServices(workbench));
    auto view = std::make_unique<OrderViewerView>(*viewer);
    return ToolWindowParts{std::move(viewer), std::move(view)};
  });
  windows.add(kSalesOverviewForm, [&workbench] {
    auto overview =
        std::make_shared<SalesOverview>(workbench.database(), workbench.dialogs, localDateNow);
    auto view = std::make_unique<SalesOverviewView>(*overview);
    return ToolWindowParts{std::move(overview), std::move(view)};
  });
}

}  // namespace vendaro
