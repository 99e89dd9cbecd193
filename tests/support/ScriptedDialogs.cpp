#include "tests/support/ScriptedDialogs.h"

namespace vendaro::testing {
namespace {

template <typename T>
T takeOr(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T value = queue.front();
  queue.pop_front();
  return value;
}

}  // namespace

MessageResult ScriptedDialogs::MsgBox(const std::string& text, MessageButtons buttons,
                                      MessageIcon icon, const std::string& title) {
  messages.push_back({text, buttons, icon, title});
  MessageResult fallback =
      (buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel)
          ? MessageResult::Yes
          : MessageResult::Ok;
  return takeOr(messageAnswers, fallback);
}

std::optional<std::string> ScriptedDialogs::InputBox(const std::string& prompt,
                                                     const std::string& /*title*/,
                                                     const std::string& /*defaultText*/) {
  prompts.push_back(prompt);
  return takeOr(inputAnswers, std::optional<std::string>{});
}

std::optional<std::string> ScriptedDialogs::ShowOpen(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& initialFolder) {
  prompts.push_back(title);
  filters.push_back(filter);
  openFolders.push_back(initialFolder);
  return takeOr(fileAnswers, std::optional<std::string>{});
}

std::optional<std::string> ScriptedDialogs::ShowSave(const std::string& title,
                                                     const std::string& filter,
                                                     const std::string& /*defaultName*/) {
  prompts.push_back(title);
  filters.push_back(filter);
  return takeOr(fileAnswers, std::optional<std::string>{});
}

std::vector<std::string> ScriptedDialogs::messageTexts() const {
  std::vector<std::string> texts;
  for (const auto& message : messages) texts.push_back(message.text);
  return texts;
}

}  // namespace vendaro::testing
