// One row of a stakeout table: a point to set out, its name and its design
// elevation, as the command writes it and the route window holds it.
#pragma once

#include <string>

#include "core/route/optional_double.h"
#include "core/route/route_forward.h"

namespace tarnvel {

// Kept small, as RoutePoint is: the route window holds a million.
struct StakeRow {
  std::string name;  // the stations file's 点名, or a range row's station and side
  RoutePoint point;
  // With a profile: the design elevation at the row; nothing where the
  // station is outside the profile or the offset beyond the road.
  OptionalDouble designElevation = std::nullopt;
};

}  // namespace tarnvel
