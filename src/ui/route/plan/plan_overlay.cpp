#include "ui/route/plan/plan_overlay.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/text/number_text.h"
#include "ui/route/elements/route_element_model.h"
#include "ui/route/plan/plan_symbols.h"

namespace tarnvel {

namespace {

QString Metres(double m) {
  return QString::fromStdString(GeneralText(m)) + QStringLiteral(" m");
}

}  // namespace

// The legend's seven entries, a line each, and the ground's outline's.
constexpr int kLegendEntries = 7;

QRect LegendRect(const QFontMetrics& metrics, bool groundOutline) {
  const int line = metrics.height() + 2;
  int widest = metrics.horizontalAdvance(QStringLiteral("接头 ") + StatusText(false));
  if (groundOutline)
    widest = std::max(widest, metrics.horizontalAdvance(QStringLiteral("地面模型边界")));
  return QRect(8, 8, 44 + widest + 8, line * (kLegendEntries + (groundOutline ? 1 : 0)) + 8);
}

void DrawLegend(QPainter& painter, bool groundOutline) {
  enum Symbol { kLine, kJoint, kCross, kRing };
  struct Entry {
    QColor colour;
    QString text;
    Symbol symbol;
  };
  const Entry entries[] = {{kStraightColour, QStringLiteral("直线"), kLine},
                           {kArcColour, QStringLiteral("圆曲线"), kLine},
                           {kSpiralColour, QStringLiteral("缓和曲线"), kLine},
                           {kJointColour, QStringLiteral("接头 ") + StatusText(true), kJoint},
                           {kBadJointColour, QStringLiteral("接头 ") + StatusText(false), kJoint},
                           {kStakeoutColour, QStringLiteral("桩点"), kCross},
                           {kInverseColour, QStringLiteral("反算点"), kRing}};
  static_assert(std::size(entries) == kLegendEntries);
  const QFontMetrics metrics = painter.fontMetrics();
  const int line = metrics.height() + 2;
  const QRect box = LegendRect(metrics, groundOutline);
  painter.setPen(QPen(QColor(160, 160, 160), 1));
  painter.setBrush(QColor(255, 255, 255, 220));
  painter.drawRect(box);
  int y = box.top() + 4 + line / 2;
  for (const Entry& entry : entries) {
    if (entry.symbol == kJoint) {
      painter.setPen(QPen(entry.colour, 1.5));
      painter.setBrush(entry.colour == kBadJointColour ? QBrush(entry.colour) : QBrush(Qt::white));
      painter.drawEllipse(QPointF(box.left() + 20, y), 4, 4);
    } else if (entry.symbol != kLine) {
      painter.setPen(QPen(entry.colour, 1));
      painter.setBrush(Qt::NoBrush);
      DrawMarker(painter, entry.symbol == kCross ? MarkerShape::Cross : MarkerShape::Ring,
                 QPointF(box.left() + 20, y));
    } else {
      painter.setPen(QPen(entry.colour, 3));
      painter.drawLine(box.left() + 8, y, box.left() + 34, y);
    }
    painter.setPen(Qt::black);
    painter.drawText(box.left() + 42, y + metrics.ascent() / 2 - 1, entry.text);
    y += line;
  }
  if (!groundOutline) return;
  painter.setPen(QPen(kGroundOutlineColour, 1));
  painter.drawLine(box.left() + 8, y, box.left() + 34, y);
  painter.setPen(Qt::black);
  painter.drawText(box.left() + 42, y + metrics.ascent() / 2 - 1, QStringLiteral("地面模型边界"));
}

void DrawNorthArrow(QPainter& painter, int width) {
  const QPointF tip(width - 28, 12);
  QPainterPath arrow(tip);
  arrow.lineTo(tip + QPointF(9, 30));
  arrow.lineTo(tip + QPointF(0, 23));
  arrow.lineTo(tip + QPointF(-9, 30));
  arrow.closeSubpath();
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::black);
  painter.drawPath(arrow);
  painter.drawText(QRectF(tip.x() - 10, tip.y() + 31, 20, 18), Qt::AlignCenter,
                   QStringLiteral("N"));
}

void DrawScaleBar(QPainter& painter, double pixelsPerMetre, int height) {
  if (!(pixelsPerMetre > 0)) return;
  // The longest round length (1, 2 or 5 × 10ⁿ m) that fits in 120 pixels.
  const double most = 120 / pixelsPerMetre;
  const double decade = std::pow(10, std::floor(std::log10(most)));
  double length = decade;
  for (double f : {2.0, 5.0})
    if (f * decade <= most) length = f * decade;
  const double width = length * pixelsPerMetre;
  const QPointF left(12, height - 16);
  painter.setPen(QPen(Qt::black, 2));
  painter.drawLine(left, left + QPointF(width, 0));
  painter.drawLine(left + QPointF(0, -6), left);
  painter.drawLine(left + QPointF(width, -6), left + QPointF(width, 0));
  painter.setPen(Qt::black);
  painter.drawText(left + QPointF(width + 6, 4), Metres(length));
}

}  // namespace tarnvel
