#pragma once

#include <string>
#include <string_view>

namespace vendaro {

// Texts taken from pages nobody here wrote, made safe for the report and
// live-result pages. The research tools fetch and load only addresses that
// text::isWebAddress accepts.

// A page's text (title, visible text, link text, address) as HTML text.
std::string pageText(std::string_view text);

// An address as the value of an href or src attribute: escaped, and "#" for
// a scheme that could run script on a click (javascript:, data:, ...); only
// http, https, ftp and mailto addresses are linked.
std::string pageAddress(std::string_view address);

// The flags the link collection, the keyword search and the page reader share.
struct ResearchFlags {
  bool liveResults = false;    // fetchers 2 to 4 show each found page at once
  bool collectImages = false;  // the report gets a picture row per page
};

}  // namespace vendaro
