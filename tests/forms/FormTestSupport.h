#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/FormCreator.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDatabase.h"

namespace vendaro::testing {

// A form creator over a database in a temporary folder; the dialogs it
// shows are kept, the last one first.
class FormCreatorFixture {
 public:
  FormCreatorFixture() {
    creator.onShowDialog = [this](std::shared_ptr<FieldDialog> dialog) {
      shown.insert(shown.begin(), std::move(dialog));
    };
  }

  std::int64_t addForm(const std::string& name, const std::string& email = {}) {
    return database.insertRow("Forms", {{"formName", name}, {"email", email}});
  }

  // Opens the window and makes `name` the current form on the "Fields" page.
  void open(const std::string& name) {
    creator.Form_Load();
    creator.Combo4.setText(name);
    creator.Combo4_Click();
    creator.SSTab1_Click();
  }

  template <typename Dialog>
  Dialog& openDialog(const std::string& type) {
    creator.Combo2.setText(type);
    creator.Combo2_Click();
    return dynamic_cast<Dialog&>(*shown.front());
  }

  // Names the field, lets `build` fill its dialog and confirms "Add".
  template <typename Dialog, typename Build>
  void addField(const std::string& name, const std::string& type, const std::string& label,
                Build build) {
    creator.Combo3.setText(name);
    if (!type.empty()) build(openDialog<Dialog>(type));
    creator.Text12.setText(label);
    creator.Command10_Click();
  }

  TempFolder folder;
  TestDatabase database{folder.file("Vendaro2.mdb")};
  ScriptedDialogs dialogs;
  Settings creator{FormCreatorPlatform{database, dialogs, nullptr, {}}};
  std::vector<std::shared_ptr<FieldDialog>> shown;
};

}  // namespace vendaro::testing
