#include <memory>

#include "editor/EditorSubsystem.h"
#include "editor/MainForm.h"
#include "editor/MainFormView.h"
#include "platform/qt/QtToolWindowSlots.h"
#include "platform/qt/QtWebEditControl.h"

namespace vendaro {
namespace {

// The window's model with its editing surface; the model goes first.
struct WebEditor {
  WebEditor(Workbench& workbench)
      : surface(workbench.dialogs),
        form(surface, workbench.dialogs,
             workbench.context.folders.outputFile(workbench.appFolder, "\\back.htm")) {}

  QtWebEditControl surface;
  MainForm form;
};

}  // namespace

void registerEditorWindows(Workbench& workbench, QtToolWindowSlots& windows) {
  windows.add(kWebEditorForm, [&workbench] {
    auto editor = std::make_shared<WebEditor>(workbench);
    auto view = std::make_unique<MainFormView>(editor->form, *editor->surface.widget());
    return ToolWindowParts{editor, std::move(view)};
  });
  workbench.openInWebEditor = [&workbench, &windows](const std::filesystem::path& page) {
    workbench.windows.show(kWebEditorForm);
    if (auto* editor = windows.model<WebEditor>(kWebEditorForm)) editor->form.openPage(page);
  };
}

}  // namespace vendaro
