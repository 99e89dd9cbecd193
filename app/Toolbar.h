#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/CommandRegistry.h"
#include "platform/controls/Geometry.h"
#include "platform/controls/PictureBox.h"

namespace vendaro {

// How a picture button answers the mouse.
enum class ButtonKind {
  // Left press shows the pressed look, left release the normal one; the
  // command runs on the click.
  Clicked,
  // As Clicked, but the command (a program start) runs on the left release.
  Launcher,
  // Any press shows the pressed look; any release runs the command and leaves the look.
  Released,
  // No pressed look; any release runs the command.
  ReleasedWithoutPress,
};

// One picture button of the toolbar strip: its place (twips), tooltip, the
// base names of its three looks (bitmap files in the application folder;
// `pressed` empty when it has none), and the buttons reset when the pointer
// comes over it.
struct ToolbarButton {
  std::string name;
  Geometry place;
  std::string toolTip;
  std::string normal;
  std::string hover;
  std::string pressed;
  std::vector<std::string> neighbours;
  ButtonKind kind = ButtonKind::Clicked;
  PictureBox picture;
};

// The main window's picture-button toolbar: the buttons with their looks
// and the look protocol. Each look is read from its bitmap file again on
// every change; a file that is missing or unreadable keeps the current look.
// A button's command is the command registered under the button's name.
class Toolbar {
 public:
  Toolbar(const std::filesystem::path& appFolder, const CommandRegistry& commands);
  Toolbar(const Toolbar&) = delete;
  Toolbar& operator=(const Toolbar&) = delete;

  const std::vector<std::unique_ptr<ToolbarButton>>& buttons() { return buttons_; }
  ToolbarButton& button(const std::string& name);

  // The look protocol, by button name.
  void MouseMove(const std::string& name);
  void MouseDown(const std::string& name, MouseButton button);
  void MouseUp(const std::string& name, MouseButton button);
  void Click(const std::string& name);
  // The pointer over the window's background: every button looks normal.
  void Form_MouseMove();

  // Every file name the toolbar reads, with its button's base name.
  std::vector<std::string> bitmapNames() const;

 private:
  void load(ToolbarButton& button, const std::string& look);
  void run(const std::string& name);

  const std::filesystem::path& appFolder_;
  const CommandRegistry& commands_;
  std::vector<std::unique_ptr<ToolbarButton>> buttons_;
};

}  // namespace vendaro
