#pragma once

#include <QWidget>
#include <functional>

class QCloseEvent;

namespace vendaro {

// The base of the tool windows the main window opens (store wizard, order
// viewer, ...): a top-level window that says once that it has closed,
// however it was closed. A subclass runs its model's close sequence in
// `windowClosing`.
class QtToolWindow : public QWidget {
 public:
  explicit QtToolWindow(QWidget* parent = nullptr) : QWidget(parent) {}

  // Raised once, after the window has closed.
  std::function<void()> onClosed;

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Whether the window may close now (asked before `windowClosing`); false
  // keeps it open.
  virtual bool mayClose() { return true; }
  virtual void windowClosing() {}

 private:
  bool closed_ = false;
};

}  // namespace vendaro
