#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "common/Workbench.h"
#include "images/ImageFeatures.h"
#include "images/ImagesSubsystem.h"
#include "tests/app/Form1Fixture.h"

namespace vendaro::testing {

// A main window over fakes with the image features plugged in through the
// workbench, as the program plugs them in.
class ImagesFixture : public Form1Fixture {
 protected:
  ImagesFixture() { settings.outputFolder = "out"; }
  ~ImagesFixture() override { workbench.reset(); }

  // Plugs the features into a new main window (after the settings are set).
  void plugIn() {
    workbench.reset();
    loadForm();
    workbench = std::make_unique<Workbench>(
        loop, dialogs, launcher, settings, folder.path(), *form, form->commands, form->toolWindows,
        []() -> Database& { throw std::logic_error("no database here"); });
    registerImageCommands(*workbench);
    features = dynamic_cast<ImageFeatures*>(form->pictureCollector);
    ASSERT_NE(features, nullptr);
  }

  // Shows `page` in the main pane as a completed navigation.
  void browse(const std::string& address, PageDocument page, FakeBrowser* pane = nullptr) {
    FakeBrowser& browser = pane ? *pane : *browser1;
    page.url = address;
    if (page.bodyTagName.empty()) page.bodyTagName = "BODY";
    browser.pages[address] = std::make_shared<PageDocument>(std::move(page));
    browser.Navigate(address);
    browser.completeNavigation();
  }

  static PageDocument pageWith(std::vector<std::string> links, std::vector<std::string> images) {
    PageDocument page;
    for (auto& link : links) page.links.push_back({link, link});
    for (auto& image : images) page.images.push_back({image, ""});
    return page;
  }

  std::filesystem::path output(const std::string& name) const {
    return folder.path() / "out" / name;
  }

  std::unique_ptr<Workbench> workbench;
  ImageFeatures* features = nullptr;
};

}  // namespace vendaro::testing
