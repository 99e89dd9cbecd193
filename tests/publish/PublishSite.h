#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>

#include "common/TextFile.h"
#include "platform/curl/CurlFileUpload.h"
#include "publish/Publisher.h"
#include "tests/support/TempFolder.h"

namespace vendaro::testing {

// A small site folder, and a publishing run of it.
struct PublishSite {
  TempFolder site;
  PublishSite() {
    site.write("index.htm", "<html>start</html>");
    std::filesystem::create_directories(site.file("pages"));
    site.write("pages/one two.htm", "<html>one</html>");
    site.write("pages/three.htm", std::string(200000, 'x'));
    site.write("Shop.caa", "project data, never published");
  }
  static constexpr std::size_t kFiles = 3;

  PublishOutcome publish(const UploadDestination& destination,
                         const Publisher::Report& report = [](const PublishProgress&) {}) const {
    Publisher publisher(site.path(), destination.url);
    const PublishPlan plan = publisher.plan();
    CurlFileUpload upload(destination);
    const std::atomic<bool> stop = false;
    return publisher.run(plan, upload, report, [](const std::string&) {}, stop);
  }
  // The run's files are on the server, whole, with no partial upload left.
  void expectPublishedTo(const std::filesystem::path& remote) const {
    for (const char* name : {"index.htm", "pages/one two.htm", "pages/three.htm"}) {
      const std::string there = readWholeFile(remote / name).value_or("");
      EXPECT_TRUE(there == site.read(name)) << name << " has " << there.size() << " bytes";
    }
    EXPECT_FALSE(std::filesystem::exists(remote / "Shop.caa"));
    EXPECT_FALSE(std::filesystem::exists(remote / "pages/.three.htm.part"));
  }
};

}  // namespace vendaro::testing
