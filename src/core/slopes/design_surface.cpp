#include "core/slopes/design_surface.h"

#include <algorithm>

#include "core/section/section_surface.h"
#include "core/slopes/slope_chain.h"

namespace tarnvel {

std::vector<GroundPoint> SlopeToCatchPoint(const SideCatch& side, const SideSlopes& slopes,
                                           double position) {
  std::vector<GroundPoint> points;
  if (!side.hingeElevation) return points;
  points.push_back({side.hingeOffset, *side.hingeElevation});
  // A catch point at the hinge is met before any slope is chosen; the
  // design there is the road's edge, within a millimetre of the ground, and
  // the line takes no second height at the same offset.
  if (!side.catchPoint || side.catchPoint->offset == side.hingeOffset) return points;
  const double sign = side.left ? -1 : 1;
  const SlopeLine* line = SlopeAt(slopes, side.left, *side.kind, position);
  if (line) {
    const SlopeChain chain = MakeSlopeChain(*line, sign * side.hingeOffset, *side.hingeElevation);
    const double reach = sign * side.catchPoint->offset;
    for (std::size_t k = 1; k < chain.vertices.size() && chain.vertices[k].out < reach; ++k)
      points.push_back({sign * chain.vertices[k].out, chain.vertices[k].elevation});
  }
  points.push_back(*side.catchPoint);
  return points;
}

std::vector<GroundPoint> DesignSurface(const SectionStation& section, double designElevation,
                                       const SideCatch& left, const SideCatch& right,
                                       const SideSlopes& slopes, double position) {
  const auto surface = [&](double offset) -> GroundPoint {
    return {offset, *SurfaceElevation(section, designElevation, offset)};
  };
  std::vector<GroundPoint> line = SlopeToCatchPoint(left, slopes, position);
  std::reverse(line.begin(), line.end());
  if (line.empty()) line.push_back(surface(HingeOffset(section, true)));
  // The hinge is the outermost edge, already in the line.
  for (std::size_t k = section.left.size(); k-- > 1;)
    line.push_back(surface(OuterEdgeOffset(section, true, k - 1)));
  line.push_back(surface(0));
  for (std::size_t k = 0; k + 1 < section.right.size(); ++k)
    line.push_back(surface(OuterEdgeOffset(section, false, k)));
  const std::vector<GroundPoint> outward = SlopeToCatchPoint(right, slopes, position);
  if (outward.empty()) line.push_back(surface(HingeOffset(section, false)));
  line.insert(line.end(), outward.begin(), outward.end());
  return line;
}

}  // namespace tarnvel
