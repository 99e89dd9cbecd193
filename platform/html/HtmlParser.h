#pragma once

#include <string>
#include <string_view>

#include "platform/PageDocument.h"

namespace vendaro {

// Builds the snapshot a browser would give of the page `html` (UTF-8) loaded
// from `url`: every element in document order with its visible text, the links
// and images with absolute addresses (a <base href> is honoured), the frames
// (their documents left empty for the caller to load), the title and the tag
// of the body. Any input gives a document; text that is not HTML gives a page
// whose BODY holds that text. Elements nested deeper than kMaxNestingDepth
// are read as if one level up (see NestingLimit.h), so time stays linear.
PageDocument parseHtmlPage(std::string_view html, const std::string& url);

}  // namespace vendaro
