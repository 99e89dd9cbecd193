// The vendaro program as a script runs it: what reaches the terminal and
// what happens when its output cannot be written.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/ProgramRun.h"
#include "tests/support/TempFolder.h"

namespace vendaro {
namespace {

using testing::ProgramResult;
using testing::runProgram;

const std::string kVendaro = VENDARO_BIN_PATH;

TEST(ProgramOutputTest, UnwritableOutputFailsAndControlCharactersShowEscaped) {
  testing::TempFolder scratch;
  ProgramResult result =
      runProgram({"/bin/sh", "-c", "exec \"$0\" --help >/dev/full", kVendaro}, {}, scratch.path());
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.err, "vendaro: the output could not be written: No space left on device\n");

  // A refused settings value is echoed with its terminal title sequence
  // shown, not run.
  scratch.write("vendaro.toml", "[vendor]\nbase_url = \"http://x\\u001b]0;owned\\u0007\"\n");
  result = runProgram({kVendaro, "orders", "--app-folder", scratch.path().string()}, {},
                      scratch.path());
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.err.find("\"http://x\\x1b]0;owned\\x07\""), std::string::npos) << result.err;
  EXPECT_EQ(result.err.find('\x1b'), std::string::npos);
}

}  // namespace
}  // namespace vendaro
