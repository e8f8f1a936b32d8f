// The stations of a stakeout range: where a range table puts its rows. The
// route window and `tarnvel-route forward` both ask here, so that a range
// gives the same stations wherever it is made.
#pragma once

#include <functional>
#include <optional>

#include "route.h"
#include "route_forward.h"

namespace tarnvel {

struct StakeoutRange {
  double from = 0, to = 0, step = 20;
  bool keyPoints = false;  // also every key-point station within [from, to]
};

// Why the range gives no table: it leaves RouteStart–RouteEnd, or the step
// is 0, not finite, of the wrong sign for the range, too small to move the
// station, or so small that the range holds more than 10,000,000 stations.
std::optional<StationRefusal> RangeRefusal(const Route& route, const StakeoutRange& range);

// How many stations the step gives, the start included, before key points:
// what a table's size is judged by before it is made. 0 when the step runs
// away from the end or is not a number.
double RangeStationCount(const StakeoutRange& range);

// Hands each station of a range that RangeRefusal accepts to `station`, in
// the table's order; `station` returning false ends the walk. Each station
// is the previous plus the step (one addition, as the main window's table),
// the end included when reached exactly; a negative step runs from a higher
// start down. Key-point stations are inserted in order; a step's station
// within 1e-6 m of one gives way to it, so no station is given twice.
void ForEachRangeStation(const Route& route, const StakeoutRange& range,
                         const std::function<bool(double)>& station);

}  // namespace tarnvel
