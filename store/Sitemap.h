#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vendaro {

// The sitemap of a generated shop for search engines: sitemap.xml (the
// sitemaps.org 0.9 format) with one <url> per page, and robots.txt that
// allows everything and names the sitemap. Pages are given by their names
// in the site folder; the base is the address the site is published at.
class Sitemap {
 public:
  // False when `baseUrl` is not an http:// or https:// address.
  static bool acceptsBase(const std::string& baseUrl);

  Sitemap(std::string baseUrl, std::vector<std::string> pageNames);

  std::string xml() const;
  std::string robots() const;
  // Writes both into `folder`; the files written, or empty on failure.
  std::vector<std::filesystem::path> write(const std::filesystem::path& folder) const;

 private:
  std::string address(const std::string& name) const;
  std::string base_;  // ends in "/"
  std::vector<std::string> pages_;
};

}  // namespace vendaro
