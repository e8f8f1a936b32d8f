// The plan's points item as it was before it drew only what the pixels can
// show: every paint visits every point and draws a marker for each in view,
// and looks for names among the first 2000 in view. Kept to time the plan
// beside today's.
#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QString>
#include <functional>
#include <vector>

#include "core/element/centre_line.h"

namespace tarnvel {

class PreviousRoutePointsItem : public QGraphicsItem {
 public:
  using NameOf = std::function<QString(std::size_t)>;

  explicit PreviousRoutePointsItem(QColor colour);

  void setPoints(std::vector<Point> points, NameOf nameOf, Point origin);
  void setOrigin(Point origin);
  QRectF boundingRect() const override { return bounds_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

 private:
  static constexpr std::size_t kMaxNames = 2000;
  QColor colour_;
  std::vector<Point> points_;
  std::vector<QPointF> scene_;
  NameOf nameOf_;
  QRectF bounds_;
};

}  // namespace tarnvel
