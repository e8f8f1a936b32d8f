// The stations of a stakeout range as they were walked before the route's
// key points were made once for the whole walk (each branch made them all
// again, so a route of many 长链 took the square of its elements), before
// key points within the position tolerance were staked once and before a
// curve step's multiples were checked for overflow. Kept so that a
// benchmark times the walk beside today's. Not used by the program.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/route/stakeout_stations.h"

namespace tarnvel::previous {

std::optional<StationRefusal> RangeRefusal(const Route& route, const StakeoutRange& range);
double RangeStationCount(const Route& route, const StakeoutRange& range);
void ForEachRangeStation(const Route& route, const StakeoutRange& range,
                         const std::function<bool(double, const RouteBranch&)>& station);

}  // namespace tarnvel::previous
