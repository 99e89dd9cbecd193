#include "platform/Settings.h"

#include <toml++/toml.h>

#include <sstream>

namespace vendaro {
namespace {

void readText(const toml::table& root, const char* section, const char* key, std::string& out,
              const std::filesystem::path& file) {
  const toml::node* node = root.at_path(std::string(section) + "." + key).node();
  if (node == nullptr) return;
  auto value = node->value<std::string>();
  if (!value) {
    std::ostringstream message;
    message << file.string() << ":" << node->source().begin.line << ": [" << section << "] " << key
            << " must be a text in double quotes";
    throw SettingsError(message.str());
  }
  out = *value;
}

std::string stripTrailingSlash(std::string address) {
  while (!address.empty() && address.back() == '/') address.pop_back();
  return address;
}

}  // namespace

std::string Settings::vendorHost() const {
  std::string rest = vendorBaseUrl;
  auto scheme = rest.find("://");
  if (scheme != std::string::npos) rest = rest.substr(scheme + 3);
  auto end = rest.find_first_of("/:?#");
  return end == std::string::npos ? rest : rest.substr(0, end);
}

std::string Settings::vendorAddress(const std::string& path) const {
  if (path.find("://") != std::string::npos) return path;
  return stripTrailingSlash(vendorBaseUrl) + path;
}

Settings Settings::load(const std::filesystem::path& folder) {
  Settings settings;
  const std::filesystem::path file = folder / kFileName;
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return settings;

  toml::table root;
  try {
    root = toml::parse_file(file.string());
  } catch (const toml::parse_error& error) {
    std::ostringstream message;
    message << file.string() << ":" << error.source().begin.line << ": " << error.description();
    throw SettingsError(message.str());
  }

  readText(root, "vendor", "base_url", settings.vendorBaseUrl, file);
  settings.vendorBaseUrl = stripTrailingSlash(settings.vendorBaseUrl);
  readText(root, "translation", "base_url", settings.translationBaseUrl, file);
  readText(root, "translation", "request_template", settings.translationRequestTemplate, file);
  for (auto& [engine, address] : settings.searchEngines) {
    readText(root, "search_engines", engine.c_str(), address, file);
  }
  readText(root, "store", "order_email", settings.orderEmail, file);
  readText(root, "store", "payment_gateway_host", settings.paymentGatewayHost, file);
  readText(root, "mail", "pop_host", settings.popHost, file);
  readText(root, "mail", "mailbox_address", settings.mailboxAddress, file);
  readText(root, "private_zone", "start_page", settings.privateZoneStartPage, file);
  readText(root, "private_zone", "search_list", settings.privateZoneSearchList, file);
  readText(root, "private_zone", "channel_list", settings.privateZoneChannelList, file);
  readText(root, "private_zone", "parental_password", settings.parentalPassword, file);
  readText(root, "programs", "mail_client", settings.mailClientCommand, file);
  readText(root, "programs", "calculator", settings.calculatorCommand, file);
  readText(root, "programs", "publisher", settings.publisherCommand, file);
  std::string output;
  readText(root, "folders", "output", output, file);
  if (!output.empty()) settings.outputFolder = output;
  return settings;
}

}  // namespace vendaro
