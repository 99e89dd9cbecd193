#include "platform/url/UrlResolver.h"

#include <array>
#include <string_view>

#include "platform/Text.h"

namespace vendaro {
namespace {

// An address split into the five parts of the generic syntax. The flags tell
// an absent part from an empty one ("x?" has an empty query, "x" has none).
struct UrlParts {
  std::string scheme;
  std::string authority;
  std::string path;
  std::string query;
  std::string fragment;
  bool hasScheme = false;
  bool hasAuthority = false;
  bool hasQuery = false;
  bool hasFragment = false;
};

bool isAsciiLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isSchemeCharacter(char c) {
  return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

// Schemes whose addresses always have a host and a path, as browsers treat them.
bool isHierarchicalScheme(std::string_view scheme) {
  static constexpr std::array<std::string_view, 6> kHierarchical = {"http", "https", "ftp",
                                                                    "ws",   "wss",   "file"};
  for (std::string_view known : kHierarchical) {
    if (scheme == known) return true;
  }
  return false;
}

std::string_view defaultPortOf(std::string_view scheme) {
  if (scheme == "http" || scheme == "ws") return "80";
  if (scheme == "https" || scheme == "wss") return "443";
  if (scheme == "ftp") return "21";
  return {};
}

// Browsers drop leading and trailing controls and blanks, and every tab and
// line break inside, before reading an address attribute.
std::string cleanAddress(std::string_view text) {
  auto isEdge = [](char c) { return static_cast<unsigned char>(c) <= 0x20; };
  while (!text.empty() && isEdge(text.front())) text.remove_prefix(1);
  while (!text.empty() && isEdge(text.back())) text.remove_suffix(1);
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    if (c != '\t' && c != '\n' && c != '\r') result += c;
  }
  return result;
}

// The scheme of an address in lower case, or empty when it has none.
std::string schemeOf(std::string_view address) {
  std::size_t colon = address.find_first_of(":/?#");
  if (colon == std::string_view::npos || colon == 0 || address[colon] != ':') return {};
  if (!isAsciiLetter(address[0])) return {};
  for (std::size_t i = 1; i < colon; ++i) {
    if (!isSchemeCharacter(address[i])) return {};
  }
  return text::lowerAscii(address.substr(0, colon));
}

// Browsers read a backslash as a slash in the host and path of http-like
// addresses ("\\host\x"), but not in the query or fragment.
void turnBackslashesInPath(std::string& address) {
  std::size_t end = address.find_first_of("?#");
  if (end == std::string::npos) end = address.size();
  for (std::size_t i = 0; i < end; ++i) {
    if (address[i] == '\\') address[i] = '/';
  }
}

UrlParts splitUrl(std::string_view text) {
  UrlParts parts;
  std::string scheme = schemeOf(text);
  if (!scheme.empty()) {
    parts.hasScheme = true;
    parts.scheme = scheme;
    text.remove_prefix(scheme.size() + 1);
  }
  if (text.substr(0, 2) == "//") {
    text.remove_prefix(2);
    std::size_t end = text.find_first_of("/?#");
    if (end == std::string_view::npos) end = text.size();
    parts.hasAuthority = true;
    parts.authority = std::string(text.substr(0, end));
    text.remove_prefix(end);
  }
  std::size_t hash = text.find('#');
  if (hash != std::string_view::npos) {
    parts.hasFragment = true;
    parts.fragment = std::string(text.substr(hash + 1));
    text = text.substr(0, hash);
  }
  std::size_t question = text.find('?');
  if (question != std::string_view::npos) {
    parts.hasQuery = true;
    parts.query = std::string(text.substr(question + 1));
    text = text.substr(0, question);
  }
  parts.path = std::string(text);
  return parts;
}

// Drops the last segment written to `output`, with its leading slash.
void dropLastSegment(std::string& output) {
  std::size_t slash = output.rfind('/');
  output.erase(slash == std::string::npos ? 0 : slash);
}

// Removes "." and ".." segments, walking the path once from left to right.
std::string removeDotSegments(std::string_view input) {
  std::string output;
  output.reserve(input.size());
  while (!input.empty()) {
    if (input.starts_with("../")) {
      input.remove_prefix(3);
    } else if (input.starts_with("./")) {
      input.remove_prefix(2);
    } else if (input.starts_with("/./")) {
      input.remove_prefix(2);
    } else if (input == "/.") {
      output += '/';
      break;
    } else if (input.starts_with("/../")) {
      input.remove_prefix(3);
      dropLastSegment(output);
    } else if (input == "/..") {
      dropLastSegment(output);
      output += '/';
      break;
    } else if (input == "." || input == "..") {
      break;
    } else {
      std::size_t next = input.find('/', 1);
      if (next == std::string_view::npos) next = input.size();
      output += input.substr(0, next);
      input.remove_prefix(next);
    }
  }
  return output;
}

// A relative path joined to the directory of the base path.
std::string mergePaths(const UrlParts& base, const std::string& relative) {
  if (base.hasAuthority && base.path.empty()) return "/" + relative;
  std::size_t slash = base.path.rfind('/');
  if (slash == std::string::npos) return relative;
  return base.path.substr(0, slash + 1) + relative;
}

// Lower-case host, no default port: "User@WWW.Shop.com:80" -> "User@www.shop.com".
std::string normalizeAuthority(const std::string& authority, std::string_view scheme) {
  std::size_t at = authority.rfind('@');
  std::size_t hostStart = (at == std::string::npos) ? 0 : at + 1;
  std::string hostAndPort = authority.substr(hostStart);
  std::size_t portColon = hostAndPort.rfind(':');
  if (portColon != std::string::npos && hostAndPort.find(']', portColon) == std::string::npos) {
    std::string_view port = std::string_view(hostAndPort).substr(portColon + 1);
    if (port.empty() || port == defaultPortOf(scheme)) hostAndPort.erase(portColon);
  }
  return authority.substr(0, hostStart) + text::lowerAscii(hostAndPort);
}

enum class UrlPart { Path, Query, Fragment };

bool needsEscape(unsigned char c, UrlPart part, bool hierarchical) {
  if (c <= 0x20 || c >= 0x7F) return true;
  if (c == '"' || c == '<' || c == '>') return true;
  switch (part) {
    case UrlPart::Path:
      return c == '`' || c == '{' || c == '}';
    case UrlPart::Query:
      return hierarchical && c == '\'';
    case UrlPart::Fragment:
      return c == '`';
  }
  return false;
}

std::string percentEncode(std::string_view text, UrlPart part, bool hierarchical) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string result;
  result.reserve(text.size());
  for (char c : text) {
    auto byte = static_cast<unsigned char>(c);
    if (needsEscape(byte, part, hierarchical)) {
      result += '%';
      result += kHex[byte >> 4];
      result += kHex[byte & 0x0F];
    } else {
      result += c;
    }
  }
  return result;
}

std::string recompose(UrlParts parts) {
  bool hierarchical = isHierarchicalScheme(parts.scheme);
  if (hierarchical && parts.hasAuthority) {
    parts.authority = normalizeAuthority(parts.authority, parts.scheme);
    if (parts.path.empty()) parts.path = "/";
  }
  std::string result;
  if (parts.hasScheme) result += parts.scheme + ":";
  if (parts.hasAuthority) result += "//" + parts.authority;
  result += percentEncode(parts.path, UrlPart::Path, hierarchical);
  if (parts.hasQuery) result += "?" + percentEncode(parts.query, UrlPart::Query, hierarchical);
  if (parts.hasFragment)
    result += "#" + percentEncode(parts.fragment, UrlPart::Fragment, hierarchical);
  return result;
}

// An address without a hierarchical path, such as "about:blank" or "mailto:x".
bool hasOpaquePath(const UrlParts& parts) {
  return !parts.hasAuthority && (parts.path.empty() || parts.path.front() != '/');
}

UrlParts resolveRelative(const UrlParts& base, const UrlParts& reference) {
  UrlParts target;
  target.hasScheme = true;
  target.scheme = base.scheme;
  if (reference.hasAuthority) {
    target.hasAuthority = true;
    target.authority = reference.authority;
    target.path = removeDotSegments(reference.path);
    target.hasQuery = reference.hasQuery;
    target.query = reference.query;
    return target;
  }
  target.hasAuthority = base.hasAuthority;
  target.authority = base.authority;
  if (reference.path.empty()) {
    target.path = base.path;
    target.hasQuery = reference.hasQuery || base.hasQuery;
    target.query = reference.hasQuery ? reference.query : base.query;
    return target;
  }
  target.path = reference.path.front() == '/' ? removeDotSegments(reference.path)
                                              : removeDotSegments(mergePaths(base, reference.path));
  target.hasQuery = reference.hasQuery;
  target.query = reference.query;
  return target;
}

}  // namespace

std::string resolveUrl(const std::string& base, const std::string& reference) {
  std::string cleanBase = cleanAddress(base);
  std::string cleanReference = cleanAddress(reference);
  std::string baseScheme = schemeOf(cleanBase);
  std::string referenceScheme = schemeOf(cleanReference);
  if (isHierarchicalScheme(referenceScheme.empty() ? baseScheme : referenceScheme)) {
    turnBackslashesInPath(cleanReference);
  }
  if (isHierarchicalScheme(baseScheme)) turnBackslashesInPath(cleanBase);

  UrlParts ref = splitUrl(cleanReference);
  // "http:page.html" on an http page is a relative reference, as browsers read it.
  if (ref.hasScheme && isHierarchicalScheme(ref.scheme) && ref.scheme == baseScheme &&
      !ref.hasAuthority) {
    ref.hasScheme = false;
  }
  if (ref.hasScheme) {
    if (!isHierarchicalScheme(ref.scheme) && !ref.hasAuthority) return cleanReference;
    ref.path = removeDotSegments(ref.path);
    return recompose(ref);
  }

  UrlParts baseParts = splitUrl(cleanBase);
  if (!baseParts.hasScheme) return cleanReference;
  if (hasOpaquePath(baseParts)) {
    if (!cleanReference.starts_with('#')) return cleanReference;
    return cleanBase.substr(0, cleanBase.find('#')) + cleanReference;
  }
  UrlParts target = resolveRelative(baseParts, ref);
  target.hasFragment = ref.hasFragment;
  target.fragment = ref.fragment;
  return recompose(target);
}

}  // namespace vendaro
