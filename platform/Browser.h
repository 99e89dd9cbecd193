#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/PageDocument.h"

namespace vendaro {

// Which document an event is about: the page itself or one of its frames.
enum class FrameLevel { TopLevel, Frame };

// What happened in a page's document, for the document-event handlers.
struct DocumentEvent {
  enum class Kind { MouseOver, Click, MouseOut };
  Kind kind = Kind::MouseOver;
  std::string tagName;
  std::string href;  // empty for an element without href
  std::string src;
};

// Commands on the shown page that a browser carries out with its own
// dialogs where the command has one (save as, print, page setup).
enum class BrowserCommand { SaveAs, Print, PageSetup, Copy, SelectAll };

// An embedded web browser: a visible pane, or a hidden page loader.
// Events are raised on the event-loop thread; the owner assigns the callbacks.
class Browser {
 public:
  virtual ~Browser() = default;

  virtual void Navigate(const std::string& address) = 0;
  virtual void GoBack() = 0;
  virtual void GoForward() = 0;
  virtual void Stop() = 0;
  virtual void Refresh() = 0;
  virtual bool Busy() const = 0;
  virtual std::string LocationURL() const = 0;
  virtual std::string LocationName() const = 0;
  // The snapshot of the shown page, or null before a page has completed.
  virtual std::shared_ptr<const PageDocument> Document() const = 0;
  // Writing a document in pieces, as document.open, write and close do.
  // Starts a new empty document, dropping one still open. The shown page
  // stays until the new document is closed.
  virtual void openDocument() = 0;
  // Appends `html` to the open document; opens one first when none is open.
  virtual void appendToDocument(const std::string& html) = 0;
  // Finishes the open document and shows it; once it is shown, document
  // complete (top level) is raised once and `Document` gives its snapshot.
  // Does nothing when no document is open.
  virtual void closeDocument() = 0;
  // Replaces the shown document with `html`: open, append, close.
  void writeDocument(const std::string& html) {
    openDocument();
    appendToDocument(html);
    closeDocument();
  }
  // Carries out `command` on the shown page. A browser without a screen has
  // nothing to print or select and ignores it, as the commands ignore errors.
  virtual void execCommand(BrowserCommand /*command*/) {}
  // Forgets the pages before and after the shown one, so Back and Forward
  // lead nowhere; a document written just before counts as the shown one.
  virtual void clearHistory() {}

  // Before a navigation starts; setting `cancel` keeps the current page.
  std::function<void(const std::string& address, bool& cancel)> onBeforeNavigate;
  std::function<void(FrameLevel level, const std::string& address)> onNavigateComplete;
  std::function<void()> onDownloadComplete;
  std::function<void(FrameLevel level, const std::string& address)> onDocumentComplete;
  std::function<void(const DocumentEvent& event)> onDocumentEvent;
  std::function<void(const std::string& title)> onTitleChange;
};

}  // namespace vendaro
