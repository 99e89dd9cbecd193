#pragma once

#include <string>
#include <vector>

namespace vendaro {

// Starts an outside program without waiting for it.
class Launcher {
 public:
  virtual ~Launcher() = default;
  // Returns false when the program could not be started.
  virtual bool start(const std::string& program, const std::vector<std::string>& arguments) = 0;
  // Whether `program` is installed (found on the search path).
  virtual bool available(const std::string& program) const = 0;
};

}  // namespace vendaro
