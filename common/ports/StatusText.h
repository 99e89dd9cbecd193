#pragma once

#include <functional>
#include <string>

namespace vendaro {

// The status-bar text port: what a subsystem may do with the main window's
// status bar. Panels are numbered from 1.
class StatusText {
 public:
  virtual ~StatusText() = default;

  virtual void show(int panel, const std::string& text) = 0;
  // What a click or a double click on `panel` does; an empty handler removes it.
  virtual void onClick(int panel, std::function<void()> handler) = 0;
  virtual void onDoubleClick(int panel, std::function<void()> handler) = 0;
};

}  // namespace vendaro
