#pragma once

#include <map>
#include <string>

#include "platform/SettingsFile.h"

namespace vendaro {

// [search_engines]: one base address (scheme and host) per search engine, by
// lower-case name.
struct SearchEngineSettings {
  std::map<std::string, std::string> engines = {{"webcrawler", "http://www.webcrawler.example"},
                                                {"altavista", "http://www.altavista.example"},
                                                {"hotbot", "http://www.hotbot.example"},
                                                {"infoseek", "http://www.infoseek.example"},
                                                {"magellan", "http://www.magellan.example"},
                                                {"yahoo", "http://search.yahoo.example"},
                                                {"lycos", "http://www.lycos.example"},
                                                {"excite", "http://search.excite.example"}};

  static SearchEngineSettings read(const SettingsFile& file) {
    SearchEngineSettings settings;
    for (auto& [engine, address] : settings.engines) {
      address = file.address("search_engines", engine, address);
    }
    return settings;
  }
};

}  // namespace vendaro
