#include "io/print/table_document.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "io/files/save_file.h"

namespace tarnvel {

namespace {

// Rows measured for the column widths: enough to meet the widest names and
// stations of a table, few enough that a million rows cost nothing.
constexpr qsizetype kMeasuredRows = 500;
constexpr double kBodyPoints = 9;
constexpr double kSmallestPoints = 5;
constexpr double kTitlePoints = 14;

QFont BodyFont(double points) {
  QFont font(QStringLiteral("Noto Sans CJK SC"));
  font.setPointSizeF(points);
  return font;
}

// Natural widths of the columns at `points`, in the device's pixels.
std::vector<double> ColumnWidths(const TableDocument& d, const std::vector<QStringList>& sample,
                                 double points, QPaintDevice& device) {
  const QFontMetricsF metrics(BodyFont(points), &device);
  std::vector<double> widths(static_cast<size_t>(d.header.size()), 0);
  const double padding = metrics.averageCharWidth() * 1.5;
  auto measure = [&](const QStringList& cells) {
    for (qsizetype c = 0; c < cells.size() && c < d.header.size(); ++c)
      widths[static_cast<size_t>(c)] =
          std::max(widths[static_cast<size_t>(c)], metrics.horizontalAdvance(cells[c]) + padding);
  };
  measure(d.header);
  for (const QStringList& cells : sample) measure(cells);
  return widths;
}

bool LooksNumeric(const QString& cell) {
  return !cell.isEmpty() && (cell[0].isDigit() || cell[0] == u'-' || cell[0] == u'+');
}

}  // namespace

int PaintTableDocument(QPagedPaintDevice& device, const TableDocument& d) {
  std::vector<QStringList> sample;
  for (qsizetype i = 0; i < std::min(d.rowCount, kMeasuredRows); ++i) sample.push_back(d.row(i));

  device.setPageSize(QPageSize(QPageSize::A4));
  device.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
  auto fits = [&](double points) {
    const auto widths = ColumnWidths(d, sample, points, device);
    return std::accumulate(widths.begin(), widths.end(), 0.0) <= device.width();
  };
  if (!fits(kBodyPoints)) device.setPageOrientation(QPageLayout::Landscape);
  double points = kBodyPoints;
  while (points > kSmallestPoints && !fits(points)) points -= 0.5;
  std::vector<double> widths = ColumnWidths(d, sample, points, device);
  const double total = std::accumulate(widths.begin(), widths.end(), 0.0);
  // Whatever room is left is shared out, so the table spans the page.
  for (double& w : widths) w *= device.width() / total;

  QPainter painter(&device);
  const QFont body = BodyFont(points);
  QFont title = BodyFont(kTitlePoints);
  title.setBold(true);
  const QFontMetricsF bodyMetrics(body, &device);
  const QFontMetricsF titleMetrics(title, &device);
  const double rowHeight = bodyMetrics.height() * 1.4;
  const double top = titleMetrics.height() * 1.5 + rowHeight * d.notes.size() + rowHeight;
  const double bottom = device.height() - rowHeight * 1.5;
  const qsizetype perPage = std::max<qsizetype>(1, std::floor((bottom - top) / rowHeight));
  const int pages = static_cast<int>(std::max<qsizetype>(1, (d.rowCount + perPage - 1) / perPage));
  const double width = device.width();
  const QPen thin(Qt::black, std::max(1.0, device.logicalDpiX() / 300.0));

  auto paintCells = [&](const QStringList& cells, double y, bool header) {
    double x = 0;
    for (qsizetype c = 0; c < d.header.size(); ++c) {
      const double w = widths[static_cast<size_t>(c)];
      const QString text = c < cells.size() ? cells[c] : QString();
      const QRectF cell(x + bodyMetrics.averageCharWidth() * 0.5, y,
                        w - bodyMetrics.averageCharWidth(), rowHeight);
      const Qt::Alignment align = header               ? Qt::AlignHCenter
                                  : LooksNumeric(text) ? Qt::AlignRight
                                                       : Qt::AlignLeft;
      painter.drawText(cell, static_cast<int>(align | Qt::AlignVCenter), text);
      x += w;
    }
  };

  qsizetype next = 0;
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) device.newPage();
    painter.setPen(thin);
    painter.setFont(title);
    painter.drawText(QRectF(0, 0, width, titleMetrics.height() * 1.5), Qt::AlignCenter, d.title);
    painter.setFont(body);
    double y = titleMetrics.height() * 1.5;
    for (const QString& note : d.notes) {
      painter.drawText(QRectF(0, y, width, rowHeight), Qt::AlignLeft | Qt::AlignVCenter, note);
      y += rowHeight;
    }
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    paintCells(d.header, y, true);
    y += rowHeight;
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    for (qsizetype n = 0; n < perPage && next < d.rowCount; ++n, ++next) {
      paintCells(next < static_cast<qsizetype>(sample.size()) ? sample[static_cast<size_t>(next)]
                                                              : d.row(next),
                 y, false);
      y += rowHeight;
    }
    painter.drawLine(QPointF(0, y), QPointF(width, y));
    painter.drawText(QRectF(0, bottom, width, rowHeight * 1.5), Qt::AlignCenter,
                     QStringLiteral("第 %1 页  共 %2 页").arg(page).arg(pages));
  }
  return pages;
}

QByteArray TablePdfBytes(const TableDocument& document) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    writer.setTitle(document.title);
    writer.setCreator(QStringLiteral("Tarnvel"));
    PaintTableDocument(writer, document);
  }
  return buffer.data();
}

std::optional<FileRefusal> SaveTablePdf(const QString& path, const TableDocument& document) {
  return SaveFileBytes(path, TablePdfBytes(document));
}

}  // namespace tarnvel
