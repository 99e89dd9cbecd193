// Build tool: draws the default toolbar bitmaps (24 x 24, normal, pointer
// over and pressed looks) from icons of the Breeze theme and writes them as
// a C++ source file, so the program can put any missing bitmap into the
// application folder.
//
//   vendaro_toolbar_bitmaps OUTPUT.cpp ICON_FOLDER normal:hover:pressed=icon.svg ...
//
// `pressed` may be empty when the button has no pressed look.
#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QSvgRenderer>
#include <cstdio>

namespace {

constexpr int kSize = 24;
constexpr int kIconSize = 18;

enum class Look { Normal, Hover, Pressed };

QImage drawLook(QSvgRenderer& icon, Look look) {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(look == Look::Hover ? QColor(0xe8, 0xf0, 0xfb) : QColor(0xd4, 0xd0, 0xc8));
  QPainter painter(&image);
  const int offset = (kSize - kIconSize) / 2 + (look == Look::Pressed ? 1 : 0);
  icon.render(&painter, QRectF(offset, offset, kIconSize, kIconSize));
  if (look != Look::Normal) {
    // A raised frame over the button, a sunken one while it is pressed.
    const QColor light(Qt::white);
    const QColor dark(0x80, 0x80, 0x80);
    const bool raised = look == Look::Hover;
    painter.setPen(raised ? light : dark);
    painter.drawLine(0, 0, kSize - 1, 0);
    painter.drawLine(0, 0, 0, kSize - 1);
    painter.setPen(raised ? dark : light);
    painter.drawLine(kSize - 1, 0, kSize - 1, kSize - 1);
    painter.drawLine(0, kSize - 1, kSize - 1, kSize - 1);
  }
  painter.end();
  return image.convertToFormat(QImage::Format_RGB888);
}

QByteArray bmpBytes(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "BMP");
  return bytes;
}

QByteArray cString(const QByteArray& bytes) {
  QByteArray text;
  for (int i = 0; i < bytes.size(); ++i) {
    if (i % 24 == 0) text += "\n    \"";
    text += QByteArray("\\x") + QByteArray::number(static_cast<unsigned char>(bytes[i]), 16);
    if (i % 24 == 23 || i + 1 == bytes.size()) text += "\"";
  }
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 4) {
    std::fprintf(stderr, "usage: %s OUTPUT.cpp ICON_FOLDER normal:hover:pressed=icon.svg ...\n",
                 argv[0]);
    return 2;
  }
  QByteArray entries;
  for (int i = 3; i < arguments.size(); ++i) {
    const QStringList spec = arguments[i].split(QLatin1Char('='));
    const QStringList names = spec.value(0).split(QLatin1Char(':'));
    QSvgRenderer icon(arguments[2] + QLatin1Char('/') + spec.value(1));
    if (spec.size() != 2 || names.size() != 3 || !icon.isValid()) {
      std::fprintf(stderr, "cannot draw %s\n", qPrintable(arguments[i]));
      return 1;
    }
    const Look looks[] = {Look::Normal, Look::Hover, Look::Pressed};
    for (int look = 0; look < 3; ++look) {
      if (names[look].isEmpty()) continue;
      entries += "    {\"" + names[look].toUtf8() + ".bmp\", std::string_view(" +
                 cString(bmpBytes(drawLook(icon, looks[look]))) + ", " +
                 QByteArray::number(bmpBytes(drawLook(icon, looks[look])).size()) + ")},\n";
    }
  }
  QFile output(arguments[1]);
  if (!output.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 1;
  output.write(
      "// Written by the build (tools/ToolbarBitmaps.cpp) from icons of the Breeze theme\n"
      "// (KDE, LGPL-3.0-or-later).\n"
      "#include \"app/ToolbarBitmaps.h\"\n\n#include <map>\n\nnamespace vendaro {\n\n"
      "std::optional<std::string_view> defaultToolbarBitmap(std::string_view name) {\n"
      "  static const std::map<std::string_view, std::string_view> kBitmaps = {\n" +
      entries +
      "  };\n  const auto found = kBitmaps.find(name);\n"
      "  if (found == kBitmaps.end()) return std::nullopt;\n  return found->second;\n}\n\n"
      "}  // namespace vendaro\n");
  return 0;
}
