// The `vendaro` program. Its headless commands run here without loading Qt
// or the web engine, which would cost a script tens of milliseconds a run;
// without a command it becomes the workbench program, `vendaro-workbench`.
#include "app/ProgramMain.h"
#include "app/WorkbenchProgram.h"

int main(int argc, char** argv) {
  return vendaro::programMain(argc, argv, {nullptr, vendaro::startWorkbenchProgram});
}
