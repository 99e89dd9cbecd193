#include "platform/html/NestingLimit.h"

#include <array>
#include <vector>

#include "platform/Text.h"

namespace vendaro {
namespace {

// Elements that never hold others open: void elements and those closed by
// their next sibling or by their parent's end, and links (a link inside a
// link closes the first).
constexpr std::array<std::string_view, 40> kNotNesting = {
    "area",  "base",   "basefont", "bgsound", "br",       "col",     "embed", "frame",
    "hr",    "image",  "img",      "input",   "keygen",   "link",    "meta",  "param",
    "source", "track", "wbr",      "html",    "head",     "body",    "p",     "li",
    "dt",    "dd",     "option",   "optgroup", "tr",      "td",      "th",    "thead",
    "tbody", "tfoot",  "caption",  "colgroup", "rb",      "rt",      "rp",    "a"};
// Elements whose contents are text up to their own end tag.
constexpr std::array<std::string_view, 8> kTextOnly = {
    "script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes"};
// How far down the open elements an end tag is looked for; a mismatch
// further down is left to the parser.
constexpr std::size_t kEndTagReach = 16;

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

template <std::size_t N>
bool isOneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  for (std::string_view each : names) {
    if (each == name) return true;
  }
  return false;
}

// The tag name starting at `at`, lower case; `at` moves past it.
std::string tagName(std::string_view html, std::size_t& at) {
  std::string name;
  while (at < html.size() && !isSpace(html[at]) && html[at] != '>' && html[at] != '/') {
    name += text::lowerAscii(html[at]);
    ++at;
  }
  return name;
}

// The end of a start tag whose attributes begin at `at` (one past its ">"),
// with quoted attribute values read whole. Sets `selfClosing` for "/>".
std::size_t startTagEnd(std::string_view html, std::size_t at, bool& selfClosing) {
  selfClosing = false;
  bool afterEquals = false;
  while (at < html.size()) {
    const char c = html[at];
    if (c == '>') {
      selfClosing = at > 0 && html[at - 1] == '/';
      return at + 1;
    }
    if (afterEquals && (c == '"' || c == '\'')) {
      const std::size_t close = html.find(c, at + 1);
      if (close == std::string_view::npos) return html.size();
      at = close + 1;
      afterEquals = false;
      continue;
    }
    if (c == '=') {
      afterEquals = true;
    } else if (!isSpace(c)) {
      afterEquals = false;
    }
    ++at;
  }
  return html.size();
}

// Where the end tag "</name" of a text-only element starts, from `at` on.
std::size_t textOnlyEnd(std::string_view html, std::size_t at, std::string_view name) {
  while ((at = html.find("</", at)) != std::string_view::npos) {
    if (text::startsWithIgnoringCase(html.substr(at + 2), name)) return at;
    at += 2;
  }
  return html.size();
}

class Limiter {
 public:
  Limiter(std::string_view html, std::size_t maxDepth) : html_(html), maxDepth_(maxDepth) {}

  std::optional<LimitedNesting> run();

 private:
  struct Open {
    std::string name;
    bool dropped;
  };

  std::size_t startTag(std::size_t at);
  std::size_t endTag(std::size_t at);
  void leaveOut(std::size_t begin, std::size_t end);

  std::string_view html_;
  std::size_t maxDepth_;
  std::vector<Open> open_;
  LimitedNesting limited_;
  std::size_t copiedUpTo_ = 0;
};

std::optional<LimitedNesting> Limiter::run() {
  std::size_t at = 0;
  while ((at = html_.find('<', at)) != std::string_view::npos) {
    const std::string_view rest = html_.substr(at);
    if (rest.starts_with("<!--")) {
      const std::size_t close = html_.find("-->", at + 4);
      at = close == std::string_view::npos ? html_.size() : close + 3;
    } else if (rest.size() > 1 && (rest[1] == '!' || rest[1] == '?')) {
      const std::size_t close = html_.find('>', at + 2);
      at = close == std::string_view::npos ? html_.size() : close + 1;
    } else if (rest.size() > 2 && rest[1] == '/' && isLetter(rest[2])) {
      at = endTag(at);
    } else if (rest.size() > 1 && isLetter(rest[1])) {
      at = startTag(at);
    } else {
      ++at;
    }
  }
  if (limited_.droppedElements == 0) return std::nullopt;
  limited_.html.append(html_.substr(copiedUpTo_));
  return std::move(limited_);
}

std::size_t Limiter::startTag(std::size_t at) {
  std::size_t nameEnd = at + 1;
  const std::string name = tagName(html_, nameEnd);
  bool selfClosing = false;
  const std::size_t end = startTagEnd(html_, nameEnd, selfClosing);
  if (name == "plaintext") return html_.size();
  if (isOneOf(name, kTextOnly)) return textOnlyEnd(html_, end, name);
  if (selfClosing || isOneOf(name, kNotNesting)) return end;
  const bool drop = open_.size() >= maxDepth_;
  if (drop) {
    leaveOut(at, end);
    ++limited_.droppedElements;
  }
  open_.push_back({name, drop});
  return end;
}

std::size_t Limiter::endTag(std::size_t at) {
  std::size_t nameEnd = at + 2;
  const std::string name = tagName(html_, nameEnd);
  const std::size_t close = html_.find('>', nameEnd);
  const std::size_t end = close == std::string_view::npos ? html_.size() : close + 1;
  const std::size_t reach = std::min(open_.size(), kEndTagReach);
  for (std::size_t k = 1; k <= reach; ++k) {
    const Open& element = open_[open_.size() - k];
    if (element.name != name) continue;
    if (element.dropped) leaveOut(at, end);
    open_.resize(open_.size() - k);
    break;
  }
  return end;
}

void Limiter::leaveOut(std::size_t begin, std::size_t end) {
  if (limited_.html.empty()) limited_.html.reserve(html_.size());
  limited_.html.append(html_.substr(copiedUpTo_, begin - copiedUpTo_));
  copiedUpTo_ = end;
}

}  // namespace

std::optional<LimitedNesting> limitNesting(std::string_view html, std::size_t maxDepth) {
  return Limiter(html, maxDepth).run();
}

}  // namespace vendaro
