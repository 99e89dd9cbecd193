#include "platform/ToolWindows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CommandRegistry.h"

namespace vendaro {
namespace {

// Records what the registry asks of the windows.
struct WindowLog {
  std::vector<std::string> calls;

  ToolWindows::Window window(const std::string& name) {
    return {[this, name] { calls.push_back("open " + name); },
            [this, name] { calls.push_back("front " + name); },
            [this, name] { calls.push_back("close " + name); }};
  }
};

TEST(ToolWindowsTest, OpensOnceBringsForwardClosesOnlyOpenWindowsAndOpensAgainAfterClosing) {
  WindowLog log;
  ToolWindows windows;
  windows.add("Wizard1", log.window("Wizard1"));
  windows.add("frmOrders", log.window("frmOrders"));
  windows.close("Wizard1");  // not open: nothing to close
  windows.show("Wizard1");
  windows.show("frmOrders");
  windows.show("frmOrders");
  windows.close("Wizard1");
  EXPECT_FALSE(windows.isOpen("Wizard1"));
  EXPECT_TRUE(windows.isOpen("frmOrders"));
  // Closed by the user: the next show makes a new window.
  windows.closed("frmOrders");
  windows.show("frmOrders");
  // Unknown forms are ignored.
  windows.show("Form2");
  windows.close("Form3");
  windows.closed("Form2");
  EXPECT_FALSE(windows.isOpen("Form2"));
  EXPECT_EQ(log.calls,
            (std::vector<std::string>{"open Wizard1", "open frmOrders", "front frmOrders",
                                      "close Wizard1", "open frmOrders"}));
}

// Two entries wired to one name would leave one of them dead without a word.
TEST(CommandRegistryTest, ANameRegisteredTwiceIsRefused) {
  CommandRegistry commands;
  int runs = 0;
  commands.add("home", [&runs] { ++runs; });
  EXPECT_THROW(commands.add("home", [] {}), std::logic_error);
  EXPECT_TRUE(commands.run("home"));
  EXPECT_EQ(runs, 1);
  EXPECT_FALSE(commands.run("nobody"));
  // Taking over an entry is said so; there must be one to take over.
  commands.replace("home", [&runs] { runs += 10; });
  EXPECT_TRUE(commands.run("home"));
  EXPECT_EQ(runs, 11);
  EXPECT_THROW(commands.replace("nobody", [] {}), std::logic_error);
}

}  // namespace
}  // namespace vendaro
