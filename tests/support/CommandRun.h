#pragma once

#include <sstream>
#include <string>

namespace vendaro::testing {

// What a command function returned and wrote to its two streams.
struct CommandRun {
  int code = 0;
  std::string out;
  std::string err;
};

// Calls `command(out, err)` with fresh streams.
template <typename Command>
CommandRun runCommand(Command&& command) {
  std::ostringstream out, err;
  const int code = command(out, err);
  return {code, out.str(), err.str()};
}

}  // namespace vendaro::testing
