#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/controls/Control.h"

namespace vendaro {

// A status bar with numbered panels; panel numbers start at 1.
class StatusBar : public Control {
 public:
  explicit StatusBar(int panelCount = 2);

  int panelCount() const { return static_cast<int>(panels_.size()); }
  // Panel text; a panel number outside 1..panelCount throws std::out_of_range.
  const std::string& panelText(int panel) const;
  void setPanelText(int panel, const std::string& text);

  // What a click and a double click on a panel do, by panel number; the
  // feature that owns a panel sets its handler. The view raises them.
  std::map<int, std::function<void()>> panelClick;
  std::map<int, std::function<void()>> panelDblClick;
  void PanelClick(int panel) const { raise(panelClick, panel); }
  void PanelDblClick(int panel) const { raise(panelDblClick, panel); }

 private:
  std::size_t slot(int panel) const;
  static void raise(const std::map<int, std::function<void()>>& handlers, int panel) {
    const auto found = handlers.find(panel);
    if (found != handlers.end() && found->second) found->second();
  }

  std::vector<std::string> panels_;
};

}  // namespace vendaro
