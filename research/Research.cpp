#include "research/Research.h"

#include <exception>

namespace vendaro {
namespace {

// Runs one step of the stop command, whose errors are ignored.
template <typename Step>
void ignoringErrors(Step step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}

}  // namespace

Research::Research(const ResearchPorts& ports, Dialogs& dialogs, EventLoop& loop)
    : links(ports, loop),
      reader(ports, dialogs, loop, flags, links.Command1),
      search(ports, dialogs, loop, flags),
      lists_(ports.lists) {
  search.onReportWanted = [this] { reader.viewreport_Click(); };
  search.readerStep = [this] { reader.ReadNextPage(); };
}

void Research::stopCommand() {
  lists_.linksGathered = false;
  search.cancelFetches();
  ignoringErrors([this] { stop(); });
}

void Research::stop() {
  links.stop();
  search.stop();
  reader.stop();
}

}  // namespace vendaro
