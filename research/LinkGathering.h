#pragma once

#include <string>
#include <vector>

#include "platform/PageDocument.h"

namespace vendaro {

// What "Get/Add all Links" gathers: a report row per link and its address.
struct GatheredLinks {
  std::vector<std::string> rows = {};
  std::vector<std::string> addresses = {};
};

// The links of `pages` (a null page is skipped, frames are included, the
// engine's own pages give nothing) whose row as the page gives it contains
// `filter` (letter case ignored; empty takes every link). A link is left
// out when a row of `reportRows` or one gathered before it contains its
// escaped address, so each link is gathered once.
GatheredLinks gatherLinks(const std::vector<const PageDocument*>& pages,
                          const std::vector<std::string>& reportRows, const std::string& filter);

}  // namespace vendaro
