#pragma once

#include <string>
#include <vector>

namespace vendaro {

// The page texts of the image buffer and the catalogs, for the image buffer
// and the main window alike. A picture address cannot end its single-quoted
// attribute or start a tag; the browser reads the same address back.

// How a picture address is kept inside its attribute.
enum class AddressQuoting {
  Html,          // escaped for HTML
  QuotePercent,  // only ' written, as %27: the main window's buffer pages
};

// "<img src='address'>": one picture of a page or a catalog.
std::string pictureTag(const std::string& address, AddressQuoting quoting = AddressQuoting::Html);

// The buffer page shown in a pane, under the heading "Report".
std::string bufferPage(const std::vector<std::string>& addresses);
// "<html><body>", the picture tags, "</body></html>": the numbered file a
// full buffer is written to, and the main window's "\error.htm" and
// "\error1.htm" (with AddressQuoting::QuotePercent).
std::string plainBufferPage(const std::vector<std::string>& addresses,
                            AddressQuoting quoting = AddressQuoting::Html);
// The page "Save image buf" writes.
std::string savedBufferPage(const std::vector<std::string>& addresses);

// A catalog (its picture tags) as shown in a pane, and as "Save catalog" writes it.
std::string catalogPage(const std::string& catalog);
std::string savedCatalogPage(const std::string& catalog);

}  // namespace vendaro
