// The `vendaro-workbench` program: the workbench window, and every command
// of `vendaro` as well.
#include "app/ProgramMain.h"
#include "app/WorkbenchView.h"

int main(int argc, char** argv) {
  return vendaro::programMain(argc, argv, {vendaro::runWorkbench, nullptr});
}
