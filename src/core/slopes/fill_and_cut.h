// The fill (填) and the cut (挖) of a cross section: the regions between the
// design line and the ground, the design above the ground in a fill and
// below it in a cut, split where the two lines cross.
#pragma once

#include <vector>

#include "core/ground/ground_lines.h"
#include "core/slopes/side_slopes.h"

namespace tarnvel {

struct EarthworkArea {
  SlopeKind kind = SlopeKind::Fill;
  // The design line left to right, then the ground right to left: a
  // closed outline, offsets signed.
  std::vector<GroundPoint> outline;
};

// The regions, left to right, over the offsets both lines reach. Each line
// is a polyline of offsets that do not decrease; where they coincide there
// is no region.
std::vector<EarthworkArea> FillAndCut(const std::vector<GroundPoint>& design,
                                      const std::vector<GroundPoint>& ground);

}  // namespace tarnvel
