#include "platform/ControlEscapingBuffer.h"

#include <cerrno>
#include <cstdio>

namespace vendaro {
namespace {

std::string hexEscape(const char* format, unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, format, byte);
  return text;
}

}  // namespace

ControlEscapingBuffer::ControlEscapingBuffer(std::streambuf& target) : target_(target) {
  setp(buffer_, buffer_ + sizeof buffer_);
}

ControlEscapingBuffer::~ControlEscapingBuffer() {
  writeControl({});
}

bool ControlEscapingBuffer::writeControl(std::string_view sequence) {
  if (!drain()) return false;
  // A CR or 0xC2 held back for what follows it is followed by nothing more.
  if (pendingCr_ && !send("\\x0d")) return false;
  if (pendingLead_ && !send("\xC2")) return false;
  pendingCr_ = pendingLead_ = false;
  return send(sequence) && sync() == 0;
}

ControlEscapingBuffer::int_type ControlEscapingBuffer::overflow(int_type c) {
  if (!drain()) return traits_type::eof();
  if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
  *pptr() = traits_type::to_char_type(c);
  pbump(1);
  return c;
}

int ControlEscapingBuffer::sync() {
  if (!drain()) return -1;
  errno = 0;
  if (target_.pubsync() != 0) {
    failed_ = true;
    if (error_ == 0) error_ = errno != 0 ? errno : EIO;
    return -1;
  }
  return 0;
}

bool ControlEscapingBuffer::drain() {
  std::string out;
  escape(std::string_view(pbase(), static_cast<std::size_t>(pptr() - pbase())), out);
  setp(buffer_, buffer_ + sizeof buffer_);
  return !failed_ && send(out);
}

void ControlEscapingBuffer::escape(std::string_view bytes, std::string& out) {
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (pendingCr_) {
      pendingCr_ = false;
      if (byte == '\n') {
        out += "\r\n";
        continue;
      }
      out += "\\x0d";
    }
    if (pendingLead_) {
      pendingLead_ = false;
      if (byte >= 0x80 && byte <= 0x9f) {  // U+0080-U+009F, the C1 controls
        out += hexEscape("\\u00%02x", byte);
        continue;
      }
      out += '\xC2';
    }
    if (byte == '\r') {
      pendingCr_ = true;
    } else if (byte == 0xC2) {
      pendingLead_ = true;
    } else if ((byte < 0x20 && byte != '\t' && byte != '\n') || byte == 0x7f) {
      out += hexEscape("\\x%02x", byte);
    } else {
      out += c;
    }
  }
}

bool ControlEscapingBuffer::send(std::string_view bytes) {
  if (failed_) return false;
  if (bytes.empty()) return true;
  errno = 0;
  const auto size = static_cast<std::streamsize>(bytes.size());
  if (target_.sputn(bytes.data(), size) == size) return true;
  failed_ = true;
  if (error_ == 0) error_ = errno != 0 ? errno : EIO;
  return false;
}

std::ostream& operator<<(std::ostream& out, TerminalControl control) {
  auto* buffer = dynamic_cast<ControlEscapingBuffer*>(out.rdbuf());
  if (buffer == nullptr) return out << control.sequence;
  if (out.tie() != nullptr) out.tie()->flush();
  if (!buffer->writeControl(control.sequence)) out.setstate(std::ios::badbit);
  return out;
}

}  // namespace vendaro
