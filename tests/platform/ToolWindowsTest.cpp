#include "platform/ToolWindows.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CommandRegistry.h"
#include "platform/controls/ListControl.h"
#include "platform/controls/Timer.h"
#include "tests/support/ManualEventLoop.h"

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

TEST(ListControl, InsertAndRemoveKeepTheSelectionOnItsEntry) {
  ListControl list;
  list.AddItem("b");
  list.AddItem("a", 0);
  list.AddItem("c");
  list.setListIndex(1);  // "b"
  EXPECT_EQ(list.Text(), "b");
  list.AddItem("first", 0);
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  EXPECT_EQ(list.items(), (std::vector<std::string>{"a", "c"}));
  EXPECT_EQ(list.List(7), "");
}

TEST(ListControl, BadIndexesThrowLikeTheControl) {
  ListControl list;
  list.AddItem("only");
  EXPECT_THROW(list.RemoveItem(1), std::out_of_range);
  EXPECT_THROW(list.AddItem("x", 3), std::out_of_range);
  EXPECT_THROW(list.setListIndex(1), std::out_of_range);
  EXPECT_NO_THROW(list.setListIndex(-1));
}

TEST(ListControl, TellsListenersAboutChanges) {
  ListControl list;
  int changes = 0;
  auto id = list.addListener([&] { ++changes; });
  list.AddItem("x");
  list.setText("typed");
  list.setText("typed");  // no change, no notice
  list.Clear();
  EXPECT_EQ(changes, 3);
  list.removeListener(id);
  list.AddItem("y");
  EXPECT_EQ(changes, 3);
}

TEST(Timer, TicksEveryIntervalWhileEnabled) {
  ManualEventLoop loop;
  Timer timer(loop, 30000);
  int ticks = 0;
  timer.onTimer = [&] { ++ticks; };
  loop.advance(29999);
  EXPECT_EQ(ticks, 0);
  loop.advance(1);
  EXPECT_EQ(ticks, 1);
  loop.advance(60000);
  EXPECT_EQ(ticks, 3);
}

TEST(Timer, SettingEnabledOrIntervalRestartsTheCountdown) {
  ManualEventLoop loop;
  Timer timer(loop, 100, false);
  int ticks = 0;
  timer.onTimer = [&] { ++ticks; };
  loop.advance(500);
  EXPECT_EQ(ticks, 0);
  timer.setEnabled(true);
  loop.advance(60);
  timer.setInterval(100);  // restarts: next tick at 160
  loop.advance(60);
  EXPECT_EQ(ticks, 0);
  loop.advance(40);
  EXPECT_EQ(ticks, 1);
  timer.setInterval(0);  // an interval of 0 stops the timer
  loop.advance(1000);
  EXPECT_EQ(ticks, 1);
}

TEST(Timer, AHandlerThatDisablesTheTimerOrItsDestructionStopsIt) {
  ManualEventLoop loop;
  int ticks = 0;
  {
    Timer timer(loop, 100);
    timer.onTimer = [&] {
      ++ticks;
      timer.setEnabled(false);
    };
    loop.advance(1000);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(loop.pendingCount(), 0u);
    timer.setEnabled(true);
  }
  loop.advance(1000);  // a destroyed timer does not tick
  EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace vendaro
