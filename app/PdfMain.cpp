// The PDF printing program `vendaro-pdf`, run by the headless commands that
// print (invoices, packing slips, credit notes), so that `vendaro` itself
// never loads Qt.
#include "platform/qt/QtPdfProgram.h"

int main(int argc, char** argv) {
  return vendaro::runPdfProgram(argc, argv);
}
