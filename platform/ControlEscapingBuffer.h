#pragma once

#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>

namespace vendaro {

// A stream buffer in front of another that shows control characters as
// escapes ("\x1b", "\r", "\u009b") instead of passing them on, so that text
// from mails, orders, forms and settings cannot move the cursor, recolour,
// retitle or otherwise drive the terminal it is printed on. Tabs, line
// feeds and CR LF pairs pass unchanged, so CSV rows keep their line ends.
// It buffers what is written and passes it on when the stream flushes;
// a failed write to the buffer behind it fails the stream, and `error`
// keeps the system's error number of the first failure. One thread writes.
class ControlEscapingBuffer : public std::streambuf {
 public:
  explicit ControlEscapingBuffer(std::streambuf& target);
  ~ControlEscapingBuffer() override;
  ControlEscapingBuffer(const ControlEscapingBuffer&) = delete;
  ControlEscapingBuffer& operator=(const ControlEscapingBuffer&) = delete;

  // Writes the program's own terminal control (a progress line's "\r") as
  // it is, after everything written before it.
  bool writeControl(std::string_view sequence);
  // errno of the first failed write or flush, 0 when none failed.
  int error() const { return error_; }

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool drain();
  void escape(std::string_view bytes, std::string& out);
  bool send(std::string_view bytes);

  std::streambuf& target_;
  char buffer_[4096];
  bool pendingCr_ = false;    // a CR that is kept only when LF follows
  bool pendingLead_ = false;  // 0xC2, which may start a C1 control
  bool failed_ = false;
  int error_ = 0;
};

// The program's own terminal control sequence, written unescaped when the
// stream goes through a ControlEscapingBuffer: `err << TerminalControl{"\r"}`.
struct TerminalControl {
  std::string_view sequence;
};
std::ostream& operator<<(std::ostream& out, TerminalControl control);

}  // namespace vendaro
