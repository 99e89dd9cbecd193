#include "research/Research.h"

namespace vendaro {

Research::Research(MainWindowControls& main, Dialogs& dialogs, EventLoop& loop)
    : links(main, loop),
      reader(main, dialogs, loop, flags, links.Command1),
      search(main, dialogs, loop, flags) {
  search.onReportWanted = [this] { reader.viewreport_Click(); };
  search.readerStep = [this] { reader.ReadNextPage(); };
}

void Research::stop() {
  links.stop();
  search.stop();
  reader.stop();
}

}  // namespace vendaro
