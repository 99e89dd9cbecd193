#pragma once

#include "platform/controls/CheckBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/TextBox.h"

namespace vendaro {

// The controls and handlers of a mailbox tab: the mailbox fields, "Host
// &Delete", whether the password is kept in the keyring, the fetch button, the progress label, the
// list of lines read and the log. The store wizard's "E-Mail DB" tab draws one that the order
// subsystem makes; the form creator's response intake is another.
class MailboxIntake {
 public:
  virtual ~MailboxIntake() = default;

  virtual void cmdGetMail_Click() = 0;     // the fetch button
  virtual void chkHostDelete_Click() = 0;  // called after the box changed its value

  TextBox PopHost;
  TextBox PopUserName;
  TextBox PopPassword;
  TextBox Email;
  CheckBox chkHostDelete{"Host &Delete"};
  CheckBox chkKeepPassword{"Remember password in the keyring"};
  Label cmdGetMail;
  ListControl List3;    // the lines cut from the mails
  TextBox Text18;       // intake log
  Label lblPercentage;  // progress and count
};

}  // namespace vendaro
