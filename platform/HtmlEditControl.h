#pragma once

#include <functional>
#include <string>

namespace vendaro {

// A WYSIWYG HTML editing surface driven by numbered commands.
class HtmlEditControl {
 public:
  virtual ~HtmlEditControl() = default;

  // Runs command `id`; `argument` is the command's parameter, if any.
  virtual void ExecCommand(int id, const std::string& argument = {}) = 0;
  // Command state: 0 not supported, 1 disabled, 3 enabled, 7 latched, 11 ninched.
  virtual int QueryStatus(int id) const = 0;
  virtual void LoadDocument(const std::string& path) = 0;
  virtual void SaveDocument(const std::string& path) = 0;
  virtual std::string DocumentHTML() const = 0;
  virtual void setDocumentHTML(const std::string& html) = 0;
  virtual void PasteHTML(const std::string& html) = 0;
  virtual void setShowDetails(bool show) = 0;
  virtual void setShowBorders(bool show) = 0;

  std::function<void()> onDocumentComplete;
  std::function<void()> onDisplayChanged;
};

}  // namespace vendaro
