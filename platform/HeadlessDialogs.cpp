#include "platform/HeadlessDialogs.h"

namespace vendaro {

MessageResult HeadlessDialogs::MsgBox(const std::string& text, MessageButtons buttons,
                                      MessageIcon icon, const std::string& /*title*/) {
  if (onMessage_) onMessage_(text, icon);
  if (buttons != MessageButtons::YesNo && buttons != MessageButtons::YesNoCancel) {
    return MessageResult::Ok;
  }
  return answer_ == QuestionAnswer::Yes ? MessageResult::Yes : MessageResult::No;
}

}  // namespace vendaro
