#pragma once

#include <string>
#include <vector>

namespace vendaro {

// The page texts of the image buffer and the catalogs. A picture address is
// escaped for HTML, so it cannot end the attribute or start a tag; the
// browser reads the same address back.

// "<img src='address'>": one picture of a page or a catalog.
std::string pictureTag(const std::string& address);

// The buffer page shown in a pane, under the heading "Report".
std::string bufferPage(const std::vector<std::string>& addresses);
// The numbered file a full buffer is written to.
std::string spillPage(const std::vector<std::string>& addresses);
// The page "Save image buf" writes.
std::string savedBufferPage(const std::vector<std::string>& addresses);

// A catalog (its picture tags) as shown in a pane, and as "Save catalog" writes it.
std::string catalogPage(const std::string& catalog);
std::string savedCatalogPage(const std::string& catalog);

}  // namespace vendaro
