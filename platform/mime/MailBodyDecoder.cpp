#include "platform/mime/MailBodyDecoder.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <mutex>
#include <string_view>
#include <vector>

namespace vendaro {
namespace {

// Drops a GObject reference when it goes out of scope.
template <typename T>
struct GObjectRef {
  T* object;
  explicit GObjectRef(T* created) : object(created) {}
  ~GObjectRef() {
    if (object) g_object_unref(object);
  }
  GObjectRef(const GObjectRef&) = delete;
  GObjectRef& operator=(const GObjectRef&) = delete;
};

void initialiseGmime() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

// The first text/plain leaf, searching multiparts depth first; attached
// messages are not entered.
GMimePart* firstPlainText(GMimeObject* object) {
  if (GMIME_IS_MULTIPART(object)) {
    GMimeMultipart* multipart = GMIME_MULTIPART(object);
    const int count = g_mime_multipart_get_count(multipart);
    for (int i = 0; i < count; ++i) {
      if (GMimePart* part = firstPlainText(g_mime_multipart_get_part(multipart, i))) return part;
    }
    return nullptr;
  }
  if (!GMIME_IS_PART(object)) return nullptr;
  GMimeContentType* type = g_mime_object_get_content_type(object);
  if (type && !g_mime_content_type_is_type(type, "text", "plain")) return nullptr;
  return GMIME_PART(object);
}

bool isPlainEncoding(GMimeContentEncoding encoding) {
  return encoding == GMIME_CONTENT_ENCODING_DEFAULT || encoding == GMIME_CONTENT_ENCODING_7BIT ||
         encoding == GMIME_CONTENT_ENCODING_8BIT || encoding == GMIME_CONTENT_ENCODING_BINARY;
}

bool isUtf8Compatible(const char* charset) {
  if (!charset) return true;
  const char* name = g_mime_charset_canon_name(charset);
  return g_ascii_strcasecmp(name, "utf-8") == 0 || g_ascii_strcasecmp(name, "us-ascii") == 0;
}

// Undoes the transfer encoding and converts the charset to UTF-8.
std::string decodedContent(GMimePart* part) {
  GMimeDataWrapper* content = g_mime_part_get_content(part);
  if (!content) return {};
  GObjectRef<GMimeStream> memory(g_mime_stream_mem_new());
  GObjectRef<GMimeStream> filtered(g_mime_stream_filter_new(memory.object));
  const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(part), "charset");
  if (!isUtf8Compatible(charset)) {
    if (GMimeFilter* convert = g_mime_filter_charset_new(charset, "UTF-8")) {
      g_mime_stream_filter_add(GMIME_STREAM_FILTER(filtered.object), convert);
      g_object_unref(convert);
    }
  }
  g_mime_data_wrapper_write_to_stream(content, filtered.object);
  g_mime_stream_flush(filtered.object);
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(memory.object));
  return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

std::string withCrLf(std::string_view text) {
  std::string result;
  result.reserve(text.size() + text.size() / 16);
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      result += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      result += "\r\n";
    } else {
      result += c;
    }
  }
  return result;
}

// The header lines with the blank line that ends them; nothing when the mail
// has no body.
std::string_view headerBlock(std::string_view mail) {
  const std::size_t crlf = mail.find("\r\n\r\n");
  const std::size_t lf = mail.find("\n\n");
  if (crlf != std::string_view::npos && (lf == std::string_view::npos || crlf < lf)) {
    return mail.substr(0, crlf + 4);
  }
  if (lf != std::string_view::npos) return mail.substr(0, lf + 2);
  return {};
}

std::string lowerTrimmed(std::string_view text) {
  std::string result;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
    result += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return result;
}

// The value of each header named `name` (letter case ignored), continuation
// lines joined.
std::vector<std::string> headerValues(std::string_view headers, std::string_view name) {
  std::vector<std::string> values;
  bool inside = false;
  std::size_t start = 0;
  while (start < headers.size()) {
    std::size_t end = headers.find('\n', start);
    end = end == std::string_view::npos ? headers.size() : end + 1;
    const std::string_view line = headers.substr(start, end - start);
    start = end;
    if (!line.empty() && (line[0] == ' ' || line[0] == '\t')) {
      if (inside) values.back() += line;
      continue;
    }
    const std::size_t colon = line.find(':');
    inside = colon != std::string_view::npos && lowerTrimmed(line.substr(0, colon)) == name;
    if (inside) values.emplace_back(line.substr(colon + 1));
  }
  return values;
}

// True when the headers make the mail plain text in ASCII or UTF-8 without a
// transfer encoding, which is its own decoded text: the common order mail
// then needs no MIME parse. Anything unusual is left to GMime.
bool isPlainTextMail(std::string_view headers) {
  const auto encodings = headerValues(headers, "content-transfer-encoding");
  const auto types = headerValues(headers, "content-type");
  if (encodings.size() > 1 || types.size() > 1) return false;
  if (!encodings.empty()) {
    const std::string encoding = lowerTrimmed(encodings.front());
    if (encoding != "7bit" && encoding != "8bit" && encoding != "binary") return false;
  }
  if (types.empty()) return true;
  const std::string type = lowerTrimmed(types.front());
  // Comments, escapes and quoted values other than the charset's are left to GMime.
  if (type.find_first_of("(\\") != std::string::npos) return false;
  if (std::count(type.begin(), type.end(), '"') > 2) return false;
  std::size_t at = type.find(';');
  if (type.substr(0, at) != "text/plain") return false;
  while (at != std::string::npos) {
    const std::size_t next = type.find(';', at + 1);
    const std::string parameter = type.substr(at + 1, next - at - 1);
    at = next;
    const std::size_t equals = parameter.find('=');
    const std::string name = parameter.substr(0, equals);
    if (!name.empty() && name.back() == '*') return false;
    if (name != "charset") continue;
    std::string charset = parameter.substr(equals == std::string::npos ? 0 : equals + 1);
    if (charset.size() >= 2 && charset.front() == '"' && charset.back() == '"') {
      charset = charset.substr(1, charset.size() - 2);
    }
    if (charset != "us-ascii" && charset != "utf-8") return false;
  }
  return true;
}

}  // namespace

std::string decodedMailText(const std::string& rawMail) {
  const std::string_view headers = headerBlock(rawMail);
  if (headers.empty() || isPlainTextMail(headers)) return rawMail;
  initialiseGmime();
  GObjectRef<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(rawMail.data(), rawMail.size()));
  GObjectRef<GMimeParser> parser(g_mime_parser_new_with_stream(stream.object));
  GObjectRef<GMimeMessage> message(g_mime_parser_construct_message(parser.object, nullptr));
  if (!message.object) return rawMail;
  GMimeObject* body = g_mime_message_get_mime_part(message.object);
  if (!body) return rawMail;
  GMimePart* text = firstPlainText(body);
  if (!text) return rawMail;
  const char* charset = g_mime_object_get_content_type_parameter(GMIME_OBJECT(text), "charset");
  if (GMIME_OBJECT(text) == body && isPlainEncoding(g_mime_part_get_content_encoding(text)) &&
      isUtf8Compatible(charset)) {
    return rawMail;
  }
  return withCrLf(headers) + withCrLf(decodedContent(text));
}

std::optional<std::int64_t> mailDateSeconds(const std::string& date) {
  if (date.empty()) return std::nullopt;
  initialiseGmime();
  GDateTime* parsed = g_mime_utils_header_decode_date(date.c_str());
  if (!parsed) return std::nullopt;
  const std::int64_t seconds = g_date_time_to_unix(parsed);
  g_date_time_unref(parsed);
  return seconds;
}

std::string decodedHeaderText(const std::string& value) {
  if (value.find("=?") == std::string::npos) return value;
  initialiseGmime();
  char* decoded = g_mime_utils_header_decode_text(nullptr, value.c_str());
  if (!decoded) return value;
  std::string text(decoded);
  g_free(decoded);
  // GMime drops the blank after the colon; the value keeps it as it came.
  const std::size_t blanks = value.find_first_not_of(" \t");
  if (blanks != std::string::npos && blanks > 0 && text.rfind(value.substr(0, blanks), 0) != 0) {
    text.insert(0, value.substr(0, blanks));
  }
  return text;
}

}  // namespace vendaro
