#include "platform/html/HtmlParser.h"

#include <initializer_list>
#include <optional>
#include <utility>
#include <vector>

#include "platform/html/GumboTree.h"
#include "platform/html/HtmlElementKinds.h"
#include "platform/html/NestingLimit.h"
#include "platform/html/VisibleTextBuilder.h"
#include "platform/url/UrlResolver.h"
#include "platform/url/WebAddress.h"

namespace vendaro {
namespace {

// Every element stores its own visible text, so a pathologically deep page
// would need space in the square of its size. Texts are handed out from the
// innermost elements (paragraphs, links) outwards; once this many bytes are
// spent, the larger enclosing elements get no text.
constexpr std::size_t kOuterTextBudget = 64 * 1024 * 1024;

bool isAsciiWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// document.title: ASCII white space collapsed to single blanks and trimmed.
std::string collapseAsciiWhiteSpace(std::string_view text) {
  std::string result;
  bool pendingBlank = false;
  for (char c : text) {
    if (isAsciiWhiteSpace(c)) {
      pendingBlank = !result.empty();
    } else {
      if (pendingBlank) result += ' ';
      pendingBlank = false;
      result += c;
    }
  }
  return result;
}

std::string textOfChildren(const GumboNode& element) {
  std::string text;
  const GumboVector& children = element.v.element.children;
  for (unsigned i = 0; i < children.length; ++i) {
    const auto* child = static_cast<const GumboNode*>(children.data[i]);
    if (child->type == GUMBO_NODE_TEXT || child->type == GUMBO_NODE_WHITESPACE) {
      text += child->v.text.text;
    }
  }
  return text;
}

std::string attributeText(const GumboNode& element, const char* name) {
  const char* value = attributeOf(element, name);
  return value != nullptr ? value : "";
}

bool hasAnyTag(const GumboNode& element, std::initializer_list<GumboTag> tags) {
  for (GumboTag tag : tags) {
    if (isHtmlElement(element, tag)) return true;
  }
  return false;
}

// document.body: the first BODY or FRAMESET child of the root element.
std::string bodyTagNameOf(const GumboNode& document) {
  const GumboVector& top = document.v.document.children;
  for (unsigned i = 0; i < top.length; ++i) {
    const auto* root = static_cast<const GumboNode*>(top.data[i]);
    if (root->type != GUMBO_NODE_ELEMENT || !isHtmlElement(*root, GUMBO_TAG_HTML)) continue;
    const GumboVector& children = root->v.element.children;
    for (unsigned k = 0; k < children.length; ++k) {
      const auto* child = static_cast<const GumboNode*>(children.data[k]);
      if (child->type == GUMBO_NODE_ELEMENT &&
          hasAnyTag(*child, {GUMBO_TAG_BODY, GUMBO_TAG_FRAMESET})) {
        return tagNameOf(*child);
      }
    }
  }
  return {};
}

// Collects the elements of a page in one walk. Addresses are kept as written
// until the walk ends, since a <base href> anywhere in the page applies to all.
class PageBuilder : public GumboVisitor {
 public:
  bool enterElement(const GumboNode& node) override;
  void leaveElement(const GumboNode& node) override;
  void text(const GumboNode& node) override;

  PageDocument finish(const GumboNode& document, const std::string& url);

 private:
  struct TextRange {
    std::size_t begin = 0;
    std::size_t end = 0;
    bool shown = false;
  };
  struct OpenElement {
    std::size_t index;
    bool hidesText;
    bool setsOffText;
  };

  PageElement describe(const GumboNode& node, std::size_t index);
  void noteDocumentParts(const GumboNode& node);
  std::string documentBase(const std::string& url) const;
  void resolveAddresses(const std::string& base);
  void fillOuterTexts();
  void fillCollections();

  PageDocument page_;
  VisibleTextBuilder visibleText_;
  std::vector<TextRange> ranges_;  // parallel to page_.all
  std::vector<OpenElement> open_;
  int hiddenDepth_ = 0;
  std::vector<std::size_t> withHref_;
  std::vector<std::size_t> withSrc_;
  std::vector<std::size_t> links_;
  std::vector<std::pair<std::size_t, std::string>> images_;  // element index and alt
  std::vector<std::size_t> frames_;
  std::optional<std::string> baseHref_;
  std::optional<std::string> title_;
};

bool PageBuilder::enterElement(const GumboNode& node) {
  std::size_t index = page_.all.size();
  page_.all.push_back(describe(node, index));
  noteDocumentParts(node);

  bool hides = hidesText(node);
  bool shown = hiddenDepth_ == 0 && !hides;
  if (hides) ++hiddenDepth_;
  bool setsOff = shown && isBlockLevel(node);
  if (setsOff || (shown && isHtmlElement(node, GUMBO_TAG_BR))) visibleText_.appendBreak();
  ranges_.push_back({visibleText_.position(), visibleText_.position(), shown});
  open_.push_back({index, hides, setsOff});
  return !hasDetachedContents(node);
}

void PageBuilder::leaveElement(const GumboNode& /*node*/) {
  OpenElement element = open_.back();
  open_.pop_back();
  ranges_[element.index].end = visibleText_.position();
  if (element.setsOffText) visibleText_.appendBreak();
  if (element.hidesText) --hiddenDepth_;
}

void PageBuilder::text(const GumboNode& node) {
  if (hiddenDepth_ == 0 && node.v.text.text != nullptr) visibleText_.appendText(node.v.text.text);
}

PageElement PageBuilder::describe(const GumboNode& node, std::size_t index) {
  PageElement element;
  element.tagName = tagNameOf(node);
  element.id = attributeText(node, "id");
  element.name = attributeText(node, "name");
  if (isHtmlElement(node, GUMBO_TAG_META)) element.content = attributeText(node, "content");
  const char* href = attributeOf(node, "href");
  if (href != nullptr && hasAnyTag(node, {GUMBO_TAG_A, GUMBO_TAG_AREA, GUMBO_TAG_LINK})) {
    element.href = href;
    withHref_.push_back(index);
    if (!isHtmlElement(node, GUMBO_TAG_LINK)) links_.push_back(index);
  }
  const char* src = attributeOf(node, "src");
  if (src != nullptr &&
      hasAnyTag(node, {GUMBO_TAG_IMG, GUMBO_TAG_FRAME, GUMBO_TAG_IFRAME, GUMBO_TAG_SCRIPT,
                       GUMBO_TAG_EMBED, GUMBO_TAG_INPUT, GUMBO_TAG_SOURCE, GUMBO_TAG_AUDIO,
                       GUMBO_TAG_VIDEO, GUMBO_TAG_TRACK})) {
    element.src = src;
    withSrc_.push_back(index);
  }
  return element;
}

void PageBuilder::noteDocumentParts(const GumboNode& node) {
  std::size_t index = page_.all.size() - 1;
  if (isHtmlElement(node, GUMBO_TAG_IMG)) images_.emplace_back(index, attributeText(node, "alt"));
  if (hasAnyTag(node, {GUMBO_TAG_FRAME, GUMBO_TAG_IFRAME})) frames_.push_back(index);
  if (!title_ && isHtmlElement(node, GUMBO_TAG_TITLE)) title_ = textOfChildren(node);
  const char* href = attributeOf(node, "href");
  if (!baseHref_ && href != nullptr && isHtmlElement(node, GUMBO_TAG_BASE)) baseHref_ = href;
}

// The address relative references are read against: the document's own, or
// its <base href> when that gives an http-like address (browsers refuse
// javascript: and data: bases).
std::string PageBuilder::documentBase(const std::string& url) const {
  if (!baseHref_) return url;
  std::string base = resolveUrl(url, *baseHref_);
  return hostOf(base).empty() && !base.starts_with("file:") ? url : base;
}

void PageBuilder::resolveAddresses(const std::string& base) {
  for (std::size_t index : withHref_)
    page_.all[index].href = resolveUrl(base, page_.all[index].href);
  for (std::size_t index : withSrc_) page_.all[index].src = resolveUrl(base, page_.all[index].src);
}

void PageBuilder::fillOuterTexts() {
  std::size_t spent = 0;
  for (std::size_t i = ranges_.size(); i-- > 0;) {
    const TextRange& range = ranges_[i];
    if (!range.shown || range.end - range.begin > kOuterTextBudget - spent) continue;
    page_.all[i].outerText = visibleText_.slice(range.begin, range.end);
    spent += page_.all[i].outerText.size();
  }
}

void PageBuilder::fillCollections() {
  for (std::size_t index : links_) {
    page_.links.push_back({page_.all[index].href, page_.all[index].outerText});
  }
  for (const auto& [index, alt] : images_) page_.images.push_back({page_.all[index].src, alt});
  for (std::size_t index : frames_) {
    page_.frames.push_back({page_.all[index].name, page_.all[index].src, nullptr});
  }
}

PageDocument PageBuilder::finish(const GumboNode& document, const std::string& url) {
  page_.url = url;
  page_.domain = hostOf(url);
  page_.title = collapseAsciiWhiteSpace(title_.value_or(""));
  page_.bodyTagName = bodyTagNameOf(document);
  resolveAddresses(documentBase(url));
  fillOuterTexts();
  fillCollections();
  return std::move(page_);
}

}  // namespace

PageDocument parseHtmlPage(std::string_view html, const std::string& url) {
  const std::optional<LimitedNesting> limited = limitNesting(html);
  GumboTree tree(limited ? std::string_view(limited->html) : html);
  PageBuilder builder;
  tree.walk(builder);
  PageDocument page = builder.finish(tree.document(), url);
  if (limited) page.flattenedElements = limited->droppedElements;
  return page;
}

}  // namespace vendaro
