#include "platform/mime/MailBodyDecoder.h"

#include <gmime/gmime.h>

#include <mutex>
#include <string_view>

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

}  // namespace

std::string decodedMailText(const std::string& rawMail) {
  const std::string_view headers = headerBlock(rawMail);
  if (headers.empty()) return rawMail;
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

}  // namespace vendaro
