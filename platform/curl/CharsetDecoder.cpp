#include "platform/curl/CharsetDecoder.h"

#include <iconv.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <vector>

#include "platform/Text.h"

namespace vendaro {
namespace {

constexpr std::size_t kMetaScanBytes = 1024;
constexpr const char* kReplacementCharacter = "\xEF\xBF\xBD";
constexpr const char* kFallbackCharset = "windows-1252";

bool isLabelCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.' ||
         c == ':';
}

// The value after the first "charset=" in `text` (already lower case).
std::string charsetAfterKeyword(std::string_view text) {
  const std::size_t keyword = text.find("charset");
  if (keyword == std::string_view::npos) return {};
  std::size_t pos = keyword + 7;
  while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
  if (pos >= text.size() || text[pos] != '=') return charsetAfterKeyword(text.substr(pos));
  ++pos;
  while (pos < text.size() && (std::isspace(static_cast<unsigned char>(text[pos])) ||
                               text[pos] == '"' || text[pos] == '\'')) {
    ++pos;
  }
  std::size_t end = pos;
  while (end < text.size() && isLabelCharacter(text[end])) ++end;
  return std::string(text.substr(pos, end - pos));
}

// The name iconv knows for a label a page may use.
std::string iconvNameOf(const std::string& label) {
  if (label == "iso-8859-1" || label == "latin1" || label == "iso8859-1" || label == "us-ascii" ||
      label == "ascii" || label == "l1") {
    return kFallbackCharset;
  }
  if (label == "utf8") return "utf-8";
  if (label == "x-sjis") return "shift_jis";
  return label;
}

}  // namespace

std::string CharsetDecoder::charsetOfContentType(std::string_view contentType) {
  return charsetAfterKeyword(text::lowerAscii(contentType));
}

std::string CharsetDecoder::charsetOfMeta(std::string_view bytes) {
  const std::string head = text::lowerAscii(bytes.substr(0, kMetaScanBytes));
  std::size_t pos = 0;
  while ((pos = head.find("<meta", pos)) != std::string::npos) {
    std::size_t end = head.find('>', pos);
    if (end == std::string::npos) end = head.size();
    std::string charset = charsetAfterKeyword(std::string_view(head).substr(pos, end - pos));
    // A page that says it is UTF-16 in its own bytes cannot be; browsers read UTF-8.
    if (charset.starts_with("utf-16")) charset = "utf-8";
    if (!charset.empty()) return charset;
    pos = end;
  }
  return {};
}

bool CharsetDecoder::isValidUtf8(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;
    if (lead < 0x80)
      length = 1;
    else if (lead >= 0xC2 && lead <= 0xDF)
      length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) {
      length = 3;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      length = 4;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + length > bytes.size()) return false;
    for (std::size_t k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      const unsigned char min = k == 1 ? low : 0x80, max = k == 1 ? high : 0xBF;
      if (next < min || next > max) return false;
    }
    i += length;
  }
  return true;
}

bool CharsetDecoder::convert(std::string_view bytes, const std::string& charset,
                             std::string& utf8) {
  iconv_t converter = iconv_open("UTF-8", iconvNameOf(charset).c_str());
  if (converter == reinterpret_cast<iconv_t>(-1)) return false;
  utf8.clear();
  std::vector<char> buffer(4096);
  char* in = const_cast<char*>(bytes.data());
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
    utf8.append(buffer.data(), buffer.size() - outLeft);
    if (done != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // An invalid or cut-off sequence: mark it and go on after its first byte.
    utf8 += kReplacementCharacter;
    ++in;
    --inLeft;
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
  }
  char* out = buffer.data();
  std::size_t outLeft = buffer.size();
  iconv(converter, nullptr, nullptr, &out, &outLeft);  // ends a shift state
  utf8.append(buffer.data(), buffer.size() - outLeft);
  iconv_close(converter);
  return true;
}

std::string CharsetDecoder::decode(std::string_view bytes, std::string_view contentType) {
  std::string utf8;
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    convert(bytes.substr(3), "utf-8", utf8);
    return utf8;
  }
  if (bytes.starts_with("\xFF\xFE") && convert(bytes.substr(2), "utf-16le", utf8)) return utf8;
  if (bytes.starts_with("\xFE\xFF") && convert(bytes.substr(2), "utf-16be", utf8)) return utf8;
  for (const std::string& declared : {charsetOfContentType(contentType), charsetOfMeta(bytes)}) {
    if (!declared.empty() && convert(bytes, declared, utf8)) return utf8;
  }
  if (isValidUtf8(bytes)) return std::string(bytes);
  convert(bytes, kFallbackCharset, utf8);
  return utf8;
}

}  // namespace vendaro
