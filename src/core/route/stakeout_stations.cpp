#include "stakeout_stations.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "number_text.h"
#include "route_joints.h"

namespace tarnvel {

namespace {

// Two stations this close are one row of a table: a key point met by the
// step, or the step's sum short of it by round-off.
constexpr double kSameStation = 1e-6;

// A table beyond this many stations would only exhaust the memory; a step of
// a millimetre still covers 10 km.
constexpr long kMaxTableStations = 10'000'000;

// The route's stations are written in full, as typed: a station a hair
// outside the route must not read as its first station.
StationRefusal OutsideRoute(const Route& route, const std::string& what) {
  return {what + "超出线路范围（" + GeneralText(RouteStart(route)) + "～" +
          GeneralText(RouteEnd(route)) + "）！"};
}

}  // namespace

std::optional<StationRefusal> RangeRefusal(const Route& route, const StakeoutRange& r) {
  const double start = RouteStart(route);
  const double end = RouteEnd(route);
  if (!(r.from >= start && r.from <= end)) return OutsideRoute(route, "“起点K”");
  if (!(r.to >= start && r.to <= end)) return OutsideRoute(route, "“止点K”");
  if (!std::isfinite(r.step) || r.step == 0) return StationRefusal{"“计算间距J”必须是不为零的数！"};
  if (r.from != r.to && (r.step > 0) != (r.to > r.from))
    return StationRefusal{"“计算间距J”的正负与起点K到止点K的方向不符！"};
  const double largest = std::max(std::fabs(r.from), std::fabs(r.to));
  if (largest + std::fabs(r.step) == largest)
    return StationRefusal{"“计算间距J”太小，里程无法前进！"};
  if (std::fabs(r.to - r.from) / std::fabs(r.step) > kMaxTableStations)
    return StationRefusal{"“计算间距J”太小，计算点数超过" + std::to_string(kMaxTableStations) +
                          "个！"};
  return std::nullopt;
}

double RangeStationCount(const StakeoutRange& r) {
  const double steps = std::floor((r.to - r.from) / r.step);
  return steps >= 0 ? steps + 1 : 0;
}

void ForEachRangeStation(const Route& route, const StakeoutRange& r,
                         const std::function<bool(double)>& station) {
  const bool ascending = r.step > 0;
  auto before = [&](double a, double b) { return ascending ? a < b : a > b; };
  auto within = [&](double K) { return ascending ? K <= r.to : K >= r.to; };

  // Key-point stations within the range, in the table's direction, once each.
  std::vector<double> keys;
  if (r.keyPoints) {
    for (const KeyPoint& p : KeyPoints(route))
      if (std::min(r.from, r.to) <= p.station && p.station <= std::max(r.from, r.to))
        keys.push_back(p.station);
    std::sort(keys.begin(), keys.end(), before);
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  }

  size_t next = 0;
  bool going = true;
  for (double K = r.from; going && within(K); K += r.step) {
    while (going && next < keys.size() && before(keys[next], K) &&
           std::fabs(keys[next] - K) > kSameStation)
      going = station(keys[next++]);
    if (!going) return;
    if (next < keys.size() && std::fabs(keys[next] - K) <= kSameStation) {
      going = station(keys[next++]);  // the key point's own station, with its label
      continue;
    }
    going = station(K);
  }
  while (going && next < keys.size()) going = station(keys[next++]);
}

}  // namespace tarnvel
