#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Dialogs.h"

namespace vendaro {

// Dialogs of a headless command, where no one is there to answer: every
// message goes to `onMessage` (dropped when unset) and is answered Ok, or
// Yes for a yes/no question; every other dialog is cancelled.
class HeadlessDialogs : public Dialogs {
 public:
  using MessageSink = std::function<void(const std::string& text, MessageIcon icon)>;

  explicit HeadlessDialogs(MessageSink onMessage = {}) : onMessage_(std::move(onMessage)) {}

  MessageResult MsgBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                       const std::string& title) override;
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ShowOpen(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> ShowSave(const std::string&, const std::string&,
                                      const std::string&) override {
    return std::nullopt;
  }
  std::optional<int> ShowColor(int) override { return std::nullopt; }

 private:
  MessageSink onMessage_;
};

}  // namespace vendaro
