// The design height of a stakeout row, one rule for the command and the
// window alike.
#pragma once

#include "core/route/route.h"
#include "core/route/route_forward.h"
#include "core/section/design_height.h"

namespace tarnvel {

// From the profile alone, the centre line's height at the row's station;
// with cross sections, the surface's at the row's own station and offset. A
// skewed row's point is not square to its station, so those are its foot's.
DesignHeight RowDesignHeight(DesignHeights& heights, const Route& route, const RoutePoint& row);

}  // namespace tarnvel
