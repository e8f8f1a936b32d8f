// The stations a table of cross sections is asked for, a range's or a
// stations file's, each as its centre-line point, in table order: the
// ground command's and the earthworks table's, one row a station.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/route_command/command_options.h"
#include "core/route/route.h"
#include "core/route/route_forward.h"

namespace tarnvel {

struct CentreStationsRequest {
  std::optional<StationRange> range;  // none: the command's stations file
  bool keyPoints = false;
  double positionTolerance = 0;  // m
  // Refused before the first station when a --pdf of a row a station
  // would be too long.
  bool pdf = false;
};

// A table holds at most this many rows, as forward's does.
inline constexpr long long kMaxCentreStations = 100'000'000;

// Hands each station's centre-line point (its element, pass, frame and
// key-point label) to `station`, which returns false to end the walk: a
// range's (RangeRefusal first), or each line of `line.stations` at its own
// station, its offset and skew left aside. The refusal that ended it: the
// range's, a line's or station's (named in its file), or `station`'s own,
// which `failure` gives once it has returned false.
std::optional<ArgumentRefusal> ForEachCentreStation(
    const Route& route, const CommandFiles& line, const CentreStationsRequest& request,
    const std::function<bool(const RoutePoint&)>& station,
    const std::function<std::optional<ArgumentRefusal>()>& failure);

}  // namespace tarnvel
