#include "previous_point_names.h"

#include <algorithm>
#include <cmath>

namespace tarnvel::previous {

namespace {

// Wider than any two stations whose texts to the millimetre agree.
constexpr double kSameTextReach = 0.002;

}  // namespace

RangePointNames::RangePointNames(const Route& route, std::string prefix)
    : prefix_(std::move(prefix)) {
  // An element that starts below the end of one before it shares that
  // stretch of stations with it.
  double reach = -INFINITY;
  for (const RouteElement& element : route.elements) {
    const ElementValues& v = element.values;
    if (v.K0 < reach) repeated_.emplace_back(v.K0, std::min(v.K1, reach));
    reach = std::max(reach, v.K1);
  }
  std::sort(repeated_.begin(), repeated_.end());
}

bool RangePointNames::Repeated(double station) const {
  return std::any_of(repeated_.begin(), repeated_.end(), [&](const auto& stretch) {
    // Twice the reach: a row beside the stretch may share its text with a
    // row at its very edge, whose name must be held as the stretch's are.
    return station >= stretch.first - 2 * kSameTextReach &&
           station <= stretch.second + 2 * kSameTextReach;
  });
}

std::string RangePointNames::Name(const RoutePoint& point) {
  const double station = point.station;
  // Rows run in station order except where a 长链 turns the route back, so
  // a row farther than a millimetre from this one, outside the stretches
  // held twice, can share its name with no row to come.
  std::erase_if(recent_, [&](const auto& row) {
    if (std::fabs(row.first - station) < kSameTextReach) return false;
    names_.Forget(row.second);
    return true;
  });
  std::string name = names_.Take(StationPointName(station, prefix_) + SideText(point.offset));
  if (!Repeated(station)) recent_.emplace_back(station, name);
  return name;
}

}  // namespace tarnvel::previous
