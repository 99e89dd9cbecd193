#include "platform/html/HtmlParser.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/TextFile.h"
#include "platform/html/NestingLimit.h"
#include "platform/url/UrlResolver.h"
#include "platform/url/WebAddress.h"

namespace vendaro {
namespace {

using ::testing::ElementsAre;

// A page from tests/html/data.
std::string dataPage(const std::string& name) {
  return readWholeFile(std::filesystem::path(VENDARO_HTML_DATA) / name).value();
}

std::vector<std::string> tagNames(const PageDocument& page) {
  std::vector<std::string> names;
  for (const PageElement& element : page.all) names.push_back(element.tagName);
  return names;
}

std::vector<std::string> textsOf(const PageDocument& page, const std::string& tagName) {
  std::vector<std::string> texts;
  for (const PageElement& element : page.all) {
    if (element.tagName == tagName) texts.push_back(element.outerText);
  }
  return texts;
}

// "name src" of each frame; a frame the parser cannot have read has no document.
std::vector<std::string> framesOf(const PageDocument& page) {
  std::vector<std::string> frames;
  for (const PageFrame& frame : page.frames) {
    frames.push_back(frame.document ? "read?" : frame.name + " " + frame.src);
  }
  return frames;
}

std::vector<std::pair<std::string, std::string>> linksOf(const PageDocument& page) {
  std::vector<std::pair<std::string, std::string>> links;
  for (const PageLink& link : page.links) links.emplace_back(link.href, link.outerText);
  return links;
}

TEST(HtmlParserTest, BuildsTheElementsOfAMessyPageAsABrowserDoes) {
  PageDocument page =
      parseHtmlPage(dataPage("messy.html"), "http://Shop.Example.com:8080/garden/index.html");

  EXPECT_EQ(page.url, "http://Shop.Example.com:8080/garden/index.html");
  EXPECT_EQ(page.domain, "shop.example.com");
  EXPECT_EQ(page.title, "Tools & Garden");
  EXPECT_EQ(page.bodyTagName, "BODY");
  EXPECT_THAT(tagNames(page),
              ElementsAre("HTML", "HEAD", "TITLE", "META", "BODY", "P", "P", "META", "CENTER"));
  // Unclosed paragraphs end where the next block starts; META in the body stays an element.
  EXPECT_THAT(textsOf(page, "P"), ElementsAre("One", "Two"));
  EXPECT_EQ(page.all[6].id, "second");
  EXPECT_EQ(page.all[4].outerText, "One Two Three");
  // META names are kept as written, and META and head elements have no visible text.
  EXPECT_EQ(page.all[3].name, "Description");
  EXPECT_EQ(page.all[3].content, "Garden tools");
  EXPECT_EQ(page.all[7].name, "keywords");
  EXPECT_EQ(page.all[7].content, "rake,hoe");
  EXPECT_EQ(page.all[3].outerText, "");
  EXPECT_EQ(page.all[2].outerText, "");
}

TEST(HtmlParserTest, ListsLinksWithAbsoluteAddressesAndVisibleText) {
  PageDocument page = parseHtmlPage(dataPage("links.html"), "http://example.com/catalog/page.html");

  EXPECT_THAT(linksOf(page),
              ElementsAre(std::pair{"http://example.com/shop/item.html?id=1", "First item"},
                          std::pair{"http://example.com/about.html", "About us"},
                          std::pair{"http://cdn.example.net/big.jpg", ""},
                          std::pair{"javascript:buy()", "Buy"},
                          std::pair{"mailto:sales@example.com", "Mail"},
                          std::pair{"http://example.com/map.html", ""}));
  ASSERT_EQ(page.images.size(), 1U);
  EXPECT_EQ(page.images[0].src, "http://example.com/shop/thumb.gif");
  EXPECT_EQ(page.images[0].alt, "Thumb");
  // The same addresses appear on the elements of `all`.
  EXPECT_EQ(textsOf(page, "SCRIPT"), std::vector<std::string>{""});
  EXPECT_EQ(page.all.back().tagName, "AREA");
  EXPECT_EQ(page.all.back().href, "http://example.com/map.html");
}

TEST(HtmlParserTest, ReadsFramesetsAndIframes) {
  PageDocument page = parseHtmlPage(dataPage("frameset.html"), "http://example.com/site/");
  EXPECT_EQ(page.bodyTagName, "FRAMESET");
  EXPECT_THAT(framesOf(page), ElementsAre("menu http://example.com/site/menu.html",
                                          "main http://other.example.org/main.html"));
  EXPECT_TRUE(page.links.empty());

  // Iframes are frames of a body page, and their fallback text is not shown.
  page = parseHtmlPage(
      "<p>Before<iframe name=ad src='/ads/1.html'>Your browser has no frames</iframe>after</p>"
      "<div><iframe src='https://maps.example.net/x'></iframe></div>",
      "http://example.com/a/b.html");
  EXPECT_EQ(page.bodyTagName, "BODY");
  EXPECT_THAT(framesOf(page),
              ElementsAre("ad http://example.com/ads/1.html", " https://maps.example.net/x"));
  EXPECT_THAT(textsOf(page, "P"), ElementsAre("Beforeafter"));
}

TEST(HtmlParserTest, VisibleTextFollowsTheBrowsersRules) {
  PageDocument page = parseHtmlPage(dataPage("visible-text.html"), "http://example.com/");

  EXPECT_EQ(page.all[0].tagName, "HTML");
  EXPECT_EQ(textsOf(page, "DIV"),
            std::vector<std::string>{"Big sale today only Rakes Hoes Price 10 end"});
  EXPECT_THAT(textsOf(page, "LI"), ElementsAre("Rakes", "Hoes"));
  EXPECT_THAT(textsOf(page, "OPTION"), ElementsAre(""));
  // Elements in skipped parts are listed with no text; noscript holds only text.
  EXPECT_THAT(textsOf(page, "P"), ElementsAre(""));
  EXPECT_THAT(textsOf(page, "NOSCRIPT"), ElementsAre(""));
}

TEST(HtmlParserTest, GivesABodyDocumentForTextThatIsNotHtml) {
  PageDocument page = parseHtmlPage("Plain  text,\r\nnot a page < 3 & > 2", "");
  EXPECT_EQ(page.title, "");
  EXPECT_EQ(page.domain, "");
  EXPECT_THAT(tagNames(page), ElementsAre("HTML", "HEAD", "BODY"));
  EXPECT_EQ(page.all[2].outerText, "Plain text, not a page < 3 & > 2");
  EXPECT_THAT(tagNames(parseHtmlPage("", "about:blank")), ElementsAre("HTML", "HEAD", "BODY"));
}

TEST(HtmlParserTest, SurvivesBrokenInput) {
  const char raw[] = "<p>a\0b<a href='x\0y'>c\0</a>\xFF\xFE<\0p>";
  std::string nulls(raw, sizeof raw - 1);
  PageDocument page = parseHtmlPage(nulls, "http://example.com/");
  EXPECT_EQ(page.links.size(), 1U);

  std::string huge = "<img alt='" + std::string(4 * 1024 * 1024, 'x') + "' src=a.gif>";
  page = parseHtmlPage(huge, "http://example.com/");
  ASSERT_EQ(page.images.size(), 1U);
  EXPECT_EQ(page.images[0].alt.size(), 4U * 1024 * 1024);

  std::string unfinished = "<html><head><title>never closed <a href='";
  page = parseHtmlPage(unfinished, "http://example.com/");
  EXPECT_EQ(page.bodyTagName, "BODY");
}

// Parsing runs on a thread with a small stack, so a recursive walk or release
// of the deeply nested tree would overflow it and crash the test.
void* parseDeepPage(void* result) {
  std::string html;
  for (int i = 0; i < 20000; ++i) html += "<span>x";
  *static_cast<PageDocument*>(result) = parseHtmlPage(html, "http://example.com/");
  return nullptr;
}

TEST(HtmlParserTest, HandlesDeeplyNestedTagsOnASmallStack) {
  PageDocument page;
  pthread_attr_t attributes;
  pthread_attr_init(&attributes);
  pthread_attr_setstacksize(&attributes, 256 * 1024);
  pthread_t thread;
  ASSERT_EQ(pthread_create(&thread, &attributes, &parseDeepPage, &page), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);

  // Spans below the depth limit are read one level up, with all their text.
  ASSERT_EQ(page.all.size(), 3 + kMaxNestingDepth);
  EXPECT_EQ(page.flattenedElements, 20000 - kMaxNestingDepth);
  EXPECT_EQ(page.all.back().outerText, std::string(20000 - kMaxNestingDepth + 1, 'x'));
  // Each element holds the text of all inner ones; the total stays bounded.
  std::size_t total = 0;
  for (const PageElement& element : page.all) total += element.outerText.size();
  EXPECT_LE(total, 64U * 1024 * 1024);
}

// The limit changes only what nests too deep: comments, scripts, quoted
// attributes and elements that close by their siblings are not nesting.
TEST(HtmlParserTest, NestingBeyondTheLimitLosesOnlyItsOwnTags) {
  std::string ordinary = "<!-- <div><div><div> --><script>'<div><div><div>'</script>";
  ordinary += "<p title='<div><div>'><ul><li>a<li>b<li>c</ul><br/><svg><path/><path/></svg>";
  EXPECT_FALSE(limitNesting(ordinary, 2).has_value());

  const auto limited =
      limitNesting("<body><DIV><b id='1'><i>x</i><a href=y>y</a></b><p>z</DIV>", 1);
  ASSERT_TRUE(limited.has_value());
  EXPECT_EQ(limited->html, "<body><DIV>x<a href=y>y</a><p>z</DIV>");
  EXPECT_EQ(limited->droppedElements, 2U);

  std::string deep = "<html><body>";
  for (int i = 0; i < 600; ++i) deep += "<div>";
  deep += "<a href='/in'>in</a>";
  for (int i = 0; i < 600; ++i) deep += "</div>";
  const PageDocument page = parseHtmlPage(deep + "<a href='/out'>out</a>", "http://e.com/");
  EXPECT_THAT(linksOf(page), ElementsAre(std::pair<std::string, std::string>{"http://e.com/in", "in"},
                                         std::pair<std::string, std::string>{"http://e.com/out", "out"}));
  EXPECT_EQ(page.flattenedElements, 600 - kMaxNestingDepth);
}

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
