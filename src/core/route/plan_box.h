// A box in plan, the bound that lets a search pass over what lies far away.
#pragma once

#include <limits>

#include "core/element/centre_line.h"

namespace tarnvel {

// A box in plan, X (northing) and Y (easting) in metres. The default box is
// empty: it holds no point and widening leaves it empty.
struct PlanBox {
  double minX = std::numeric_limits<double>::infinity();
  double minY = std::numeric_limits<double>::infinity();
  double maxX = -std::numeric_limits<double>::infinity();
  double maxY = -std::numeric_limits<double>::infinity();

  void Add(const PlanBox& other);
  // Whether `p` lies in the box widened by `margin` on every side.
  bool Near(Point p, double margin) const {
    return p.X >= minX - margin && p.X <= maxX + margin && p.Y >= minY - margin &&
           p.Y <= maxY + margin;
  }
};

}  // namespace tarnvel
