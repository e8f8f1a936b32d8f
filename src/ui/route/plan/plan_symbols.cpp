#include "ui/route/plan/plan_symbols.h"

#include <QLineF>

namespace tarnvel {

QColor ColourOf(ElementKind kind) {
  switch (kind) {
    case ElementKind::Straight:
      return kStraightColour;
    case ElementKind::Arc:
      return kArcColour;
    case ElementKind::Spiral:
      return kSpiralColour;
  }
  return kStraightColour;
}

QPen CosmeticPen(const QColor& colour, double width) {
  QPen pen(colour, width);
  pen.setCosmetic(true);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void DrawMarker(QPainter& painter, MarkerShape shape, QPointF at) {
  if (shape == MarkerShape::Cross) {
    painter.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
    painter.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
  } else {
    painter.drawEllipse(at, 3, 3);
  }
}

void DrawMarkers(QPainter& painter, MarkerShape shape, const std::vector<QPointF>& at) {
  if (shape == MarkerShape::Ring) {
    for (const QPointF& p : at) DrawMarker(painter, shape, p);
    return;
  }
  std::vector<QLineF> lines;
  lines.reserve(2 * at.size());
  for (const QPointF& p : at) {
    lines.emplace_back(p + QPointF(-3, 0), p + QPointF(3, 0));
    lines.emplace_back(p + QPointF(0, -3), p + QPointF(0, 3));
  }
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

}  // namespace tarnvel
