// Many points in one item, drawn as far as the pixels can show them: a
// paint reads only the grid cells in view, draws at most one marker to a
// square of kMarkerCell pixels, and names a point only where its name
// overlaps no other name. It leaves the joints' marks and labels clear of
// markers and names.
#pragma once

#include <QColor>
#include <QGraphicsItem>
#include <QRectF>
#include <cstdint>
#include <vector>

#include "core/element/centre_line.h"
#include "ui/route/plan/plan_coordinates.h"
#include "ui/route/plan/plan_point_index.h"
#include "ui/route/plan/plan_symbols.h"

namespace tarnvel {

// A box of device pixels about a survey point that the points leave clear.
struct ClearBox {
  Point at;
  QRectF box;
};

class RoutePointsItem : public QGraphicsItem {
 public:
  RoutePointsItem(QColor colour, MarkerShape shape);

  void setPoints(PlanPointIndex index, PlanPointOf pointOf, PlanNameOf nameOf, Point origin);
  void setOrigin(Point origin);
  void setClearBoxes(std::vector<ClearBox> boxes);

  QRectF boundingRect() const override { return bounds_; }
  void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget*) override;

 private:
  // A marker's square (px); its arms reach kMarkerReach from its point.
  static constexpr int kMarkerCell = 3;
  static constexpr double kMarkerReach = 3;
  static constexpr int kNameCell = 4;
  // The most names looked up in one paint.
  static constexpr std::size_t kMaxNames = 2000;
  QColor colour_;
  MarkerShape shape_;
  PlanPointIndex index_;
  PlanPointOf pointOf_;
  Point origin_;
  std::vector<ClearBox> clear_;
  PlanNameOf nameOf_;
  QRectF bounds_;
};

}  // namespace tarnvel
