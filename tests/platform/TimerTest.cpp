#include "platform/controls/Timer.h"

#include <gtest/gtest.h>

#include "tests/support/ManualEventLoop.h"

namespace vendaro {
namespace {

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
