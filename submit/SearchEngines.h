#pragma once

#include <string>
#include <vector>

#include "submit/SearchEngineSettings.h"

namespace vendaro {

// One search engine of the sweep.
struct SearchEngine {
  std::string name;     // settings name, lower case ("webcrawler")
  std::string caption;  // as status texts show it ("WebCrawler")
  std::string base;     // scheme and host
  std::string query;    // path and query with "{keyword}"
};

// The engine table of the keyword research: the engines in sweep order, each
// giving the address of its result page for a keyword.
class SearchEngines {
 public:
  // All eight engines of the settings, in sweep order.
  explicit SearchEngines(const SearchEngineSettings& settings);
  // Only the engines named in `chosen` (letter case ignored), still in sweep
  // order; an unknown name throws std::invalid_argument naming it.
  SearchEngines(const SearchEngineSettings& settings, const std::vector<std::string>& chosen);

  int count() const { return static_cast<int>(engines_.size()); }
  const SearchEngine& engine(int index) const { return engines_.at(index); }
  // The result page of engine `index` for `keyword`, the keyword
  // percent-encoded so that spaces, "&" and "#" cannot change the query.
  std::string address(int index, const std::string& keyword) const;

 private:
  std::vector<SearchEngine> engines_;
};

}  // namespace vendaro
