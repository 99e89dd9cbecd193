#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace vendaro::testing {

// Dialogs that answer from a script and record every message shown.
class ScriptedDialogs : public Dialogs {
 public:
  struct Message {
    std::string text;
    MessageButtons buttons;
    MessageIcon icon;
    std::string title;
  };

  MessageResult MsgBox(const std::string& text, MessageButtons buttons, MessageIcon icon,
                       const std::string& title) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) override;
  // Answered as an input box; counted in `passwordBoxes`.
  std::optional<std::string> PasswordBox(const std::string& prompt,
                                         const std::string& title) override {
    ++passwordBoxes;
    return InputBox(prompt, title, {});
  }
  std::optional<std::string> ShowOpen(const std::string& title, const std::string& filter,
                                      const std::string& initialFolder) override;
  std::optional<std::string> ShowSave(const std::string& title, const std::string& filter,
                                      const std::string& defaultName) override;
  std::optional<int> ShowColor(int /*initialColor*/) override {
    if (colorAnswers.empty()) return std::nullopt;
    const std::optional<int> answer = colorAnswers.front();
    colorAnswers.pop_front();
    return answer;
  }
  void Beep() override { ++beeps; }

  // Answers, used in order; when a queue is empty the dialog is cancelled
  // (message boxes answer Ok, or Yes for yes/no boxes).
  std::deque<MessageResult> messageAnswers;
  std::deque<std::optional<std::string>> inputAnswers;
  std::deque<std::optional<std::string>> fileAnswers;
  std::deque<std::optional<int>> colorAnswers;

  std::vector<Message> messages;
  std::vector<std::string> prompts;
  std::vector<std::string> openFolders;  // the initial folder of every open dialog
  std::vector<std::string> filters;      // the filter of every open and save dialog
  int beeps = 0;
  int passwordBoxes = 0;

  std::vector<std::string> messageTexts() const;
};

}  // namespace vendaro::testing
