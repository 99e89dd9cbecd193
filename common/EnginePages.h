#pragma once

#include <string_view>

#include "platform/PageDocument.h"

namespace vendaro {

// Pages and addresses of the browser engine itself, which are no part of the
// web the merchant browses: they are never recorded, collected or reported.

// True for an address the engine makes or serves itself ("about:",
// "chrome:", "chrome-error:", "data:", "blob:", ...).
bool isEngineAddress(std::string_view address);

// True for a page the engine shows in place of a site's page, such as the
// error page of a failed load ("chrome-error://chromewebdata/").
bool isEnginePage(const PageDocument& document);

}  // namespace vendaro
