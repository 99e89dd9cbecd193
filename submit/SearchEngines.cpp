#include "submit/SearchEngines.h"

#include <algorithm>
#include <map>
#include <stdexcept>

#include "platform/Text.h"

namespace vendaro {
namespace {

const std::map<std::string, std::string>& captions() {
  static const std::map<std::string, std::string> kCaptions = {
      {"webcrawler", "WebCrawler"}, {"altavista", "AltaVista"}, {"hotbot", "HotBot"},
      {"infoseek", "Infoseek"},     {"magellan", "Magellan"},   {"yahoo", "Yahoo"},
      {"lycos", "Lycos"},           {"excite", "Excite"}};
  return kCaptions;
}

}  // namespace

SearchEngines::SearchEngines(const SearchEngineSettings& settings)
    : SearchEngines(settings,
                    {SearchEngineSettings::kOrder.begin(), SearchEngineSettings::kOrder.end()}) {}

SearchEngines::SearchEngines(const SearchEngineSettings& settings,
                             const std::vector<std::string>& chosen) {
  std::vector<std::string> names;
  for (const std::string& name : chosen) names.push_back(text::lowerAscii(name));
  for (const std::string& name : names) {
    if (captions().count(name) == 0) {
      throw std::invalid_argument("unknown search engine \"" + name +
                                  "\" (known: webcrawler, altavista, hotbot, infoseek, "
                                  "magellan, yahoo, lycos, excite)");
    }
  }
  for (const char* name : SearchEngineSettings::kOrder) {
    if (std::find(names.begin(), names.end(), name) == names.end()) continue;
    std::string base = settings.engines.at(name);
    while (!base.empty() && base.back() == '/') base.pop_back();
    engines_.push_back({name, captions().at(name), base, settings.queries.at(name)});
  }
}

std::string SearchEngines::address(int index, const std::string& keyword) const {
  const SearchEngine& chosen = engine(index);
  std::string query = chosen.query;
  const std::string mark = SearchEngineSettings::kKeywordMark;
  const std::string encoded = text::percentEncoded(keyword);
  for (std::size_t at = query.find(mark); at != std::string::npos;
       at = query.find(mark, at + encoded.size())) {
    query.replace(at, mark.size(), encoded);
  }
  return chosen.base + query;
}

}  // namespace vendaro
