#include "images/ImagesSubsystem.h"

#include <memory>

#include "common/PrivateZoneSettings.h"
#include "images/ImageFeatures.h"

namespace vendaro {
namespace {

// The features as a part of the workbench: plugged into the main window
// while they live, unplugged before it goes.
class PluggedImageFeatures : public ImageFeatures {
 public:
  explicit PluggedImageFeatures(Workbench& workbench)
      : ImageFeatures(Ports::of(workbench.mainWindow), workbench.dialogs,
                      workbench.context.folders.outputFolder(workbench.appFolder),
                      PrivateZoneSettings::read(workbench.context.settings).parentalPassword),
        hooks_(workbench.mainWindow.hooks),
        statusBar_(workbench.mainWindow.status) {
    hooks_.pictureCollector = this;
    statusBar_.onClick(4, [this] { buffer.StatusBar1_PanelClick4(); });
    statusBar_.onDoubleClick(5, [this] { buffer.cllearimagebuf_Click(); });
  }
  PluggedImageFeatures(const PluggedImageFeatures&) = delete;
  PluggedImageFeatures& operator=(const PluggedImageFeatures&) = delete;
  ~PluggedImageFeatures() override {
    hooks_.pictureCollector = nullptr;
    statusBar_.onClick(4, nullptr);
    statusBar_.onDoubleClick(5, nullptr);
  }

 private:
  MainWindowHooks& hooks_;
  StatusText& statusBar_;
};

}  // namespace

void registerImageCommands(Workbench& workbench) {
  auto& features = workbench.keep(std::make_unique<PluggedImageFeatures>(workbench));
  CommandRegistry& commands = workbench.commands;
  ImageBuffer& buffer = features.buffer;
  commands.add("imagebuf", [&buffer] { buffer.imagebuf_Click(); }, {"view", 50, "View image buf"});
  commands.add("cllearimagebuf", [&buffer] { buffer.cllearimagebuf_Click(); },
               {"view", 60, "Clear image buf"});
  commands.add("sreport", [&buffer] { buffer.sreport_Click(); }, {"view", 70, "Save image buf"});
  Catalogs& catalogs = features.catalogs;
  commands.add("viewcatalo", [&catalogs] { catalogs.viewcatalo_Click(); },
               {"view", 10, "View catalog"});
  commands.add("clearcatalog", [&catalogs] { catalogs.clearcatalog_Click(); },
               {"view", 20, "Clear catalog"});
  commands.add("savecatalog", [&catalogs] { catalogs.savecatalog_Click(); },
               {"view", 30, "Save catalog"});
  AdultListing& listing = features.adultListing;
  commands.add("createadultlisting", [&listing] { listing.createadultlisting_Click(); },
               {"finder", 100, "Create adult listing"});
  commands.add("editadultlisting", [&listing] { listing.editadultlisting_Click(); },
               {"finder", 110, "Edit adult listing"});
}

}  // namespace vendaro
