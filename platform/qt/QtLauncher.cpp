#include "platform/qt/QtLauncher.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>

namespace vendaro {

bool QtLauncher::start(const std::string& program, const std::vector<std::string>& arguments) {
  QStringList command = QProcess::splitCommand(QString::fromStdString(program));
  if (command.isEmpty()) return false;
  const QString executable = command.takeFirst();
  for (const auto& argument : arguments) command << QString::fromStdString(argument);
  return QProcess::startDetached(executable, command);
}

bool QtLauncher::available(const std::string& program) const {
  return !QStandardPaths::findExecutable(QString::fromStdString(program)).isEmpty();
}

}  // namespace vendaro
