#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Dialogs.h"

namespace vendaro {

// How a headless command answers a yes/no question: No, the safe answer,
// unless its command line says Yes.
enum class QuestionAnswer { No, Yes };

// Dialogs of a headless command, where no one is there to answer: every
// message goes to `onMessage` (dropped when unset) and is answered Ok, or
// with `answer` for a yes/no question; every other dialog is cancelled.
class HeadlessDialogs : public Dialogs {
 public:
  using MessageSink = std::function<void(const std::string& text, MessageIcon icon)>;

  explicit HeadlessDialogs(MessageSink onMessage = {},
                           QuestionAnswer answer = QuestionAnswer::No)
      : onMessage_(std::move(onMessage)), answer_(answer) {}

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
  QuestionAnswer answer_;
};

}  // namespace vendaro
