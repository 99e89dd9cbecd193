#pragma once

#include <gumbo.h>

#include <string>

namespace vendaro {

// How a browser treats an element when it reads a page; all functions take an
// element or template node of a gumbo tree.

// True for an HTML element of the given tag (not an SVG or MathML one).
bool isHtmlElement(const GumboNode& element, GumboTag tag);

// The element's tagName as document.all reports it: upper case for HTML
// elements ("META"), the name as adjusted for SVG and MathML ("svg", "foreignObject").
std::string tagNameOf(const GumboNode& element);

// The value of an attribute, or nullptr when the element does not have it.
const char* attributeOf(const GumboNode& element, const char* name);

// Elements whose contents are not part of the document a browser builds:
// template contents, and noscript contents (parsed as text when scripts run).
bool hasDetachedContents(const GumboNode& element);

// Elements whose text is not shown: script, style, head, title, select,
// iframe, object and the like, and anything with the hidden attribute.
bool hidesText(const GumboNode& element);

// Elements laid out as blocks or table parts: their text is set off by blanks.
bool isBlockLevel(const GumboNode& element);

}  // namespace vendaro
