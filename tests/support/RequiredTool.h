#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

namespace vendaro::testing {

// True in CI (CI set, and not "false" or "0"), where every server and browser
// the tests use is installed by scripts/install-deps.
inline bool runningInCi() {
  const char* value = std::getenv("CI");
  if (!value) return false;
  const std::string_view text(value);
  return !text.empty() && text != "false" && text != "0";
}

}  // namespace vendaro::testing

// Skips the test when a tool it needs is missing, or fails it in CI, where a
// missing tool is a broken installation that must not pass as skipped tests.
#define VENDARO_REQUIRE_TOOL(available, what)                  \
  do {                                                         \
    if (!(available)) {                                        \
      if (::vendaro::testing::runningInCi()) FAIL() << (what); \
      GTEST_SKIP() << (what);                                  \
    }                                                          \
  } while (false)
