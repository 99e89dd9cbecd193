#include <memory>

#include "images/DomainListView.h"
#include "images/ImageFeatures.h"
#include "images/ImagesSubsystem.h"
#include "platform/qt/QtToolWindowSlots.h"

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
  // A picture clicked in the main pane goes to the store wizard, when the
  // store subsystem takes it.
  features->offerToStoreWizard = [&workbench](const std::string& address) {
    if (workbench.offerPictureToStore) workbench.offerPictureToStore(address);
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
