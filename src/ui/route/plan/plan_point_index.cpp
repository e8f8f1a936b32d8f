#include "ui/route/plan/plan_point_index.h"

#include <algorithm>
#include <cmath>

namespace tarnvel {

namespace {

// About four points to a cell on average over the extent, and no more cells
// than a few megabytes of offsets hold.
constexpr double kPointsPerCell = 4;
constexpr double kMostCells = 1 << 20;

bool IsFinite(const Point& p) {
  return std::isfinite(p.X) && std::isfinite(p.Y);
}

}  // namespace

PlanPointIndex IndexPlanPoints(std::size_t count,
                               const std::function<Point(std::size_t)>& pointAt) {
  PlanPointIndex index;
  std::size_t finite = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const Point p = pointAt(i);
    if (!IsFinite(p)) continue;
    if (finite++ == 0) index.minX = index.maxX = p.X, index.minY = index.maxY = p.Y;
    index.minX = std::min(index.minX, p.X), index.maxX = std::max(index.maxX, p.X);
    index.minY = std::min(index.minY, p.Y), index.maxY = std::max(index.maxY, p.Y);
  }
  if (finite == 0) return index;

  // Square cells, and no more of them along either side than in all: a
  // line of points along an axis has an extent of no area. An extent too
  // wide for a double is one cell.
  const double height = index.maxX - index.minX, width = index.maxY - index.minY;
  const double cells = std::clamp(static_cast<double>(finite) / kPointsPerCell, 1.0, kMostCells);
  double side = std::sqrt(height * width / cells);
  side = std::max({side, height / cells, width / cells});
  if (!(side > 0) || !std::isfinite(side)) side = std::isfinite(side) ? 1 : HUGE_VAL;
  index.cell = side;
  const int most = static_cast<int>(cells);
  index.rows = PlanPointIndex::CellOf(index.maxX, index.minX, side, most) + 1;
  index.columns = PlanPointIndex::CellOf(index.maxY, index.minY, side, most) + 1;

  // A counting sort by cell, the points in their order within each.
  const auto cellOf = [&](const Point& p) {
    return static_cast<std::size_t>(index.rowOf(p.X)) * static_cast<std::size_t>(index.columns) +
           static_cast<std::size_t>(index.columnOf(p.Y));
  };
  index.cellStart.assign(static_cast<std::size_t>(index.rows) * index.columns + 1, 0);
  for (std::size_t i = 0; i < count; ++i)
    if (const Point p = pointAt(i); IsFinite(p)) ++index.cellStart[cellOf(p) + 1];
  for (std::size_t k = 1; k < index.cellStart.size(); ++k)
    index.cellStart[k] += index.cellStart[k - 1];
  std::vector<std::uint32_t> next(index.cellStart.begin(), index.cellStart.end() - 1);
  index.place.resize(finite);
  for (std::size_t i = 0; i < count; ++i)
    if (const Point p = pointAt(i); IsFinite(p))
      index.place[next[cellOf(p)]++] = static_cast<std::uint32_t>(i);
  return index;
}

}  // namespace tarnvel
