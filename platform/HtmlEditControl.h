#pragma once

#include <functional>
#include <string>
#include <vector>

namespace vendaro {

// Whether a command may ask the user for its input (a file, an address, a font).
enum class EditPrompt { Default = 0, Prompt = 1, DontPrompt = 2 };

// The parameters of the insert-table command (5022).
struct InsertTableParam {
  int NumRows = 2;
  int NumCols = 2;
  std::string TableAttrs = "border=1 cellPadding=1 cellSpacing=1 width=75%";
  std::string CellAttrs;
  std::string Caption;
};

// One entry of the editing surface's own context menu: an empty caption is a
// separator; state 0 available, 2 grayed.
struct EditMenuEntry {
  std::string caption;
  int state = 0;
};

// A WYSIWYG HTML editing surface driven by numbered commands. Its state is
// read synchronously: the surface keeps the latest state of the page and
// raises `onDisplayChanged` whenever it changes.
class HtmlEditControl {
 public:
  virtual ~HtmlEditControl() = default;

  // Runs command `id`; `argument` is the command's input, if any. Returns
  // the command's output (a font name, a font size in decimal, a block
  // format name) or an empty text.
  virtual std::string ExecCommand(int id, EditPrompt prompt = EditPrompt::DontPrompt,
                                  const std::string& argument = {}) = 0;
  // Command 5022: a table made after `table`, without asking.
  virtual void InsertTable(const InsertTableParam& table) = 0;
  // Command 5012: the names of the block formats, in order.
  virtual std::vector<std::string> BlockFormatNames() const = 0;
  // Command state: 0 not supported, 1 disabled, 3 enabled, 7 latched, 11 ninched.
  virtual int QueryStatus(int id) const = 0;
  // An empty path loads a new document, or asks for a file when `prompt`.
  virtual void LoadDocument(const std::string& path, bool prompt = false) = 0;
  // An empty path asks for a file when `prompt`. Returns false when nothing
  // was written (cancelled or failed; a failure is reported to the user).
  virtual bool SaveDocument(const std::string& path, bool prompt = false) = 0;
  virtual std::string CurrentDocumentPath() const = 0;
  // Whether the page has changed since it was loaded or last saved.
  virtual bool Modified() const = 0;
  virtual std::string DocumentHTML() const = 0;
  // Shows `html` as the document, keeping the current path.
  virtual void setDocumentHTML(const std::string& html) = 0;
  // Replaces the selection with `html`.
  virtual void PasteHTML(const std::string& html) = 0;
  virtual void setShowDetails(bool show) = 0;
  virtual void setShowBorders(bool show) = 0;
  virtual void setSnapToGrid(bool snap) = 0;
  // The menu shown for the right click being handled in `onShowContextMenu`.
  virtual void SetContextMenu(const std::vector<EditMenuEntry>& entries) = 0;

  std::function<void()> onDocumentComplete;
  std::function<void()> onDisplayChanged;
  std::function<void()> onShowContextMenu;
  std::function<void(int index)> onContextMenuAction;
};

}  // namespace vendaro
