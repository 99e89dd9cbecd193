#pragma once

#include <string>
#include <vector>

namespace vendaro {

// The page that shows the image buffer: "<html><body>", one
// "<img src='address'>" per entry, "</body></html>". A quote in an address is
// written as %27 (the same address) so it cannot end the attribute early.
std::string imageBufferPage(const std::vector<std::string>& addresses);

}  // namespace vendaro
