#include "platform/HeadlessDialogs.h"

namespace vendaro {

MessageResult HeadlessDialogs::MsgBox(const std::string& text, MessageButtons buttons,
                                      MessageIcon icon, const std::string& /*title*/) {
  if (onMessage_) onMessage_(text, icon);
  return buttons == MessageButtons::YesNo || buttons == MessageButtons::YesNoCancel
             ? MessageResult::Yes
             : MessageResult::Ok;
}

}  // namespace vendaro
