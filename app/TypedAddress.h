#pragma once

#include <string>

namespace vendaro {

// Whether a text typed into the address bar can be opened as an address: it
// has no blank inside, and either names a scheme ("http:", "file:",
// "about:", ...), is a path, or has a host part with a dot or "localhost".
bool isOpenableAddress(const std::string& typed);

// The page shown instead of a silent blank when a typed text is not an address.
std::string addressErrorPage(const std::string& typed);

}  // namespace vendaro
