#include "platform/url/UrlResolver.h"
#include "platform/url/WebAddress.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace vendaro {
namespace {

struct Resolution {
  const char* base;
  const char* reference;
  const char* expected;
};

constexpr const char* kBase = "http://a/b/c/d;p?q";

// The telling examples of the URI standard, as browsers give them (a bare
// host gets the path "/"), then addresses as pages write them.
TEST(UrlResolverTest, ResolvesAddressesAsBrowsersDo) {
  const Resolution cases[] = {
      {kBase, "g:h", "g:h"},
      {kBase, "g", "http://a/b/c/g"},
      {kBase, "./g", "http://a/b/c/g"},
      {kBase, "g/", "http://a/b/c/g/"},
      {kBase, "/g", "http://a/g"},
      {kBase, "//g", "http://g/"},
      {kBase, "?y", "http://a/b/c/d;p?y"},
      {kBase, "g?y", "http://a/b/c/g?y"},
      {kBase, "#s", "http://a/b/c/d;p?q#s"},
      {kBase, "", "http://a/b/c/d;p?q"},
      {kBase, ".", "http://a/b/c/"},
      {kBase, "..", "http://a/b/"},
      {kBase, "../g", "http://a/b/g"},
      {kBase, "../..", "http://a/"},
      {kBase, "../../g", "http://a/g"},
      {kBase, "../../../g", "http://a/g"},
      {kBase, "/../g", "http://a/g"},
      {kBase, "..g", "http://a/b/c/..g"},
      {kBase, "g/./h", "http://a/b/c/g/h"},
      {kBase, "g/../h", "http://a/b/c/h"},
      {kBase, "g;x=1/../y", "http://a/b/c/y"},
      {kBase, "g#s/../x", "http://a/b/c/g#s/../x"},
      // A base without a path, and a base that ends in a folder.
      {"http://shop.example.com", "cart.html", "http://shop.example.com/cart.html"},
      {"http://shop.example.com", "?page=2", "http://shop.example.com/?page=2"},
      {"http://shop.example.com/catalog/", "item.html",
       "http://shop.example.com/catalog/item.html"},
      // Scheme-relative, absolute and other-site addresses.
      {"https://shop.example.com/a/b.html", "//cdn.example.net/x.gif",
       "https://cdn.example.net/x.gif"},
      {"https://shop.example.com/a/b.html", "http://other.example.org/",
       "http://other.example.org/"},
      // Scheme and host in lower case, default port dropped, path kept as written.
      {"http://x/", "HTTP://WWW.Example.COM:80/Index.HTM", "http://www.example.com/Index.HTM"},
      {"http://x/", "https://example.com:8443", "https://example.com:8443/"},
      // Blanks around the attribute and line breaks inside it are dropped; inner blanks escaped.
      {"http://x/dir/", "  new page.html\n", "http://x/dir/new%20page.html"},
      {"http://x/dir/", "a\r\nb.html", "http://x/dir/ab.html"},
      // Backslashes read as slashes in the path of web addresses.
      {"http://x/dir/", "..\\img\\a.gif", "http://x/img/a.gif"},
      // Letters outside ASCII are percent-encoded as UTF-8.
      {"http://x/", "caf\xC3\xA9.html", "http://x/caf%C3%A9.html"},
      // "http:page" on an http page is relative.
      {"http://x/a/b", "http:c", "http://x/a/c"},
      // Script and mail addresses, and references without a usable base, stay as written.
      {kBase, "javascript:void(0)", "javascript:void(0)"},
      {kBase, " mailto:sales@example.com ", "mailto:sales@example.com"},
      {kBase, "JavaScript:go('a b')", "JavaScript:go('a b')"},
      {"", "page.html", "page.html"},
      {"about:blank", "page.html", "page.html"},
      {"about:blank", "#top", "about:blank#top"},
  };
  for (const Resolution& c : cases) {
    EXPECT_EQ(resolveUrl(c.base, c.reference), c.expected) << c.base << " + " << c.reference;
  }
}

TEST(WebAddressTest, HostSiteAndOriginOfAnAddress) {
  EXPECT_EQ(hostOf("http://WWW.Shop.Example.com:8080/a?b#c"), "www.shop.example.com");
  EXPECT_EQ(hostOf("https://user:pw@shop.example.com/"), "shop.example.com");
  EXPECT_EQ(hostOf("http://[::1]:8080/x"), "[::1]");
  EXPECT_EQ(hostOf(" http://shop.example.com\n"), "shop.example.com");
  for (const char* hostless :
       {"mailto:sales@example.com", "about:blank", "page.html", "", "file:///x"}) {
    EXPECT_EQ(hostOf(hostless), "") << hostless;
    EXPECT_EQ(siteOf(hostless), "") << hostless;
    EXPECT_EQ(originOf(hostless), "") << hostless;
  }
  EXPECT_EQ(siteOf("http://user@Shop.Example:8080/a"), "Shop.Example:8080");
  EXPECT_EQ(originOf("HTTP://Shop.Example:80/a?b"), "http://shop.example");
  EXPECT_EQ(originOf("https://shop.example:8443/"), "https://shop.example:8443");

  const std::optional<AddressParts> upload =
      addressParts("sftp://web%40shop@host.example:2222/www/site");
  ASSERT_TRUE(upload);
  EXPECT_EQ(upload->scheme, "sftp");
  EXPECT_EQ(upload->user, "web@shop");
  EXPECT_EQ(upload->port, "2222");
  EXPECT_EQ(upload->path, "/www/site");
  EXPECT_FALSE(addressParts("mailto:x@example.com"));
}

}  // namespace
}  // namespace vendaro
