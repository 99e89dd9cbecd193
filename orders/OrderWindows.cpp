#include <memory>

#include "common/UtcTime.h"
#include "orders/OrderSubsystem.h"
#include "orders/OrderViewer.h"
#include "orders/OrderViewerView.h"
#include "orders/SalesOverview.h"
#include "orders/SalesOverviewView.h"
#include "platform/qt/QtToolWindowSlots.h"

namespace vendaro {

void registerOrderWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  windows.add(kOrderViewerForm, [&workbench] {
    auto viewer = std::make_shared<frmOrders>(workbench.database(), workbench.dialogs);
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
