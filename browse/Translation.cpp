#include "browse/Translation.h"

#include "platform/Text.h"

namespace vendaro {
namespace {

void replaceAll(std::string& text, const std::string& key, const std::string& value) {
  for (std::size_t at = text.find(key); at != std::string::npos;
       at = text.find(key, at + value.size())) {
    text.replace(at, key.size(), value);
  }
}

}  // namespace

std::string translationRequest(const TranslationSettings& settings, const std::string& code,
                               const std::string& pageAddress) {
  const std::string url = text::percentEncoded(pageAddress);
  if (settings.requestTemplate.empty()) {
    return settings.baseUrl + "/cgi-bin/translate?urltext=" + url + "&lp=" + code + "&doit=done";
  }
  const std::size_t split = code.find('_');
  std::string request = settings.requestTemplate;
  replaceAll(request, "{from}", code.substr(0, split));
  replaceAll(request, "{to}", split == std::string::npos ? "" : code.substr(split + 1));
  replaceAll(request, "{pair}", code);
  replaceAll(request, "{url}", url);
  return request;
}

void translateAddressBar(const ListControl& addressBar, PaneNavigator& panes,
                         const TranslationSettings& settings, const std::string& code) {
  const std::string request = translationRequest(settings, code, addressBar.Text());
  if (panes.WebBrowser1.Visible()) {
    panes.navigate(panes.WebBrowser5, request);
  } else if (panes.WebBrowser5.Visible()) {
    panes.navigate(panes.WebBrowser1, request);
  }
}

}  // namespace vendaro
