#include "platform/qt/QtPdfProgram.h"

#include <QGuiApplication>
#include <QHashSeed>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <iterator>
#include <string>

#include "platform/qt/QtPdfPrinter.h"

namespace vendaro {
namespace {

constexpr int kFailed = 2;

// Qt's notes about the session (no runtime folder, no display) are no news
// to a merchant printing an invoice; its errors still are.
void quietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::cerr << "vendaro-pdf: " << message.toStdString() << "\n";
  }
}

}  // namespace

int runPdfProgram(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: vendaro-pdf FILE < document\n";
    return kFailed;
  }
  // The creation date Qt writes keeps one form whatever the merchant's zone.
  ::setenv("TZ", "UTC", 1);
  ::tzset();
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  // Qt writes the fonts in the order of a hash table; a fixed seed fixes
  // that order, so the same document gives the same bytes.
  QHashSeed::setDeterministicGlobalSeed();
  qInstallMessageHandler(quietMessages);
  QGuiApplication application(argc, argv);
  const std::string text((std::istreambuf_iterator<char>(std::cin)),
                         std::istreambuf_iterator<char>());
  try {
    QtPdfPrinter().print(readPrintedDocument(text), argv[1]);
  } catch (const DocumentFormatError& error) {
    std::cerr << "the document to print is damaged: " << error.what() << "\n";
    return kFailed;
  } catch (const PrintError& error) {
    std::cerr << error.what() << "\n";
    return kFailed;
  }
  return 0;
}

}  // namespace vendaro
