#include "store/Sitemap.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "platform/Text.h"

namespace vendaro {
namespace {

// Percent-encodes every byte that may not stand in a URL path as it is.
std::string pathEscaped(const std::string& name) {
  return text::percentEncoded(name, "-._~/!$&'()*+,;=:@");
}

bool writeFile(const std::filesystem::path& file, const std::string& text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << text;
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace

bool Sitemap::acceptsBase(const std::string& baseUrl) {
  for (std::string_view scheme : {"http://", "https://"}) {
    if (baseUrl.size() > scheme.size() && baseUrl.starts_with(scheme) &&
        std::none_of(baseUrl.begin(), baseUrl.end(),
                     [](unsigned char c) { return c <= ' ' || c == 0x7f; })) {
      return true;
    }
  }
  return false;
}

Sitemap::Sitemap(std::string baseUrl, std::vector<std::string> pageNames)
    : base_(std::move(baseUrl)), pages_(std::move(pageNames)) {
  if (base_.empty() || base_.back() != '/') base_ += '/';
  std::sort(pages_.begin(), pages_.end());
}

std::string Sitemap::address(const std::string& name) const {
  return base_ + pathEscaped(name);
}

std::string Sitemap::xml() const {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">\n";
  for (const std::string& page : pages_) {
    text += "  <url><loc>" + text::xmlEscaped(address(page)) + "</loc></url>\n";
  }
  return text + "</urlset>\n";
}

std::string Sitemap::robots() const {
  return "User-agent: *\nAllow: /\nSitemap: " + address("sitemap.xml") + "\n";
}

std::vector<std::filesystem::path> Sitemap::write(const std::filesystem::path& folder) const {
  const std::filesystem::path map = folder / "sitemap.xml";
  const std::filesystem::path robots = folder / "robots.txt";
  if (!writeFile(map, xml()) || !writeFile(robots, this->robots())) return {};
  return {map, robots};
}

}  // namespace vendaro
