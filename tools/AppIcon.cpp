// Build tool: draws the program's icon from an SVG icon of the Breeze theme
// as PNG files in the sizes of the hicolor icon theme.
//
//   vendaro_app_icon ICON.svg OUTPUT_FOLDER SIZE...
//
// writes OUTPUT_FOLDER/{SIZE}x{SIZE}/apps/vendaro.png for each size.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = application.arguments();
  if (arguments.size() < 4) {
    std::fprintf(stderr, "usage: vendaro_app_icon ICON.svg OUTPUT_FOLDER SIZE...\n");
    return 2;
  }
  QSvgRenderer icon(arguments[1]);
  if (!icon.isValid()) {
    std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments[1]));
    return 1;
  }
  for (qsizetype i = 3; i < arguments.size(); ++i) {
    const int size = arguments[i].toInt();
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[2]).arg(size);
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    icon.render(&painter);
    painter.end();
    if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/vendaro.png"))) {
      std::fprintf(stderr, "cannot write the icon into %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
