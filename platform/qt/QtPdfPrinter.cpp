#include "platform/qt/QtPdfPrinter.h"

#include <QBuffer>
#include <QDateTime>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QUuid>
#include <algorithm>

namespace vendaro {
namespace {

constexpr double kMargin = 50;      // points
constexpr double kCellPadding = 6;  // between table columns
constexpr const char* kFamily = "DejaVu Sans";

QString qText(const std::string& text) {
  return QString::fromStdString(text);
}

QFont fontOf(double points, bool bold = false) {
  QFont font(kFamily);
  font.setPointSizeF(points);
  font.setBold(bold);
  // Without ligatures: "fi" is copied from the PDF as "fi", not as one sign.
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

// The document's creation time, or the start of 1970 when it has none.
QDateTime createdOf(const PrintedDocument& document) {
  QDateTime created = QDateTime::fromString(qText(document.created), Qt::ISODate);
  if (!created.isValid()) created = QDateTime::fromSecsSinceEpoch(0, Qt::UTC);
  return created.toUTC();
}

QByteArray xmpMetadata(const PrintedDocument& document) {
  const QString id =
      QUuid::createUuidV5(QUuid(), qText(document.documentId)).toString(QUuid::WithoutBraces);
  const QString created = createdOf(document).toString(Qt::ISODate);
  const QString xmp = QStringLiteral(
                          "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>"
                          "<x:xmpmeta xmlns:x='adobe:ns:meta/'>"
                          "<rdf:RDF xmlns:rdf='http://www.w3.org/1999/02/22-rdf-syntax-ns#'>"
                          "<rdf:Description rdf:about='' "
                          "xmlns:dc='http://purl.org/dc/elements/1.1/' "
                          "xmlns:xmp='http://ns.adobe.com/xap/1.0/' "
                          "xmlns:xmpMM='http://ns.adobe.com/xap/1.0/mm/'>"
                          "<dc:title><rdf:Alt><rdf:li xml:lang='x-default'>%1</rdf:li></rdf:Alt>"
                          "</dc:title><xmp:CreateDate>%2</xmp:CreateDate>"
                          "<xmp:CreatorTool>Vendaro</xmp:CreatorTool>"
                          "<xmpMM:DocumentID>uuid:%3</xmpMM:DocumentID>"
                          "<xmpMM:InstanceID>uuid:%3</xmpMM:InstanceID>"
                          "</rdf:Description></rdf:RDF></x:xmpmeta><?xpacket end='w'?>")
                          .arg(qText(document.title).toHtmlEscaped(), created, id);
  return xmp.toUtf8();
}

// Qt writes the clock's time as the info dictionary's creation date, "D:"
// and 14 digits followed by "Z" or an offset "+01'00'". It is replaced by the
// document's time in a text of the same length, so no offset in the file moves.
void setCreationDate(QByteArray& pdf, const PrintedDocument& document) {
  const QByteArray key = "/CreationDate (";
  const qsizetype start = pdf.indexOf(key);
  if (start < 0) return;
  const qsizetype from = start + key.size();
  const qsizetype end = pdf.indexOf(')', from);
  if (end < 0) return;
  QByteArray date = "D:" + createdOf(document).toString("yyyyMMddHHmmss").toLatin1();
  date += end - from == date.size() + 1 ? QByteArray("Z") : QByteArray("+00'00'");
  if (date.size() == end - from) pdf.replace(from, date.size(), date);
}

// Lays out the pages on one painter; `y` runs down the page in points.
class PageLayout {
 public:
  PageLayout(QPdfWriter& writer, QPainter& painter, const PrintedDocument& document)
      : writer_(writer), painter_(painter), document_(document) {
    const QSizeF size = writer.pageLayout().fullRect(QPageLayout::Point).size();
    width_ = size.width();
    height_ = size.height();
  }

  void draw() {
    drawHeading();
    drawAddresses();
    drawTable();
    drawTotals();
    drawNotes();
  }

 private:
  double right() const { return width_ - kMargin; }
  double bottom() const { return height_ - kMargin; }
  double textWidth() const { return width_ - 2 * kMargin; }

  // Height of `text` wrapped in `width`.
  double heightOf(const QString& text, const QFont& font, double width) const {
    return QFontMetricsF(font, &writer_)
        .boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, text)
        .height();
  }

  double drawText(double x, double y, double width, const QString& text, const QFont& font,
                  Qt::Alignment align = Qt::AlignLeft) {
    painter_.setFont(font);
    const double height = heightOf(text, font, width);
    painter_.drawText(QRectF(x, y, width, height), int(align | Qt::AlignTop | Qt::TextWordWrap),
                      text);
    return height;
  }

  void newPage() {
    writer_.newPage();
    y_ = kMargin;
  }

  void needRoom(double height) {
    if (y_ + height > bottom()) newPage();
  }

  void drawHeading() {
    double senderY = kMargin;
    for (std::size_t i = 0; i < document_.sender.size(); ++i) {
      senderY += drawText(kMargin, senderY, textWidth(), qText(document_.sender[i]),
                          fontOf(i == 0 ? 11 : 9, i == 0), Qt::AlignRight);
    }
    double y = kMargin + drawText(kMargin, kMargin, textWidth() / 2, qText(document_.title),
                                  fontOf(20, true));
    y += 8;
    const QFont label = fontOf(9, true);
    const QFont value = fontOf(9);
    const double labelWidth = 110;
    for (const auto& fact : document_.facts) {
      drawText(kMargin, y, labelWidth, qText(fact.label), label);
      y +=
          drawText(kMargin + labelWidth, y, textWidth() / 2 - labelWidth, qText(fact.value), value);
    }
    y_ = std::max(y, senderY) + 20;
  }

  void drawAddresses() {
    if (document_.addresses.empty()) return;
    const double width = textWidth() / double(document_.addresses.size());
    double tallest = 0;
    for (std::size_t i = 0; i < document_.addresses.size(); ++i) {
      const auto& block = document_.addresses[i];
      const double x = kMargin + width * double(i);
      double y = y_ + drawText(x, y_, width - 10, qText(block.heading), fontOf(9, true));
      for (const std::string& line : block.lines) {
        y += drawText(x, y, width - 10, qText(line), fontOf(10));
      }
      tallest = std::max(tallest, y - y_);
    }
    y_ += tallest + 20;
  }

  // Every column but the first is as wide as its widest text; the first
  // takes the rest and wraps.
  std::vector<double> columnWidths() const {
    const std::size_t count = document_.columns.size();
    std::vector<double> widths(count, 0);
    const QFontMetricsF heading(fontOf(9, true), &writer_);
    const QFontMetricsF cell(fontOf(9), &writer_);
    for (std::size_t c = 1; c < count; ++c) {
      widths[c] = heading.horizontalAdvance(qText(document_.columns[c].heading));
      for (const auto& row : document_.rows) {
        if (c < row.size()) widths[c] = std::max(widths[c], cell.horizontalAdvance(qText(row[c])));
      }
      widths[c] = std::min(widths[c] + 2 * kCellPadding, textWidth() / double(count));
    }
    double rest = textWidth();
    for (std::size_t c = 1; c < count; ++c) rest -= widths[c];
    if (count > 0) widths[0] = rest;
    return widths;
  }

  double drawRow(const std::vector<std::string>& cells, const std::vector<double>& widths,
                 const QFont& font, bool measureOnly) {
    double height = 0;
    double x = kMargin;
    for (std::size_t c = 0; c < widths.size(); ++c) {
      const QString text = c < cells.size() ? qText(cells[c]) : QString();
      const bool rightAligned = document_.columns[c].align == PrintedDocument::Align::Right;
      const double inner = widths[c] - 2 * kCellPadding;
      height =
          std::max(height, measureOnly ? heightOf(text, font, inner)
                                       : drawText(x + kCellPadding, y_, inner, text, font,
                                                  rightAligned ? Qt::AlignRight : Qt::AlignLeft));
      x += widths[c];
    }
    return height + 4;
  }

  void drawTableHeading(const std::vector<double>& widths) {
    std::vector<std::string> headings;
    for (const auto& column : document_.columns) headings.push_back(column.heading);
    y_ += drawRow(headings, widths, fontOf(9, true), false);
    painter_.drawLine(QPointF(kMargin, y_), QPointF(right(), y_));
    y_ += 4;
  }

  void drawTable() {
    if (document_.columns.empty()) return;
    const std::vector<double> widths = columnWidths();
    const QFont font = fontOf(9);
    needRoom(40);
    drawTableHeading(widths);
    for (const auto& row : document_.rows) {
      if (y_ + drawRow(row, widths, font, true) > bottom()) {
        newPage();
        drawTableHeading(widths);
      }
      y_ += drawRow(row, widths, font, false);
    }
    painter_.drawLine(QPointF(kMargin, y_), QPointF(right(), y_));
    y_ += 8;
  }

  void drawTotals() {
    const double valueWidth = 100;
    const double labelX = right() - valueWidth - 200;
    for (std::size_t i = 0; i < document_.totals.size(); ++i) {
      const bool last = i + 1 == document_.totals.size();
      const QFont font = fontOf(last ? 10 : 9, last);
      needRoom(16);
      const auto& total = document_.totals[i];
      drawText(labelX, y_, 200 - kCellPadding, qText(total.label), font, Qt::AlignRight);
      y_ += drawText(right() - valueWidth, y_, valueWidth - kCellPadding, qText(total.value), font,
                     Qt::AlignRight) +
            2;
    }
    y_ += 16;
  }

  void drawNotes() {
    for (const std::string& note : document_.notes) {
      const QString text = qText(note);
      const double height = heightOf(text, fontOf(9), textWidth());
      needRoom(height);
      y_ += drawText(kMargin, y_, textWidth(), text, fontOf(9)) + 6;
    }
  }

  QPdfWriter& writer_;
  QPainter& painter_;
  const PrintedDocument& document_;
  double width_ = 0;
  double height_ = 0;
  double y_ = kMargin;
};

QByteArray pdfBytes(const PrintedDocument& document) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(72);  // painter units are points
    writer.setPageLayout(QPageLayout(
        QPageSize(document.paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4),
        QPageLayout::Portrait, QMarginsF(), QPageLayout::Point));
    writer.setTitle(qText(document.title));
    writer.setCreator("Vendaro");
    writer.setDocumentXmpMetadata(xmpMetadata(document));
    QPainter painter;
    if (!painter.begin(&writer)) throw PrintError("cannot start the PDF writer");
    PageLayout(writer, painter, document).draw();
    painter.end();
  }
  QByteArray pdf = buffer.data();
  setCreationDate(pdf, document);
  return pdf;
}

}  // namespace

void QtPdfPrinter::print(const PrintedDocument& document, const std::filesystem::path& file) {
  const QByteArray pdf = pdfBytes(document);
  QSaveFile out(QString::fromStdString(file.string()));
  if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size() || !out.commit()) {
    throw PrintError("cannot write " + file.string() + ": " + out.errorString().toStdString());
  }
}

}  // namespace vendaro
