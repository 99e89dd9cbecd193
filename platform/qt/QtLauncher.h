#pragma once

#include "platform/Launcher.h"

namespace vendaro {

// Starts outside programs as detached processes. The program text may carry
// arguments of its own ("gnome-calculator --mode=basic"); they come first.
class QtLauncher : public Launcher {
 public:
  bool start(const std::string& program, const std::vector<std::string>& arguments) override;
  bool available(const std::string& program) const override;
};

}  // namespace vendaro
