#include "app/Toolbar.h"

#include <fstream>
#include <memory>
#include <stdexcept>

namespace vendaro {
namespace {

using Kind = ButtonKind;

// First row: 360 x 360 twips at top 30; second row: 375 x 375 at top 0.
Geometry firstRow(float left) {
  return {left, 30, 360, 360};
}
Geometry secondRow(float left) {
  return {left, 0, 375, 375};
}

std::vector<std::unique_ptr<ToolbarButton>> makeButtons() {
  const auto button = [](const char* name, Geometry place, const char* tip, const char* base,
                         const char* hover, const char* pressed,
                         std::vector<std::string> neighbours, Kind kind) {
    auto made = std::make_unique<ToolbarButton>();
    made->name = name;
    made->place = place;
    made->toolTip = tip;
    made->normal = base;
    made->hover = hover;
    made->pressed = pressed;
    made->neighbours = std::move(neighbours);
    made->kind = kind;
    return made;
  };
  std::vector<std::unique_ptr<ToolbarButton>> buttons;
  buttons.push_back(button("Picture2", firstRow(120), "Go back", "back1", "back1_up", "back1_down",
                           {"Picture3"}, Kind::Clicked));
  buttons.push_back(button("Picture3", firstRow(480), "Go forward", "forward1", "forward1_on",
                           "forward1_down", {"Picture2", "Picture4"}, Kind::Clicked));
  buttons.push_back(button("Picture4", firstRow(840), "Stop", "stop1", "stop1_on", "stop1_down",
                           {"Picture3", "Picture5"}, Kind::Clicked));
  buttons.push_back(button("Picture5", firstRow(1200), "Go home", "home1", "home1_on", "home1_down",
                           {"Picture6", "Picture4"}, Kind::Clicked));
  buttons.push_back(button("Picture6", firstRow(1560), "Refresh", "refresh1", "refresh1_on",
                           "refresh1_down", {"Picture5", "Picture8"}, Kind::Clicked));
  buttons.push_back(button("Picture8", firstRow(2060), "Search Engine Listing ", "search1",
                           "search1_on", "search1_down", {"Picture6", "Picture9"}, Kind::Clicked));
  buttons.push_back(button("Picture9", firstRow(2420), "Your Favorites", "favorites",
                           "favorites1_on", "favorites1_down", {"Picture8", "Picture10"},
                           Kind::Clicked));
  buttons.push_back(button("Picture10", firstRow(2780), "Your History", "history1", "history1_on",
                           "history1_down", {"Picture9", "Picture11"}, Kind::Clicked));
  buttons.push_back(button("Picture11", firstRow(3140), "Your Channels", "chann_norm", "chann_on",
                           "chann_down", {"Picture10", "Picture15"}, Kind::Clicked));
  buttons.push_back(button("Picture15", firstRow(3640), "Collect Images autamatically", "collect1",
                           "collect1_on", "collect1_down", {"Picture11", "Picture19"},
                           Kind::Clicked));
  buttons.push_back(button("Picture14", {8640, 1800, 840, 600}, "Private Zone  enterance ",
                           "private1", "private1_on", "private1_down", {"Picture15", "Picture11"},
                           Kind::Clicked));
  buttons.push_back(button("Picture19", secondRow(4000), "Calls \"OutLook Express\"", "outlook",
                           "outlook_on", "outlook_down", {"Picture15", "Picture20"},
                           Kind::Launcher));
  buttons.push_back(button("Picture20", secondRow(4360), "Callas Address Book", "book", "book_on",
                           "book_down", {"Picture19", "Picture21"}, Kind::Launcher));
  buttons.push_back(button("Picture21", secondRow(4720), "Calls calculator", "calk", "calk_on",
                           "calk_down", {"Picture20", "Picture23"}, Kind::Launcher));
  buttons.push_back(button("Picture23", secondRow(5200), "Switch between browsers", "switch",
                           "switch_on", "switch_down", {"Picture21", "Picture24"}, Kind::Released));
  buttons.push_back(button("Picture24", secondRow(5560), "Shows  next home page", "nexthome",
                           "nexthome_on", "", {"Picture23", "Picture241"},
                           Kind::ReleasedWithoutPress));
  buttons.push_back(button("Picture241", secondRow(6060), "Get all links from a page", "get",
                           "get_on", "get_down", {"Picture24", "Picture26"}, Kind::Released));
  buttons.push_back(button("Picture26", secondRow(6420), "Previous link", "navright", "navright_on",
                           "navright_down", {"Picture241", "Picture27"}, Kind::Released));
  buttons.push_back(button("Picture27", secondRow(6780), "Next link", "navleft", "navleft_on",
                           "navleft_down", {"Picture26", "Picture28"}, Kind::Released));
  buttons.push_back(button("Picture28", secondRow(7160), "Cleares links listing ", "dellink",
                           "dellink_on", "dellink_down", {"Picture27"}, Kind::Released));
  // The private-zone button is hidden and never shown; the search button
  // appears when the search-engine lists have arrived.
  for (auto& made : buttons) {
    if (made->name == "Picture14" || made->name == "Picture8") made->picture.setVisible(false);
  }
  return buttons;
}

// The order in which the background resets the looks, twice for Picture4 and Picture6.
constexpr const char* kBackgroundOrder[] = {
    "Picture28", "Picture27", "Picture26", "Picture241", "Picture24", "Picture3",
    "Picture2",  "Picture4",  "Picture5",  "Picture6",   "Picture4",  "Picture8",
    "Picture6",  "Picture9",  "Picture11", "Picture10",  "Picture14", "Picture15",
    "Picture19", "Picture20", "Picture21", "Picture23"};

bool readable(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return file.good() && file.peek() != std::ifstream::traits_type::eof();
}

}  // namespace

Toolbar::Toolbar(const std::filesystem::path& appFolder, const CommandRegistry& commands)
    : appFolder_(appFolder), commands_(commands), buttons_(makeButtons()) {}

ToolbarButton& Toolbar::button(const std::string& name) {
  for (auto& button : buttons_) {
    if (button->name == name) return *button;
  }
  throw std::out_of_range("no toolbar button " + name);
}

void Toolbar::load(ToolbarButton& button, const std::string& look) {
  if (look.empty()) return;
  const std::filesystem::path file = appFolder_ / (look + ".bmp");
  if (readable(file)) button.picture.setPicture(file.string());
}

void Toolbar::run(const std::string& name) {
  commands_.run(name);
}

void Toolbar::MouseMove(const std::string& name) {
  ToolbarButton& over = button(name);
  load(over, over.hover);
  for (const std::string& neighbour : over.neighbours) {
    ToolbarButton& reset = button(neighbour);
    load(reset, reset.normal);
  }
}

void Toolbar::MouseDown(const std::string& name, MouseButton mouse) {
  ToolbarButton& pressed = button(name);
  switch (pressed.kind) {
    case ButtonKind::Clicked:
    case ButtonKind::Launcher:
      if (mouse == MouseButton::Left) load(pressed, pressed.pressed);
      break;
    case ButtonKind::Released:
      load(pressed, pressed.pressed);
      break;
    case ButtonKind::ReleasedWithoutPress:
      break;
  }
}

void Toolbar::MouseUp(const std::string& name, MouseButton mouse) {
  ToolbarButton& released = button(name);
  switch (released.kind) {
    case ButtonKind::Clicked:
      if (mouse == MouseButton::Left) load(released, released.normal);
      break;
    case ButtonKind::Launcher:
      if (mouse != MouseButton::Left) break;
      load(released, released.normal);
      run(name);
      break;
    case ButtonKind::Released:
    case ButtonKind::ReleasedWithoutPress:
      run(name);
      break;
  }
}

void Toolbar::Click(const std::string& name) {
  if (button(name).kind == ButtonKind::Clicked) run(name);
}

void Toolbar::Form_MouseMove() {
  for (const char* name : kBackgroundOrder) {
    ToolbarButton& reset = button(name);
    load(reset, reset.normal);
  }
}

std::vector<std::string> Toolbar::bitmapNames() const {
  std::vector<std::string> names;
  for (const auto& button : buttons_) {
    for (const std::string* look : {&button->normal, &button->hover, &button->pressed}) {
      if (!look->empty()) names.push_back(*look + ".bmp");
    }
  }
  return names;
}

}  // namespace vendaro
