#pragma once

#include <optional>
#include <string>

namespace vendaro {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Exclamation, Critical, Question };
enum class MessageResult { Ok, Cancel, Yes, No };

// Modal dialogs: message box, input box, file open and save, colour choice.
// An empty title means the application's default title.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  virtual MessageResult MsgBox(const std::string& text, MessageButtons buttons = MessageButtons::Ok,
                               MessageIcon icon = MessageIcon::None,
                               const std::string& title = {}) = 0;
  // The entered text, or nothing when the user cancels.
  virtual std::optional<std::string> InputBox(const std::string& prompt,
                                              const std::string& title = {},
                                              const std::string& defaultText = {}) = 0;
  // As InputBox, with the typed text masked: for passwords.
  virtual std::optional<std::string> PasswordBox(const std::string& prompt,
                                                 const std::string& title = {}) {
    return InputBox(prompt, title, {});
  }
  // `filter` uses the "Description|*.ext|Description|*.ext" form. The dialog
  // starts in `initialFolder`, or wherever the platform chooses when empty.
  virtual std::optional<std::string> ShowOpen(const std::string& title, const std::string& filter,
                                              const std::string& initialFolder = {}) = 0;
  virtual std::optional<std::string> ShowSave(const std::string& title, const std::string& filter,
                                              const std::string& defaultName = {}) = 0;
  // A colour value with red in the low byte, or nothing when cancelled.
  virtual std::optional<int> ShowColor(int initialColor = 0) = 0;
  // Sounds the bell; silent where there is none.
  virtual void Beep() {}
};

}  // namespace vendaro
