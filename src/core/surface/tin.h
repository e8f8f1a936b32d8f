// The ground as a surface: a triangulated irregular network (TIN) of
// surveyed points, each triangle the plane through its three corners, with
// a grid of cells over it that finds the triangles near a line at once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace tarnvel {

struct TinPoint {
  double X = 0;  // northing
  double Y = 0;  // easting
  double H = 0;
};

using TinFace = std::array<std::uint32_t, 3>;

struct Tin {
  std::vector<TinPoint> points;
  std::vector<TinFace> faces;
  // The faces by grid cell: cell (row, column) of `cell` metres from the
  // origin holds cellFaces[cellStart[i]] up to cellFaces[cellStart[i + 1]],
  // i = row × columns + column, every face that overlaps it (CellsOver).
  double originX = 0, originY = 0, cell = 1;
  std::size_t rows = 0, columns = 0;
  std::vector<std::uint32_t> cellStart, cellFaces;
};

struct PlanCorner {
  double X = 0, Y = 0;
};

// The cells of the grid that the convex figure of `corners` (a segment's
// two or a triangle's three, in plan) overlaps, as row × columns + column,
// each once, into `cells`. Closed: a figure on the line between two cells
// is in both. None beyond the grid.
void CellsOver(const Tin& tin, std::span<const PlanCorner> corners,
               std::vector<std::size_t>& cells);

// Points closer than this in plan are one point: the first is kept.
inline constexpr double kTinDuplicate = 0.001;

struct TinFromPoints {
  Tin tin;
  std::size_t duplicates = 0;  // points left out as closer than kTinDuplicate to a kept one
};

// The Delaunay triangulation of the points, each left out that lies closer
// than kTinDuplicate to an earlier one kept. With `maxEdge`, a triangle on
// the outline with an edge longer than it is left out, again and again
// until none is, so that a concave survey is not bridged.
TinFromPoints TinOfPoints(std::vector<TinPoint> points, std::optional<double> maxEdge);

// The faces as given (a LandXML surface's), each naming three of `points`.
Tin TinOfFaces(std::vector<TinPoint> points, std::vector<TinFace> faces);

}  // namespace tarnvel
