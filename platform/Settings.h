#pragma once

#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace vendaro {

class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Addresses of outside services and other choices a merchant may change,
// read from "vendaro.toml" in the application folder. Every key is optional.
struct Settings {
  static constexpr const char* kFileName = "vendaro.toml";

  std::string vendorBaseUrl = "http://www.vendaro.example";
  std::string translationBaseUrl = "http://babelfish.example";
  // The whole translation request with {url}, {from}, {to} or {pair}; empty
  // means the base address with the original path and keys.
  std::string translationRequestTemplate;
  // One base address (scheme and host) per search engine, by lower-case name.
  std::map<std::string, std::string> searchEngines = {
      {"webcrawler", "http://www.webcrawler.example"},
      {"altavista", "http://www.altavista.example"},
      {"hotbot", "http://www.hotbot.example"},
      {"infoseek", "http://www.infoseek.example"},
      {"magellan", "http://www.magellan.example"},
      {"yahoo", "http://search.yahoo.example"},
      {"lycos", "http://www.lycos.example"},
      {"excite", "http://search.excite.example"}};
  std::string orderEmail = "orders@shop.example";
  std::string paymentGatewayHost = "secure.gateway.example";
  std::string popHost = "mail.shop.example";
  std::string mailboxAddress = "orders@shop.example";
  // Private-zone addresses: a path on the vendor site, or a full address.
  std::string privateZoneStartPage = "/private/start.htm";
  std::string privateZoneSearchList = "/private/search.txt";
  std::string privateZoneChannelList = "/private/channels.txt";
  std::string parentalPassword = "red fox den";
  std::string mailClientCommand = "xdg-email";
  std::string calculatorCommand = "gnome-calculator";
  std::string publisherCommand = "filezilla";
  // Where files go that the original design put at the root of a drive;
  // empty means the application folder.
  std::filesystem::path outputFolder;

  // The host part of the vendor site's address ("www.vendaro.example").
  std::string vendorHost() const;
  // The vendor base address followed by `path`; a full address stays as it is.
  std::string vendorAddress(const std::string& path) const;

  // Reads `folder`/vendaro.toml; a missing file gives the defaults. A file
  // that cannot be parsed, or a key of the wrong type, throws SettingsError
  // naming the file, line and key.
  static Settings load(const std::filesystem::path& folder);
};

}  // namespace vendaro
