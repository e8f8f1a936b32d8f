#include "ui/route/profile/profile_ground.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/route/route_position.h"

namespace tarnvel {

namespace {

// About this many stations across the drawing, at a round step (1, 2 or 5
// times a power of ten, at least a metre): a surface's bumps show at any
// width a screen gives, and a long route is cut in milliseconds.
constexpr double kSamples = 500;

double RoundStep(double length) {
  const double raw = std::max(length / kSamples, 1.0);
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (const double times : {1.0, 2.0, 5.0})
    if (times * power >= raw) return times * power;
  return 10 * power;
}

}  // namespace

std::vector<std::vector<StationElevation>> CentreGroundLine(const SurveyedGround& ground,
                                                            const Route& route, double from,
                                                            double to) {
  std::vector<double> stations;
  const double step = RoundStep(to - from);
  for (double k = std::ceil(from / step) * step; k <= to; k += step) stations.push_back(k);
  stations.push_back(from);
  stations.push_back(to);
  if (const auto* lines = std::get_if<GroundLines>(&ground))
    for (const GroundLine& line : lines->lines)
      if (line.pass == 1 && line.station >= from && line.station <= to)
        stations.push_back(line.station);
  std::sort(stations.begin(), stations.end());
  stations.erase(std::unique(stations.begin(), stations.end()), stations.end());

  const RoutePositions positions(route);
  const Ground across(ground);
  std::vector<std::vector<StationElevation>> stretches(1);
  for (const double station : stations) {
    const std::optional<double> position = positions.OfStation(station, 1);
    const std::optional<double> elevation =
        position ? ElevationOn(GroundAcross(across, *position), 0) : std::nullopt;
    if (elevation)
      stretches.back().push_back({station, *elevation});
    else if (!stretches.back().empty())
      stretches.emplace_back();
  }
  if (stretches.back().empty()) stretches.pop_back();
  return stretches;
}

}  // namespace tarnvel
