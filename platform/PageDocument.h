#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace vendaro {

struct PageDocument;

// One element of a page. `tagName` is upper case for HTML elements, as the
// browser reports it ("META", "A", "BODY"). `outerText` is the visible text.
struct PageElement {
  std::string tagName;
  std::string outerText;
  std::string id;
  std::string name;     // name attribute (META, form fields, frames)
  std::string content;  // META content
  std::string href;     // absolute address of a link
  std::string src;      // absolute address of an image or frame
};

struct PageLink {
  std::string href;  // absolute address
  std::string outerText;
};

struct PageImage {
  std::string src;  // absolute address
  std::string alt;
};

// A frame or iframe of a page. `document` is empty when the frame cannot be
// read (another site's frame, or one that failed to load).
struct PageFrame {
  std::string name;
  std::string src;
  std::shared_ptr<const PageDocument> document;
};

// A snapshot of a loaded page: what the research tools read from a pane.
struct PageDocument {
  std::string url;
  std::string title;
  std::string domain;            // host part of the address
  std::string bodyTagName;       // "BODY", or "FRAMESET" for a frameset page, or empty
  std::vector<PageElement> all;  // every element in document order
  std::vector<PageLink> links;   // A and AREA elements with an href
  std::vector<PageImage> images;
  std::vector<PageFrame> frames;
  // Elements nested too deep to be read as nested (the parser's limit), whose
  // contents were read one level up; 0 for any ordinary page.
  std::size_t flattenedElements = 0;
};

}  // namespace vendaro
