// The plan's 桩号: a tick across the line every 100 m, heavier at whole
// kilometres, each with its K text; and, for a route made from a JD table,
// the JD polygon with BP, the JDs and EP named.
#pragma once

#include <QGraphicsItemGroup>
#include <QString>
#include <vector>

#include "core/element/centre_line.h"
#include "core/jd/jd_table.h"
#include "core/route/route.h"
#include "ui/route/plan/route_points_item.h"

class QGraphicsPathItem;
class QGraphicsSimpleTextItem;

namespace tarnvel {

// Ticks at every whole multiple of 100 m of each element's own stations, so
// that a 断链 restarts them as the stakes do. `prefix` starts the K text.
// At a scale where they would crowd, fewer are shown: see thin.
class StationMarks : public QGraphicsItemGroup {
 public:
  StationMarks(const Route& route, Point origin, const QString& prefix);

  // The joints' marks and labels, which the labels keep clear of.
  void keepClearOf(std::vector<ClearBox> boxes) { clear_ = std::move(boxes); }

  // Shows the marks for `scale` pixels a metre: ticks at a round multiple
  // of 100 m that leaves them a few pixels apart, and of their labels those
  // at a round multiple their width apart that keep clear of every label
  // shown and of the joints', beyond one end of the tick or the other,
  // kilometres first. None overlaps another, on a route that turns back on
  // itself too.
  void thin(double scale);

 private:
  struct Mark {
    double station = 0;
    QPointF at;   // in the scene
    QSizeF size;  // of the label, in pixels
    // Of the label's box in pixels from the tick's centre, where it may go.
    std::vector<QPointF> corners;
    QGraphicsPathItem* tick = nullptr;
    QGraphicsSimpleTextItem* label = nullptr;
  };
  Point origin_;
  std::vector<Mark> marks_;
  std::vector<ClearBox> clear_;
  double widestLabel_ = 0;
};

QGraphicsItemGroup* MakeJdItems(const std::vector<JdPoint>& points, Point origin);

}  // namespace tarnvel
