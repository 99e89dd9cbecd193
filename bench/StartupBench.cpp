// Times the workbench start-up with a large private history: from creating
// the workbench until its window is exposed on the offscreen platform, and
// the close that writes the lists back. The vendor site is a closed local
// port, so nothing leaves the machine.
// Usage: startup_bench [PRIVATE_HISTORY_ENTRIES]   (default 1000000)
#include <QApplication>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/GuiEnvironment.h"
#include "app/WorkbenchView.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// A list file of `count` distinct host names of about 50 bytes each.
std::uintmax_t writeHistory(const std::filesystem::path& file, int count) {
  std::ofstream out(file, std::ios::binary);
  out << '"';
  for (int i = 0; i < count; ++i) out << "www.site-" << i << ".private-history.example.com\r\n";
  out << "\"\r\n";
  out.close();
  return std::filesystem::file_size(file);
}

}  // namespace

int main(int argc, char** argv) {
  const int entries = argc > 1 ? std::atoi(argv[1]) : 1000000;
  char pattern[] = "/tmp/vendaro-startup-XXXXXX";
  const std::filesystem::path folder = ::mkdtemp(pattern);
  const auto bytes = writeHistory(folder / "domain.prv", entries);

  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking", 0);
  vendaro::prepareWebEngineEnvironment();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  int argumentCount = 1;
  QApplication application(argumentCount, argv);

  vendaro::AppContext context;
  context.folder = folder;
  context.vendor.baseUrl = "http://127.0.0.1:9";
  const auto start = Clock::now();
  int loaded = 0;
  double shown = 0;
  double listsRead = 0;
  double closed = 0;
  {
    vendaro::WorkbenchView workbench(context);
    const auto loading = Clock::now();
    workbench.form().Form_Load();
    listsRead = secondsSince(loading);
    workbench.window()->show();
    while (workbench.window()->windowHandle() == nullptr ||
           !workbench.window()->windowHandle()->isExposed()) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    shown = secondsSince(start);
    loaded = workbench.form().saved.domain.ListCount();
    const auto closing = Clock::now();
    workbench.window()->close();
    closed = secondsSince(closing);
    workbench.finish();
  }
  std::printf(
      "start-up with %d private-history entries (%.1f MB): window shown after %.2f s, "
      "of which reading the lists %.2f s (%d entries loaded); close wrote them back in %.2f s\n",
      entries, static_cast<double>(bytes) / 1e6, shown, listsRead, loaded, closed);
  std::filesystem::remove_all(folder);
  return loaded == entries ? 0 : 1;
}
