#include <memory>

#include "images/DomainListView.h"
#include "images/ImageFeatures.h"
#include "images/ImagesSubsystem.h"
#include "platform/qt/QtToolWindowSlots.h"
#include "store/StoreSubsystem.h"
#include "store/Wizard1.h"

namespace vendaro {
namespace {

// Opens the window of the list `domain` when the list is shown and closes it
// when the list is hidden, as long as it lives.
class DomainListWindow {
 public:
  DomainListWindow(ListControl& domain, ToolWindows& windows)
      : domain_(domain), listener_(domain.addListener([this, &windows] {
          const bool open = windows.isOpen(kDomainListForm);
          if (domain_.Visible() && !open) windows.show(kDomainListForm);
          if (!domain_.Visible() && open) windows.close(kDomainListForm);
        })) {}
  DomainListWindow(const DomainListWindow&) = delete;
  DomainListWindow& operator=(const DomainListWindow&) = delete;
  ~DomainListWindow() { domain_.removeListener(listener_); }

 private:
  ListControl& domain_;
  Control::ListenerId listener_;
};

}  // namespace

void registerImageWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  auto* features = dynamic_cast<ImageFeatures*>(workbench.mainWindow.pictureCollector);
  if (features == nullptr) return;
  // A picture clicked in the main pane goes into the open store wizard's
  // picture box, and the wizard comes forward.
  features->offerToStoreWizard = [&workbench, &windows](const std::string& address) {
    auto* wizard = windows.model<Wizard1>(kWizardForm);
    if (wizard == nullptr || !workbench.windows.isOpen(kWizardForm)) return;
    wizard->Text1[6].setText(address);
    workbench.windows.show(kWizardForm);
  };
  windows.add(kDomainListForm, [&workbench, features] {
    auto view =
        std::make_unique<DomainListView>(workbench.mainWindow.domain, features->adultListing);
    return ToolWindowParts{nullptr, std::move(view)};
  });
  workbench.keep(
      std::make_unique<DomainListWindow>(workbench.mainWindow.domain, workbench.windows));
}

}  // namespace vendaro
