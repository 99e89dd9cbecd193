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

void translateAddressBar(MainWindowControls& main, const TranslationSettings& settings,
                         const std::string& code) {
  const std::string request = translationRequest(settings, code, main.Combo2.Text());
  if (main.WebBrowser1.Visible()) {
    main.navigatePane(main.WebBrowser5, request);
  } else if (main.WebBrowser5.Visible()) {
    main.navigatePane(main.WebBrowser1, request);
  }
}

}  // namespace vendaro
