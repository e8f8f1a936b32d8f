#include "core/ground/ground_lines.h"

#include <algorithm>

#include "core/route/position_tolerance.h"

namespace tarnvel {

std::variant<GroundFault, GroundLines> MakeGroundLines(std::vector<GroundLine> lines,
                                                       const RoutePositions& positions) {
  using Kind = GroundFault::Kind;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    GroundLine& line = lines[i];
    const std::optional<double> position = positions.OfStation(line.station, line.pass);
    if (!position) return GroundFault{Kind::NoSuchPass, i, 0};
    line.position = *position;
    if (i > 0 && !(line.position > lines[i - 1].position))
      return GroundFault{Kind::StationNotIncreasing, i, 0};
    for (std::size_t k = 1; k < line.points.size(); ++k)
      if (!(line.points[k].offset > line.points[k - 1].offset))
        return GroundFault{Kind::OffsetNotIncreasing, i, k};
    if (line.points.size() < 2) return GroundFault{Kind::TooFewPoints, i, 0};
  }
  return GroundLines{std::move(lines)};
}

std::optional<double> ElevationOn(const std::vector<GroundPoint>& points, double offset) {
  if (points.empty() || offset < points.front().offset || offset > points.back().offset)
    return std::nullopt;
  const auto after =
      std::lower_bound(points.begin(), points.end(), offset,
                       [](const GroundPoint& p, double value) { return p.offset < value; });
  if (after->offset == offset) return after->elevation;
  const GroundPoint& a = *(after - 1);
  const GroundPoint& b = *after;
  return a.elevation + (b.elevation - a.elevation) * (offset - a.offset) / (b.offset - a.offset);
}

std::vector<GroundPoint> GroundAt(const GroundLines& ground, double position) {
  const std::vector<GroundLine>& lines = ground.lines;
  if (lines.empty()) return {};
  const auto after =
      std::lower_bound(lines.begin(), lines.end(), position,
                       [](const GroundLine& line, double value) { return line.position < value; });
  // A station on a surveyed one, to the position tolerance, takes its line
  // as surveyed.
  if (after != lines.end() && after->position - position <= kPositionTolerance)
    return after->points;
  if (after != lines.begin() && position - (after - 1)->position <= kPositionTolerance)
    return (after - 1)->points;
  if (after == lines.begin() || after == lines.end()) return {};
  const GroundLine& a = *(after - 1);
  const GroundLine& b = *after;
  const double t = (position - a.position) / (b.position - a.position);
  const double first = std::max(a.points.front().offset, b.points.front().offset);
  const double last = std::min(a.points.back().offset, b.points.back().offset);
  std::vector<double> offsets;
  offsets.reserve(a.points.size() + b.points.size());
  for (const auto* line : {&a, &b})
    for (const GroundPoint& p : line->points)
      if (p.offset >= first && p.offset <= last) offsets.push_back(p.offset);
  std::sort(offsets.begin(), offsets.end());
  offsets.erase(std::unique(offsets.begin(), offsets.end()), offsets.end());
  std::vector<GroundPoint> points;
  points.reserve(offsets.size());
  // Both lines are straight between these offsets, so their blend is too.
  for (const double offset : offsets) {
    const double za = *ElevationOn(a.points, offset);
    const double zb = *ElevationOn(b.points, offset);
    points.push_back({offset, za + (zb - za) * t});
  }
  if (points.size() < 2) return {};
  return points;
}

}  // namespace tarnvel
