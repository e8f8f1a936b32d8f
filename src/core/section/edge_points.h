// The 边桩 a crew stakes at a station: a point at the outer edge of every
// part of the cross section, on the centre line's element there. The
// command's --edges and the window's stakeout take them from here alike.
#pragma once

#include <vector>

#include "core/route/route.h"
#include "core/route/route_forward.h"
#include "core/section/cross_section.h"

namespace tarnvel {

// The points at the outer edge of every part, the left side's from the
// centre line outward, then the right side's, square to `station` on
// element `element` (1-based, as a row gives it) and labelled in 说明 by
// side and part ("左土路肩外"). `section` is the table's section at the
// station. `out` is overwritten, so that a long table reuses its memory.
void EdgePoints(const Route& route, const CrossSectionTable& table, const SectionStation& section,
                double station, int element, std::vector<RoutePoint>& out);

}  // namespace tarnvel
