#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/FieldDraft.h"
#include "platform/Dialogs.h"
#include "platform/controls/Control.h"
#include "platform/controls/OptionButton.h"

namespace vendaro {

class FieldDialog;

// What a field dialog works with: the shared values, the name of the field
// being built, and the form creator that shows further dialogs.
class FieldDialogHost {
 public:
  virtual ~FieldDialogHost() = default;
  virtual FieldDraft& draft() = 0;
  // The field name as it goes into the element (escaped for HTML).
  virtual std::string elementName() const = 0;
  virtual void showDialog(std::shared_ptr<FieldDialog> dialog) = 0;
  // Shows the one style dialog, whose boxes keep their values between uses.
  virtual void showStyleDialog() = 0;
  virtual Dialogs& dialogs() = 0;
};

// One control of a dialog as its view draws it, in order, on the page
// (tab) named `page` (empty: the dialog has no tabs).
struct DialogElement {
  enum class Kind { Box, Option, Combo, List, Button, Heading };

  DialogElement(Kind kind, std::string caption, std::string name, Control* control = nullptr,
                std::function<void()> click = {}, std::string page = {})
      : kind(kind),
        caption(std::move(caption)),
        name(std::move(name)),
        control(control),
        click(std::move(click)),
        page(std::move(page)) {}

  Kind kind;
  std::string caption;
  std::string name;  // the designer name, with the index after an underscore
  Control* control = nullptr;
  std::function<void()> click;
  std::string page;
};

// A non-modal dialog of the form creator that closes itself on "OK" or
// "Cancel". Made shared, so that a dialog it opens can tell whether it is
// still there.
class FieldDialog : public std::enable_shared_from_this<FieldDialog> {
 public:
  FieldDialog(std::string name, std::string caption)
      : name_(std::move(name)), caption_(std::move(caption)) {}
  virtual ~FieldDialog() = default;
  FieldDialog(const FieldDialog&) = delete;
  FieldDialog& operator=(const FieldDialog&) = delete;

  const std::string& name() const { return name_; }
  const std::string& caption() const { return caption_; }
  virtual std::vector<DialogElement> elements() = 0;

  // Raised when the dialog closes itself: the view closes the window.
  std::function<void()> onClose;

  // The window is going away (closed by the dialog or by the user): runs
  // Form_Unload once.
  void unload() {
    if (unloaded_) return;
    unloaded_ = true;
    Form_Unload();
  }

 protected:
  virtual void Form_Unload() {}
  void close() {
    unload();
    if (onClose) onClose();
  }

 private:
  std::string name_;
  std::string caption_;
  bool unloaded_ = false;
};

// Sets `chosen` and clears the other options of its group.
void chooseOption(OptionButton& chosen, const std::vector<OptionButton*>& group);

}  // namespace vendaro
