#include "store/StoreService.h"

#include <gtest/gtest.h>

#include <map>

#include "common/PublishedCatalogue.h"
#include "store/DiskSiteFiles.h"
#include "store/StoreChecks.h"
#include "store/Wizard1.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

namespace fs = std::filesystem;

// The store service without a window: a hand-made project read, generated
// and written, and the errors by kind.
class StoreServiceTest : public ::testing::Test {
 protected:
  StoreServiceTest() {
    fs::create_directory(app.path() / "Shop");
    app.write("Shop/Shop.caa", "Cups\r\nPlates\r\nCups\r\n");
    app.write("Shop/Cups.pro", "A1^Blue cup^1,50^^^Acme^0.5^\r\nA2^Mug^\r\nA3^Red cup^2^^^^1^\r\n");
    app.write("Shop/Shop.sit",
              "mailto:me@shop.example\r\n[GoBack]\r\nhttp://back.example\r\n[Font]\r\n<font>\r\n"
              "[Table]\r\n<table>\r\n[Start]\r\nhome\r\n[Tax]\r\n0.05\r\n[Action]\r\n<form>\r\n");
    app.write("Shop/Shop.stk", "A1^0^\r\n");
    options.appFolder = app.path();
    options.project = "Shop";
    options.manufacturer = options.weight = true;
    settings.orderScript = true;
  }

  Outcome<ProjectInput> read() { return readStoreProject(options, settings, vendor); }

  // The generated files of the project folder, by name; with `remove` they go.
  std::map<std::string, std::string> siteFiles(bool remove) {
    std::map<std::string, std::string> site;
    for (const auto& entry : fs::directory_iterator(app.path() / "Shop")) {
      const std::string name = entry.path().filename().string();
      const std::string extension = entry.path().extension().string();
      if (name.front() == '.' || extension == ".caa" || extension == ".pro" ||
          extension == ".sit" || extension == ".stk") {
        continue;
      }
      site[name] = app.read("Shop/" + name);
      if (remove) fs::remove(entry.path());
    }
    return site;
  }

  testing::TempFolder app;
  GenerateOptions options;
  StoreSettings settings;
  VendorSettings vendor;
  DiskSiteFiles files;
};

TEST_F(StoreServiceTest, ReadsAProjectAsTheWizardOpensItAndWritesTheSameSite) {
  Outcome<ProjectInput> project = read();
  ASSERT_TRUE(project.ok()) << project.error().message;
  EXPECT_EQ(project->withoutItemFile, std::vector<std::string>{"Plates"});
  EXPECT_EQ(project->notes, std::vector<std::string>{repeatedCategoryNote("Cups")});
  ASSERT_EQ(project->reports.size(), 1u);
  EXPECT_EQ(reportLine(project->reports[0]),
            "Category \"Cups\", item \"A2\": line 2 has 2 fields instead of seven; left out");
  const StoreInput& input = project->input;
  ASSERT_EQ(input.categories.size(), 2u);
  EXPECT_EQ(input.categories[0].items.size(), 2u);
  EXPECT_EQ(input.startFile, "home");
  EXPECT_EQ(input.salesTax, "0.05");
  EXPECT_EQ(input.goBackUrl, "http://back.example");
  EXPECT_EQ(input.orderScriptAddress, "me@shop.example");
  EXPECT_EQ(input.stock.at("A1"), 0);

  const SiteRun run = publishSite(input, StoreProject(app.path(), "Shop"), SiteScope::WholeSite,
                                  files, project->reports);
  ASSERT_TRUE(run.written.ok()) << run.written.error().message;
  EXPECT_EQ(run.written->size(), run.pages);
  EXPECT_EQ(run.written->front(), app.path() / "Shop" / "home.htm");
  // The reading's report first, then the generator's: the decimal comma.
  ASSERT_EQ(run.reports.size(), 2u);
  EXPECT_EQ(run.reports[0].itemId, "A2");
  EXPECT_EQ(run.reports[1].itemId, "A1");
  EXPECT_EQ(run.recordFailure, "");
  ASSERT_TRUE(newestPublishedCatalogue(app.path(), "Shop").has_value());

  // The wizard with the same choices writes the same bytes.
  const std::map<std::string, std::string> byService = siteFiles(true);
  testing::ScriptedDialogs dialogs;
  Wizard1 wizard(Wizard1Platform{dialogs, settings, vendor, app.path(), nullptr, nullptr, {}});
  wizard.Check1.setValue(1);
  wizard.Check4.setValue(1);
  ASSERT_TRUE(wizard.openProjectFile((app.path() / "Shop" / "Shop.caa").string()));
  wizard.fillCategoryChoice();
  wizard.Command14_Click();
  EXPECT_EQ(siteFiles(false), byService);
}

TEST_F(StoreServiceTest, SaysByKindWhyAProjectCannotBeReadOrItsSiteWritten) {
  const auto refused = [&](ErrorKind kind, const std::string& reason) {
    Outcome<ProjectInput> project = read();
    ASSERT_FALSE(project.ok()) << reason;
    EXPECT_EQ(project.error().kind, kind) << project.error().message;
    EXPECT_NE(project.error().message.find(reason), std::string::npos) << project.error().message;
  };
  options.project = "../Shop";
  refused(ErrorKind::BadInput, "must not be empty");
  options.project = "Gone";
  refused(ErrorKind::NotFound, "no project \"Gone\"");
  options.project = "Shop";
  fs::create_directory(app.path() / "Shop" / "Plates.pro");
  refused(ErrorKind::Io, "cannot read " + (app.path() / "Shop" / "Plates.pro").string());
  fs::remove(app.path() / "Shop" / "Plates.pro");

  // A folder that cannot be written: no page, no record, the reports kept.
  Outcome<ProjectInput> project = read();
  ASSERT_TRUE(project.ok()) << project.error().message;
  app.write("File", "not a folder");
  SiteRun run = publishSite(project->input, StoreProject(app.path(), "File"),
                            SiteScope::WholeSite, files, project->reports);
  ASSERT_FALSE(run.written.ok());
  EXPECT_EQ(run.written.error().kind, ErrorKind::Io);
  EXPECT_NE(run.written.error().message.find("could not be written in"), std::string::npos)
      << run.written.error().message;
  EXPECT_GT(run.pages, 10u);
  EXPECT_EQ(run.reports.size(), 2u);
  EXPECT_FALSE(fs::exists(app.path() / kPublishedFolder));

  run = publishSite(project->input, StoreProject(app.path(), ".."), SiteScope::StartPageOnly,
                    files);
  ASSERT_FALSE(run.written.ok());
  EXPECT_EQ(run.written.error().kind, ErrorKind::BadInput);
}

}  // namespace
}  // namespace vendaro
