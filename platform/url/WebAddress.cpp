#include "platform/url/WebAddress.h"

#include <curl/curl.h>

#include <memory>

#include "platform/Text.h"

namespace vendaro {
namespace {

struct UrlHandleFree {
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlHandleFree>;

// One part of a parsed address; empty when absent.
std::string part(CURLU* url, CURLUPart which, unsigned flags = 0) {
  char* value = nullptr;
  std::string text;
  if (curl_url_get(url, which, &value, flags) == CURLUE_OK && value != nullptr) text = value;
  curl_free(value);
  return text;
}

// The parsed address, with "//" after the scheme; null when the parser refuses it.
UrlHandle parsed(std::string_view address) {
  const std::string clean(text::trimmed(address));
  if (clean.find("://") == std::string::npos) return nullptr;
  UrlHandle url(curl_url());
  if (!url || curl_url_set(url.get(), CURLUPART_URL, clean.c_str(), CURLU_NON_SUPPORT_SCHEME) !=
                  CURLUE_OK) {
    return nullptr;
  }
  return url;
}

}  // namespace

std::optional<AddressParts> addressParts(std::string_view address) {
  const UrlHandle url = parsed(address);
  if (!url) return std::nullopt;
  AddressParts parts;
  parts.scheme = part(url.get(), CURLUPART_SCHEME);
  parts.user = part(url.get(), CURLUPART_USER, CURLU_URLDECODE);
  parts.host = part(url.get(), CURLUPART_HOST);
  parts.port = part(url.get(), CURLUPART_PORT);
  parts.path = part(url.get(), CURLUPART_PATH);
  return parts;
}

std::string hostOf(std::string_view address) {
  const UrlHandle url = parsed(address);
  return url ? text::lowerAscii(part(url.get(), CURLUPART_HOST)) : std::string();
}

std::string siteOf(std::string_view address) {
  const UrlHandle url = parsed(address);
  if (!url || part(url.get(), CURLUPART_HOST).empty()) return {};
  const std::string port = part(url.get(), CURLUPART_PORT);
  return part(url.get(), CURLUPART_HOST) + (port.empty() ? "" : ":" + port);
}

std::string originOf(std::string_view address) {
  const UrlHandle url = parsed(address);
  if (!url || part(url.get(), CURLUPART_HOST).empty()) return {};
  const std::string port = part(url.get(), CURLUPART_PORT, CURLU_NO_DEFAULT_PORT);
  return text::lowerAscii(part(url.get(), CURLUPART_SCHEME) + "://" +
                          part(url.get(), CURLUPART_HOST) + (port.empty() ? "" : ":" + port));
}

}  // namespace vendaro
