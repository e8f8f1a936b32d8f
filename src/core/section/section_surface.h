// The road surface across a section: how far it rises from the centre line
// out to an offset, and its elevation there from the profile's elevation at
// the design line. Nothing is rounded.
#pragma once

#include <optional>

#include "core/route/position_tolerance.h"
#include "core/section/cross_section.h"

namespace tarnvel {

// The total width of one side: where its surface ends.
double SideWidth(const std::vector<SectionPart>& parts);

// The rise of the surface from the centre line out to `offset` (left
// negative): the sum of width × slope over the parts crossed, the last one
// in part. An offset within `tolerance` beyond the outermost edge is on that
// edge: a typed 6.15 is the edge of parts 3.75, 1.8 and 0.6, whose sum is a
// hair short of it. Nothing farther out: the road has no surface there and
// none is made up.
std::optional<double> RiseTo(const SectionStation& section, double offset,
                             double tolerance = kPositionTolerance);

// The surface elevation at `offset`: the design line's elevation less the
// rise out to the design line, plus the rise out to the offset. The design
// line is on the road within the position tolerance, as the table is read
// with it, and the offset within `tolerance`. Nothing when either lies
// beyond the road.
std::optional<double> SurfaceElevation(const SectionStation& section, double designElevation,
                                       double offset, double tolerance = kPositionTolerance);

// The offset of the outer edge of part `k` (0 the innermost) on the left
// (negative) or the right side.
double OuterEdgeOffset(const SectionStation& section, bool left, std::size_t k);

}  // namespace tarnvel
