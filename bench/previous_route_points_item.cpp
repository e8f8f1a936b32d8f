#include "previous_route_points_item.h"

#include <QPainter>
#include <QSet>
#include <QStyleOptionGraphicsItem>
#include <algorithm>
#include <cmath>

namespace tarnvel {

namespace {

QPointF ToScene(Point point, Point origin) {
  return {point.Y - origin.Y, origin.X - point.X};
}

void DrawCross(QPainter& painter, QPointF at) {
  painter.drawLine(at + QPointF(-3, 0), at + QPointF(3, 0));
  painter.drawLine(at + QPointF(0, -3), at + QPointF(0, 3));
}

}  // namespace

PreviousRoutePointsItem::PreviousRoutePointsItem(QColor colour) : colour_(colour) {
  setFlag(ItemUsesExtendedStyleOption);
  setZValue(3);
}

void PreviousRoutePointsItem::setPoints(std::vector<Point> points, NameOf nameOf, Point origin) {
  points_ = std::move(points);
  nameOf_ = std::move(nameOf);
  setOrigin(origin);
}

void PreviousRoutePointsItem::setOrigin(Point origin) {
  prepareGeometryChange();
  scene_.clear();
  scene_.reserve(points_.size());
  QRectF bounds;
  for (const Point& p : points_) scene_.push_back(ToScene(p, origin));
  if (!scene_.empty()) {
    double x0 = scene_[0].x(), x1 = x0, y0 = scene_[0].y(), y1 = y0;
    for (const QPointF& p : scene_) {
      x0 = std::min(x0, p.x()), x1 = std::max(x1, p.x());
      y0 = std::min(y0, p.y()), y1 = std::max(y1, p.y());
    }
    bounds = QRectF(QPointF(x0, y0), QPointF(x1, y1));
  }
  bounds_ = bounds.adjusted(-1e3, -1e3, 1e3, 1e3);
  update();
}

void PreviousRoutePointsItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                                    QWidget*) {
  if (scene_.empty()) return;
  const QRectF exposed = option->exposedRect;
  const QTransform toDevice = painter->worldTransform();
  painter->save();
  painter->resetTransform();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setPen(QPen(colour_, 1));
  painter->setBrush(Qt::NoBrush);
  for (const QPointF& p : scene_)
    if (exposed.contains(p)) DrawCross(*painter, toDevice.map(p));
  if (nameOf_) {
    painter->setRenderHint(QPainter::TextAntialiasing, true);
    const QFontMetrics metrics = painter->fontMetrics();
    QSet<std::pair<int, int>> taken;
    std::size_t n = 0;
    for (std::size_t i = 0; i < scene_.size() && n < kMaxNames; ++i) {
      if (!exposed.contains(scene_[i])) continue;
      ++n;
      const QPointF d = toDevice.map(scene_[i]);
      const std::pair<int, int> cell{static_cast<int>(std::floor(d.x() / 48)),
                                     static_cast<int>(std::floor(d.y() / metrics.height()))};
      if (taken.contains(cell)) continue;
      taken.insert(cell);
      painter->drawText(d + QPointF(5, -4), nameOf_(i));
    }
  }
  painter->restore();
}

}  // namespace tarnvel
