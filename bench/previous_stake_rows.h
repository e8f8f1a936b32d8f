// The window's stakeout rows and the plan's index of their points as they
// were before they were made smaller: a std::string label and an int of
// padding in every point, the elevation a std::optional, and the index
// holding a copy of every point. Kept to measure the memory of today's
// beside them.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/element/centre_line.h"

namespace tarnvel::previous {

struct RoutePoint {
  int element = 0;  // 1-based
  double station = 0;
  double offset = 0;
  double skewDms = 90;
  ForwardResult result;  // as ForwardPoint gives it on that element
  std::string label;     // key-point label at this station, or ""
  // Which time the route passes this station, in route order: 2 on the
  // second branch of a 长链, within the stretch that the 长链 repeats.
  int pass = 1;
};

struct ForwardCsvRow {
  std::string name;  // the stations file's 点名, or a range row's station and side
  RoutePoint point;
  // With a profile: the centre line's design elevation at the station;
  // nothing where the station is outside the profile.
  std::optional<double> designElevation = std::nullopt;
};

struct PlanPointIndex {
  // The extent of the points (survey metres) and the side of a cell.
  double minX = 0, minY = 0, maxX = 0, maxY = 0;
  double cell = 1;
  // Cells run along Y (east) within a row of cells, rows along X (north).
  int columns = 0, rows = 0;
  // The points of cell k are points[cellStart[k] .. cellStart[k + 1]).
  std::vector<std::uint32_t> cellStart;
  std::vector<Point> points;
  // Each point's place among those given, by which its name is found.
  std::vector<std::uint32_t> place;

  bool empty() const { return points.empty(); }
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
PlanPointIndex IndexPlanPoints(std::size_t count, const std::function<Point(std::size_t)>& pointAt);

}  // namespace tarnvel::previous
