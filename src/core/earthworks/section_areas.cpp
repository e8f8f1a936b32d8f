#include "core/earthworks/section_areas.h"

#include <algorithm>
#include <cmath>

#include "core/section/section_surface.h"
#include "core/slopes/slope_chain.h"

namespace tarnvel {

namespace {

// The side's chain from its hinge out to its catch point, outward, as
// signed offsets.
std::vector<GroundPoint> SideLine(const SideCatch& side, const SideSlopes& slopes,
                                  double position) {
  const double sign = side.left ? -1 : 1;
  std::vector<GroundPoint> line{{side.hingeOffset, *side.hingeElevation}};
  const double reach = std::fabs(side.catchPoint->offset);
  if (const SlopeLine* slope = SlopeAt(slopes, side.left, *side.kind, position)) {
    const SlopeChain chain =
        MakeSlopeChain(*slope, std::fabs(side.hingeOffset), *side.hingeElevation);
    for (std::size_t i = 1; i < chain.vertices.size(); ++i)
      if (chain.vertices[i].out < reach && chain.vertices[i].out > sign * line.back().offset)
        line.push_back({sign * chain.vertices[i].out, chain.vertices[i].elevation});
  }
  if (reach > sign * line.back().offset) line.push_back(*side.catchPoint);
  return line;
}

// Adds to `areas` the strip from a to b where the design line is d0 above
// the ground at a and d1 at b, straight between.
void AddStrip(double a, double d0, double b, double d1, SectionAreas& areas) {
  if ((d0 > 0 && d1 < 0) || (d0 < 0 && d1 > 0)) {
    const double m = a + (b - a) * d0 / (d0 - d1);
    AddStrip(a, d0, m, 0, areas);
    AddStrip(m, 0, b, d1, areas);
    return;
  }
  AreaMoment& kind = d0 + d1 > 0 ? areas.fill : areas.cut;
  const double sign = d0 + d1 > 0 ? 1 : -1;
  kind.area += sign * (b - a) * (d0 + d1) / 2;
  kind.moment += sign * (b - a) * (a * (2 * d0 + d1) + b * (d0 + 2 * d1)) / 6;
}

}  // namespace

std::optional<std::vector<GroundPoint>> DesignLine(const SectionStation& section,
                                                   double designElevation, const SideCatch& left,
                                                   const SideCatch& right, const SideSlopes& slopes,
                                                   double position) {
  if (!left.catchPoint || !right.catchPoint) return std::nullopt;
  std::vector<GroundPoint> line = SideLine(left, slopes, position);
  std::reverse(line.begin(), line.end());
  std::vector<double> edges;
  for (std::size_t k = section.left.size(); k-- > 1;)
    edges.push_back(OuterEdgeOffset(section, true, k - 1));
  edges.push_back(0);
  for (std::size_t k = 0; k + 1 < section.right.size(); ++k)
    edges.push_back(OuterEdgeOffset(section, false, k));
  for (double offset : edges)
    if (offset > line.back().offset && offset < right.hingeOffset)
      if (auto elevation = SurfaceElevation(section, designElevation, offset))
        line.push_back({offset, *elevation});
  for (const GroundPoint& point : SideLine(right, slopes, position))
    if (point.offset > line.back().offset) line.push_back(point);
  return line;
}

SectionAreas AreasBetween(const std::vector<GroundPoint>& design,
                          const std::vector<GroundPoint>& ground) {
  SectionAreas areas;
  if (design.size() < 2 || ground.size() < 2) return areas;
  const double from = std::max(design.front().offset, ground.front().offset);
  const double to = std::min(design.back().offset, ground.back().offset);
  if (!(to > from)) return areas;
  std::vector<double> offsets{from, to};
  for (const auto* line : {&design, &ground})
    for (const GroundPoint& point : *line)
      if (point.offset > from && point.offset < to) offsets.push_back(point.offset);
  std::sort(offsets.begin(), offsets.end());
  offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
  const auto above = [&](double offset) {
    return *ElevationOn(design, offset) - *ElevationOn(ground, offset);
  };
  for (std::size_t i = 0; i + 1 < offsets.size(); ++i)
    AddStrip(offsets[i], above(offsets[i]), offsets[i + 1], above(offsets[i + 1]), areas);
  return areas;
}

}  // namespace tarnvel
