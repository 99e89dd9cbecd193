#pragma once

#include <array>
#include <map>
#include <string>

#include "platform/settings/SettingsFile.h"

namespace vendaro {

// [search_engines]: per engine, by lower-case name, its base address (scheme
// and host) under the engine's name, and the path and query of its result page
// under NAME_query, where "{keyword}" stands for the percent-encoded keyword.
// The defaults keep the paths and queries of the engines of 1999 on reserved
// hosts; README shows how to point an entry at an engine of today.
struct SearchEngineSettings {
  // The sweep's order.
  static constexpr std::array<const char*, 8> kOrder = {
      "webcrawler", "altavista", "hotbot", "infoseek", "magellan", "yahoo", "lycos", "excite"};
  static constexpr const char* kKeywordMark = "{keyword}";

  std::map<std::string, std::string> engines = {{"webcrawler", "http://www.webcrawler.example"},
                                                {"altavista", "http://www.altavista.example"},
                                                {"hotbot", "http://www.hotbot.example"},
                                                {"infoseek", "http://www.infoseek.example"},
                                                {"magellan", "http://www.magellan.example"},
                                                {"yahoo", "http://search.yahoo.example"},
                                                {"lycos", "http://www.lycos.example"},
                                                {"excite", "http://search.excite.example"}};
  std::map<std::string, std::string> queries = {
      {"webcrawler", "/cgi-bin/WebQuery?searchText={keyword}"},
      {"altavista", "/cgi-bin/query?pg=q&q={keyword}&stq=10"},
      {"hotbot", "/?MT={keyword}&SM=MC&DV=0&LG=any&DC=25&DE=2&submit=SEARCH&_v=2&OPs=MDRTP"},
      {"infoseek", "/Titles?lk=noframes&qt={keyword}&col=WW&st=10"},
      {"magellan", "/search.gw?search={keyword}&c=web&look=magellan&x=28&y=11"},
      {"yahoo", "/bin/query?p={keyword}&hc=12&hs=369"},
      {"lycos", "/cgi-bin/pursuit?matchmode=and&cat=lycos&query={keyword}&x=15&y=7"},
      {"excite", "/search.gw?s={keyword}&c=web&start=0&showSummary=false"}};

  // Reads the section; a query that does not begin with "/" or lacks
  // "{keyword}" throws SettingsError.
  static SearchEngineSettings read(const SettingsFile& file) {
    SearchEngineSettings settings;
    for (auto& [engine, address] : settings.engines) {
      address = file.address("search_engines", engine, address);
    }
    for (auto& [engine, query] : settings.queries) {
      query = file.text("search_engines", engine + "_query", query);
      if (query.rfind('/', 0) != 0 || query.find(kKeywordMark) == std::string::npos) {
        throw SettingsError("[search_engines] " + engine +
                            "_query must begin with \"/\" and hold {keyword}: " + query);
      }
    }
    return settings;
  }
};

}  // namespace vendaro
