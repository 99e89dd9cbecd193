#include "platform/controls/StatusBar.h"

#include <stdexcept>

namespace vendaro {

StatusBar::StatusBar(int panelCount) : panels_(static_cast<std::size_t>(panelCount)) {}

std::size_t StatusBar::slot(int panel) const {
  if (panel < 1 || panel > panelCount()) throw std::out_of_range("Index out of bounds");
  return static_cast<std::size_t>(panel - 1);
}

const std::string& StatusBar::panelText(int panel) const {
  return panels_[slot(panel)];
}

void StatusBar::setPanelText(int panel, const std::string& text) {
  std::string& current = panels_[slot(panel)];
  if (current == text) return;
  current = text;
  notifyChanged();
}

}  // namespace vendaro
