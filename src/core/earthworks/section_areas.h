// The cut and fill of a station's section: the design line from catch
// point to catch point against the ground, split where the two cross, with
// no sampling.
#pragma once

#include <optional>
#include <vector>

#include "core/ground/ground_lines.h"
#include "core/slopes/catch_point.h"

namespace tarnvel {

// The design line across a station: from the left catch point along the
// left slope chain to the left hinge, across the road surface, and along
// the right chain to the right catch point, offsets increasing. Nothing
// when a side has no catch point.
std::optional<std::vector<GroundPoint>> DesignLine(const SectionStation& section,
                                                   double designElevation, const SideCatch& left,
                                                   const SideCatch& right, const SideSlopes& slopes,
                                                   double position);

// One kind's area and its first moment about the centre line (offset times
// area, right positive): the moment over the area is its centroid's offset.
struct AreaMoment {
  double area = 0;
  double moment = 0;
};

struct SectionAreas {
  AreaMoment cut;   // 挖: the design line below the ground
  AreaMoment fill;  // 填: the design line above the ground
};

// The areas between the design line and the ground over the offsets both
// reach.
SectionAreas AreasBetween(const std::vector<GroundPoint>& design,
                          const std::vector<GroundPoint>& ground);

}  // namespace tarnvel
