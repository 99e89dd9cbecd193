#include "app/WorkbenchProgram.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "common/CommandLine.h"

namespace vendaro {

int startWorkbenchProgram(int, char** argv) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    std::cerr << "vendaro: cannot find the workbench program: " << error.message() << "\n";
    return kExitError;
  }
  const std::filesystem::path folder = self.parent_path();
  for (const std::filesystem::path& program :
       {folder / kWorkbenchProgram, folder / kWorkbenchProgramFolder / kWorkbenchProgram}) {
    ::execv(program.c_str(), argv);
    if (errno != ENOENT) {
      std::cerr << "vendaro: cannot start " << program.string() << ": " << std::strerror(errno)
                << "\n";
      return kExitError;
    }
  }
  std::cerr << "vendaro: the workbench program " << kWorkbenchProgram << " is missing next to "
            << self.string() << "\n";
  return kExitError;
}

}  // namespace vendaro
