#include "previous_stake_rows.h"

#include <algorithm>
#include <cmath>

namespace tarnvel::previous {

namespace {

// About four points to a cell on average over the extent, and no more cells
// than a few megabytes of offsets hold.
constexpr double kPointsPerCell = 4;
constexpr double kMostCells = 1 << 20;

}  // namespace

PlanPointIndex IndexPlanPoints(std::size_t count,
                               const std::function<Point(std::size_t)>& pointAt) {
  PlanPointIndex index;
  std::vector<Point> points;
  std::vector<std::uint32_t> place;
  points.reserve(count);
  place.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const Point p = pointAt(i);
    if (!std::isfinite(p.X) || !std::isfinite(p.Y)) continue;
    if (points.empty()) index.minX = index.maxX = p.X, index.minY = index.maxY = p.Y;
    index.minX = std::min(index.minX, p.X), index.maxX = std::max(index.maxX, p.X);
    index.minY = std::min(index.minY, p.Y), index.maxY = std::max(index.maxY, p.Y);
    points.push_back(p);
    place.push_back(static_cast<std::uint32_t>(i));
  }
  if (points.empty()) return index;

  // Square cells, and no more of them along either side than in all: a
  // line of points along an axis has an extent of no area. An extent too
  // wide for a double is one cell.
  const double height = index.maxX - index.minX, width = index.maxY - index.minY;
  const double cells =
      std::clamp(static_cast<double>(points.size()) / kPointsPerCell, 1.0, kMostCells);
  double side = std::sqrt(height * width / cells);
  side = std::max({side, height / cells, width / cells});
  if (!(side > 0) || !std::isfinite(side)) side = std::isfinite(side) ? 1 : HUGE_VAL;
  index.cell = side;
  const int most = static_cast<int>(cells);
  index.rows = PlanPointIndex::CellOf(index.maxX, index.minX, side, most) + 1;
  index.columns = PlanPointIndex::CellOf(index.maxY, index.minY, side, most) + 1;

  // A counting sort by cell.
  const auto cellOf = [&](const Point& p) {
    return static_cast<std::size_t>(index.rowOf(p.X)) * static_cast<std::size_t>(index.columns) +
           static_cast<std::size_t>(index.columnOf(p.Y));
  };
  index.cellStart.assign(static_cast<std::size_t>(index.rows) * index.columns + 1, 0);
  for (const Point& p : points) ++index.cellStart[cellOf(p) + 1];
  for (std::size_t k = 1; k < index.cellStart.size(); ++k)
    index.cellStart[k] += index.cellStart[k - 1];
  std::vector<std::uint32_t> next(index.cellStart.begin(), index.cellStart.end() - 1);
  index.points.resize(points.size());
  index.place.resize(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) {
    const std::uint32_t at = next[cellOf(points[i])]++;
    index.points[at] = points[i];
    index.place[at] = place[i];
  }
  return index;
}

}  // namespace tarnvel::previous
