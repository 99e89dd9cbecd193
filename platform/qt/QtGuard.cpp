#include "platform/qt/QtGuard.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <iostream>

namespace vendaro {

void reportCommandError(const std::string& description) noexcept {
  try {
    const std::string text = "The command stopped: " + description;
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
      QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Vendaro"),
                            QString::fromStdString(text));
    } else {
      std::cerr << "vendaro: " << text << "\n";
    }
  } catch (...) {
    // Nothing is left to report with.
  }
}

void runGuarded(const std::function<void()>& handler) noexcept {
  if (!handler) return;
  try {
    handler();
  } catch (const std::exception& error) {
    reportCommandError(error.what());
  } catch (...) {
    reportCommandError("an unknown error");
  }
}

}  // namespace vendaro
