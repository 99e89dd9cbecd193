#pragma once

#include <unistd.h>

#include <QUrl>
#include <QtTest>
#include <QtWidgets>
#include <csignal>
#include <filesystem>
#include <string>

namespace vendaro {

constexpr int kPageLoadTimeoutMs = 30000;

inline std::string fileAddress(const std::filesystem::path& path) {
  return QUrl::fromLocalFile(QString::fromStdString(path.string())).toString().toStdString();
}

namespace testing {

// Ends the whole test process when it runs longer than its time allowance,
// so a web engine that hangs cannot stop a CI run.
inline void startWatchdog() {
  std::signal(SIGALRM, [](int) {
    static const char message[] = "Watchdog: the test ran too long and was stopped.\n";
    [[maybe_unused]] const auto written = ::write(STDERR_FILENO, message, sizeof message - 1);
    ::_exit(124);
  });
  ::alarm(VENDARO_WATCHDOG_SECONDS);
}

// The watchdog, and the shared GL contexts web panes need, set before the application starts.
inline void startWebGuiTest() {
  startWatchdog();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

}  // namespace testing
}  // namespace vendaro
