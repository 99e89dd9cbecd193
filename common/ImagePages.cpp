#include "common/ImagePages.h"

#include "platform/Text.h"

namespace vendaro {
namespace {

std::string pictureTags(const std::vector<std::string>& addresses,
                        AddressQuoting quoting = AddressQuoting::Html) {
  std::string tags;
  for (const auto& address : addresses) tags += pictureTag(address, quoting);
  return tags;
}

const std::string kLineEnd(text::kCrLf);

}  // namespace

std::string pictureTag(const std::string& address, AddressQuoting quoting) {
  const std::string quoted = quoting == AddressQuoting::Html
                                 ? text::htmlEscaped(address)
                                 : text::percentEncodedOnly(address, "'");
  return "<img src='" + quoted + "'>";
}

std::string bufferPage(const std::vector<std::string>& addresses) {
  return "<html><body><font face='Verdana'><big><strong><big>Report</big></strong></big></font> "
         "<ul><p>" +
         pictureTags(addresses) + "</p></ul> </body> </html>";
}

std::string plainBufferPage(const std::vector<std::string>& addresses, AddressQuoting quoting) {
  return "<html><body>" + pictureTags(addresses, quoting) + "</body></html>";
}

std::string savedBufferPage(const std::vector<std::string>& addresses) {
  return "<html>" + kLineEnd + kLineEnd +
         "<head><title>Image Buffer's contents</title></head><body>" + pictureTags(addresses) +
         "</body>" + kLineEnd + "</html>";
}

std::string catalogPage(const std::string& catalog) {
  return "<html><body>" + catalog + "</body></html>";
}

std::string savedCatalogPage(const std::string& catalog) {
  return "<html>" + kLineEnd + kLineEnd + "<title>Catalog</title><body>" + catalog + "</body>" +
         kLineEnd + "</html>";
}

}  // namespace vendaro
