#pragma once

#include <string>
#include <vector>

#include "platform/Control.h"

namespace vendaro {

// A status bar with numbered panels; panel numbers start at 1.
class StatusBar : public Control {
 public:
  explicit StatusBar(int panelCount = 2);

  int panelCount() const { return static_cast<int>(panels_.size()); }
  // Panel text; a panel number outside 1..panelCount throws std::out_of_range.
  const std::string& panelText(int panel) const;
  void setPanelText(int panel, const std::string& text);

 private:
  std::size_t slot(int panel) const;

  std::vector<std::string> panels_;
};

}  // namespace vendaro
