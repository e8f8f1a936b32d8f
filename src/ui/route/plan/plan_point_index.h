// The computed points of the plan, grouped by the square cells of a grid
// over their extent, so that a paint reads only the cells in view and, when
// a cell is smaller than a marker, only one point of each. Built on the
// job's thread from the finished rows; the window's thread only takes it.
// It holds each point's place among the rows, not the point: the rows hold
// it already, a million of them.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/element/centre_line.h"

namespace tarnvel {

struct PlanPointIndex {
  // The extent of the points (survey metres) and the side of a cell.
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  double cell = 1;
  // Cells run along Y (east) within a row of cells, rows along X (north).
  int columns = 0, rows = 0;
  // The points of cell k are place[cellStart[k] .. cellStart[k + 1]).
  std::vector<std::uint32_t> cellStart;
  // Each point's place among those given, by which it and its name are found.
  std::vector<std::uint32_t> place;

  bool empty() const { return place.empty(); }
  // The row (from minX, last rows − 1) or column (from minY, last
  // columns − 1) of a coordinate, held within the grid.
  static int CellOf(double metres, double from, double cell, int last) {
    const double at = std::floor((metres - from) / cell);
    return at >= last ? last : at > 0 ? static_cast<int>(at) : 0;
  }
  int rowOf(double X) const { return CellOf(X, minX, cell, rows - 1); }
  int columnOf(double Y) const { return CellOf(Y, minY, cell, columns - 1); }
};

// The `count` points that `pointAt` gives, those not finite left out.
// `pointAt` is asked for each point three times, so that nothing but the
// index is held beside the points.
PlanPointIndex IndexPlanPoints(std::size_t count, const std::function<Point(std::size_t)>& pointAt);

}  // namespace tarnvel
