// The design across a station as a cross section draws it against the
// ground: from the left catch point up or down the slope to the road's
// edge, across the road's surface, and out along the right slope to its
// catch point, every vertex of the slopes on the way.
#pragma once

#include <vector>

#include "core/ground/ground_lines.h"
#include "core/section/cross_section.h"
#include "core/slopes/catch_point.h"
#include "core/slopes/side_slopes.h"

namespace tarnvel {

// One side's slope from its hinge out to its catch point, offsets signed:
// the hinge, each vertex of the chain short of the catch point, then the
// catch point. The hinge alone for a side without a catch point or with
// one at the hinge; nothing for one without a design elevation. `side` is
// CatchPointAt's for the same slopes and position.
std::vector<GroundPoint> SlopeToCatchPoint(const SideCatch& side, const SideSlopes& slopes,
                                           double position);

// The whole design line, offsets increasing: the left slope from its catch
// point inward, the surface at each part's edge and the centre line, then
// the right slope outward. A side without a catch point ends at its hinge.
std::vector<GroundPoint> DesignSurface(const SectionStation& section, double designElevation,
                                       const SideCatch& left, const SideCatch& right,
                                       const SideSlopes& slopes, double position);

}  // namespace tarnvel
