// Where a survey point stands in the plan's scene, and how the plan's items
// look up the points they draw: shared by the plan view and every item on
// it, so that no item needs the view.
#pragma once

#include <QPointF>
#include <QString>
#include <cstddef>
#include <functional>

#include "core/element/centre_line.h"

namespace tarnvel {

// The scene holds east as x and south as y, measured from an origin near the
// route: a survey point (X, Y) sits at (Y − Y0, −(X − X0)). Coordinates of
// millions of metres would otherwise overflow the view's integer scroll
// range at a scale of 1 mm a pixel.
inline QPointF PlanToScene(Point point, Point origin) {
  return {point.Y - origin.Y, origin.X - point.X};
}

// Names of points are looked up only for the points in view, so that a
// million stakeout rows need no million texts; the points themselves are
// looked up in the rows that hold them, by their place there.
using PlanNameOf = std::function<QString(std::size_t)>;
using PlanPointOf = std::function<Point(std::size_t)>;

}  // namespace tarnvel
