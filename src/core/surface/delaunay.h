// The Delaunay triangulation of points in plan, from CGAL: the one file
// that sees the library, so that the rest of the code never does.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace tarnvel {

struct PlanXY {
  double x = 0, y = 0;
};

// The triangles of the points' Delaunay triangulation, each its three
// points' indices, counter-clockwise in (x, y). Where points are cocircular
// the choice is the library's. Fewer than three points not on one line give
// none.
std::vector<std::array<std::uint32_t, 3>> DelaunayTriangles(const std::vector<PlanXY>& points);

}  // namespace tarnvel
