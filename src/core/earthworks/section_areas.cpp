#include "core/earthworks/section_areas.h"

namespace tarnvel {

SectionAreas AreasOf(const std::vector<EarthworkArea>& regions) {
  SectionAreas areas;
  for (const EarthworkArea& region : regions) {
    const std::vector<GroundPoint>& outline = region.outline;
    if (outline.size() < 3) continue;
    // The shoelace sums, the elevations taken from the first vertex's so
    // that heights of hundreds of metres lose no digits of the area.
    const double base = outline.front().elevation;
    double twiceArea = 0, sixMoment = 0;
    for (std::size_t k = 0; k < outline.size(); ++k) {
      const GroundPoint& a = outline[k];
      const GroundPoint& b = outline[(k + 1) % outline.size()];
      const double cross = a.offset * (b.elevation - base) - b.offset * (a.elevation - base);
      twiceArea += cross;
      sixMoment += (a.offset + b.offset) * cross;
    }
    // The outline runs along the design left to right and back along the
    // ground: clockwise under a fill, counter-clockwise over a cut.
    const double sign = twiceArea < 0 ? -1 : 1;
    AreaMoment& kind = region.kind == SlopeKind::Fill ? areas.fill : areas.cut;
    kind.area += sign * twiceArea / 2;
    kind.moment += sign * sixMoment / 6;
  }
  return areas;
}

}  // namespace tarnvel
