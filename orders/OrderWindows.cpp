#include <memory>

#include "orders/OrderSubsystem.h"
#include "orders/OrderViewer.h"
#include "orders/OrderViewerView.h"
#include "platform/qt/QtToolWindowSlots.h"

namespace vendaro {

void registerOrderWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  windows.add(kOrderViewerForm, [&workbench] {
    auto viewer = std::make_shared<frmOrders>(workbench.database(), workbench.dialogs);
    auto view = std::make_unique<OrderViewerView>(*viewer);
    return ToolWindowParts{std::move(viewer), std::move(view)};
  });
}

}  // namespace vendaro
