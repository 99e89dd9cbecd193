#include "platform/html/HtmlElementKinds.h"

#include <algorithm>
#include <initializer_list>

#include "platform/Text.h"

namespace vendaro {
namespace {

bool tagIsOneOf(const GumboNode& element, std::initializer_list<GumboTag> tags) {
  return std::find(tags.begin(), tags.end(), element.v.element.tag) != tags.end();
}

bool isInHtmlNamespace(const GumboNode& element) {
  return element.v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

// The name of an element gumbo does not know, read from the tag as written.
std::string unknownTagName(const GumboElement& element) {
  GumboStringPiece name = element.original_tag;
  if (name.data == nullptr || name.length < 2 || name.data[0] != '<') return {};
  gumbo_tag_from_original_text(&name);
  return text::lowerAscii(std::string(name.data, name.length));
}

}  // namespace

bool isHtmlElement(const GumboNode& element, GumboTag tag) {
  return isInHtmlNamespace(element) && element.v.element.tag == tag;
}

std::string tagNameOf(const GumboNode& element) {
  const GumboElement& e = element.v.element;
  std::string name =
      e.tag == GUMBO_TAG_UNKNOWN ? unknownTagName(e) : gumbo_normalized_tagname(e.tag);
  if (e.tag_namespace == GUMBO_NAMESPACE_HTML) return text::upperAscii(std::move(name));
  if (e.tag_namespace == GUMBO_NAMESPACE_SVG) {
    GumboStringPiece piece{name.data(), name.size()};
    if (const char* adjusted = gumbo_normalize_svg_tagname(&piece)) return adjusted;
  }
  return name;
}

const char* attributeOf(const GumboNode& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.v.element.attributes, name);
  return attribute != nullptr ? attribute->value : nullptr;
}

bool hasDetachedContents(const GumboNode& element) {
  return element.type == GUMBO_NODE_TEMPLATE || isHtmlElement(element, GUMBO_TAG_NOSCRIPT);
}

bool hidesText(const GumboNode& element) {
  // Scripts, style sheets and titles are never shown, whatever their namespace.
  if (tagIsOneOf(element, {GUMBO_TAG_SCRIPT, GUMBO_TAG_STYLE, GUMBO_TAG_TITLE})) return true;
  if (!isInHtmlNamespace(element)) {
    return element.v.element.tag_namespace == GUMBO_NAMESPACE_SVG &&
           element.v.element.tag == GUMBO_TAG_DESC;
  }
  if (attributeOf(element, "hidden") != nullptr) return true;
  return tagIsOneOf(element, {GUMBO_TAG_TEMPLATE, GUMBO_TAG_NOSCRIPT, GUMBO_TAG_HEAD,
                              GUMBO_TAG_NOFRAMES, GUMBO_TAG_SELECT, GUMBO_TAG_IFRAME,
                              GUMBO_TAG_OBJECT, GUMBO_TAG_TEXTAREA, GUMBO_TAG_DATALIST});
}

bool isBlockLevel(const GumboNode& element) {
  if (!isInHtmlNamespace(element)) return false;
  return tagIsOneOf(
      element, {GUMBO_TAG_HTML,     GUMBO_TAG_BODY,       GUMBO_TAG_ADDRESS,    GUMBO_TAG_ARTICLE,
                GUMBO_TAG_ASIDE,    GUMBO_TAG_BLOCKQUOTE, GUMBO_TAG_CENTER,     GUMBO_TAG_DETAILS,
                GUMBO_TAG_DIR,      GUMBO_TAG_DIV,        GUMBO_TAG_DL,         GUMBO_TAG_DD,
                GUMBO_TAG_DT,       GUMBO_TAG_FIELDSET,   GUMBO_TAG_FIGCAPTION, GUMBO_TAG_FIGURE,
                GUMBO_TAG_FOOTER,   GUMBO_TAG_FORM,       GUMBO_TAG_FRAMESET,   GUMBO_TAG_H1,
                GUMBO_TAG_H2,       GUMBO_TAG_H3,         GUMBO_TAG_H4,         GUMBO_TAG_H5,
                GUMBO_TAG_H6,       GUMBO_TAG_HEADER,     GUMBO_TAG_HGROUP,     GUMBO_TAG_HR,
                GUMBO_TAG_LEGEND,   GUMBO_TAG_LI,         GUMBO_TAG_LISTING,    GUMBO_TAG_MAIN,
                GUMBO_TAG_MENU,     GUMBO_TAG_NAV,        GUMBO_TAG_OL,         GUMBO_TAG_UL,
                GUMBO_TAG_OPTGROUP, GUMBO_TAG_OPTION,     GUMBO_TAG_P,          GUMBO_TAG_PLAINTEXT,
                GUMBO_TAG_PRE,      GUMBO_TAG_SECTION,    GUMBO_TAG_SUMMARY,    GUMBO_TAG_XMP,
                GUMBO_TAG_TABLE,    GUMBO_TAG_CAPTION,    GUMBO_TAG_COLGROUP,   GUMBO_TAG_COL,
                GUMBO_TAG_THEAD,    GUMBO_TAG_TBODY,      GUMBO_TAG_TFOOT,      GUMBO_TAG_TR,
                GUMBO_TAG_TD,       GUMBO_TAG_TH});
}

}  // namespace vendaro
