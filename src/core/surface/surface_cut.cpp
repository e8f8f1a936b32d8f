#include "core/surface/surface_cut.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tarnvel {

namespace {

// Crossings closer than this along the line are one: two triangles give
// their shared edge's crossing each by its own rounding.
constexpr double kJoin = 1e-6;

// A corner this close to the line is on it. A straight's tangent is turned
// by its curvature of 1e-45, and a section through a row of surveyed points
// would otherwise pass a hair behind those on one side and ahead of those
// on the other.
constexpr double kOnLine = 1e-6;

struct Piece {
  GroundPoint from, to;
};

// The faces in the cells the segment from (x0, y0) to (x1, y1) overlaps,
// each once.
std::vector<std::uint32_t> FacesAlong(const Tin& tin, double x0, double y0, double x1, double y1) {
  std::vector<std::uint32_t> faces;
  std::vector<std::size_t> cells;
  const PlanCorner ends[] = {{x0, y0}, {x1, y1}};
  CellsOver(tin, ends, cells);
  for (std::size_t cell : cells)
    faces.insert(faces.end(), tin.cellFaces.begin() + tin.cellStart[cell],
                 tin.cellFaces.begin() + tin.cellStart[cell + 1]);
  std::sort(faces.begin(), faces.end());
  faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
  return faces;
}

GroundPoint At(const Piece& piece, double offset) {
  const double f = (offset - piece.from.offset) / (piece.to.offset - piece.from.offset);
  return {offset, piece.from.elevation + f * (piece.to.elevation - piece.from.elevation)};
}

}  // namespace

std::vector<std::vector<GroundPoint>> SurfaceCut(const Tin& tin, const ForwardResult& frame,
                                                 double width) {
  const double a = frame.azimuth * std::numbers::pi / 180;
  const double tX = std::cos(a), tY = std::sin(a);  // along the route
  const double nX = -tY, nY = tX;                   // square to it, to the right
  const Point c = frame.point;
  const std::vector<std::uint32_t> faces =
      FacesAlong(tin, c.X - width * nX, c.Y - width * nY, c.X + width * nX, c.Y + width * nY);
  std::vector<Piece> pieces;
  for (std::uint32_t f : faces) {
    // Each corner's distance from the line along the route: a corner on the
    // line is where the triangle meets it, and an edge whose ends lie
    // strictly on either side crosses it once. A triangle that only touches
    // the line at a corner gives no piece; one whose edge lies on it gives
    // that edge, as the surface's first edge must.
    const TinFace& face = tin.faces[f];
    double side[3];
    for (int k = 0; k < 3; ++k) {
      const TinPoint& p = tin.points[face[k]];
      side[k] = (p.X - c.X) * tX + (p.Y - c.Y) * tY;
      if (std::fabs(side[k]) < kOnLine) side[k] = 0;
    }
    Piece piece{{INFINITY, 0}, {-INFINITY, 0}};
    const auto take = [&](const GroundPoint& point) {
      if (point.offset < piece.from.offset) piece.from = point;
      if (point.offset > piece.to.offset) piece.to = point;
    };
    for (int k = 0; k < 3; ++k) {
      const int l = (k + 1) % 3;
      const TinPoint& p = tin.points[face[k]];
      if (side[k] == 0) take({(p.X - c.X) * nX + (p.Y - c.Y) * nY, p.H});
      if (!((side[k] < 0 && side[l] > 0) || (side[k] > 0 && side[l] < 0))) continue;
      const TinPoint& q = tin.points[face[l]];
      const double t = side[k] / (side[k] - side[l]);
      take({(p.X + t * (q.X - p.X) - c.X) * nX + (p.Y + t * (q.Y - p.Y) - c.Y) * nY,
            p.H + t * (q.H - p.H)});
    }
    if (!(piece.to.offset > piece.from.offset)) continue;
    if (piece.to.offset <= -width || piece.from.offset >= width) continue;
    if (piece.from.offset < -width) piece.from = At(piece, -width);
    if (piece.to.offset > width) piece.to = At(piece, width);
    pieces.push_back(piece);
  }
  std::sort(pieces.begin(), pieces.end(),
            [](const Piece& a, const Piece& b) { return a.from.offset < b.from.offset; });
  std::vector<std::vector<GroundPoint>> lines;
  for (const Piece& piece : pieces) {
    if (lines.empty() || piece.from.offset > lines.back().back().offset + kJoin)
      lines.push_back({piece.from});
    if (piece.to.offset > lines.back().back().offset + kJoin) lines.back().push_back(piece.to);
  }
  std::erase_if(lines, [](const std::vector<GroundPoint>& line) { return line.size() < 2; });
  return lines;
}

std::size_t CentrePiece(const std::vector<std::vector<GroundPoint>>& pieces) {
  std::size_t longest = 0;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].front().offset <= 0 && pieces[i].back().offset >= 0) return i;
    const auto length = [](const std::vector<GroundPoint>& p) {
      return p.back().offset - p.front().offset;
    };
    if (length(pieces[i]) > length(pieces[longest])) longest = i;
  }
  return longest;
}

}  // namespace tarnvel
