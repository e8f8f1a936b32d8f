// The ground (原地面) as the 横断面地面线 surveys it: at stations along the
// route, the ground's elevation at offsets across it, each line a polyline
// of offset and elevation. Between two points of a line the ground is the
// straight line joining them; nothing is extended beyond a line's ends,
// nor before the first surveyed station or after the last.
#pragma once

#include <cstddef>
#include <optional>
#include <variant>
#include <vector>

#include "core/route/route_position.h"

namespace tarnvel {

struct GroundPoint {
  double offset = 0;  // left negative
  double elevation = 0;
};

// One surveyed station, its offsets increasing strictly.
struct GroundLine {
  double station = 0;
  int pass = 1;         // which pass of the route over the station (SplitStationPass)
  double position = 0;  // along the route (RoutePositions), set by MakeGroundLines
  std::vector<GroundPoint> points;
};

// The lines in route order, their positions increasing strictly. Made only
// by MakeGroundLines, so that every reader holds the same rules.
struct GroundLines {
  std::vector<GroundLine> lines;
};

// What is wrong with the lines as given: `line` is the index of the line,
// `point` of its point where a point is at fault.
struct GroundFault {
  enum class Kind {
    StationNotIncreasing,  // not past the line before it, in route order
    NoSuchPass,            // a pass the route does not make over the station
    OffsetNotIncreasing,   // `point`'s offset not greater than the one before it
    TooFewPoints,          // fewer than two points
  };
  Kind kind = Kind::TooFewPoints;
  std::size_t line = 0;
  std::size_t point = 0;
};

// The lines placed along the route and checked, line by line in order: its
// station past the one before in route order, then its offsets, then its
// count of points.
std::variant<GroundFault, GroundLines> MakeGroundLines(std::vector<GroundLine> lines,
                                                       const RoutePositions& positions);

// The ground across the route at `position`: a surveyed line's points at
// its own position (within the position tolerance); between two lines, at
// every offset that either line has a point at and both reach, the two
// lines' elevations there interpolated linearly by position. Empty where
// there is no ground: before the first line, after the last, or where the
// two lines share no offsets.
std::vector<GroundPoint> GroundAt(const GroundLines& ground, double position);

// The elevation of a polyline of increasing offsets at `offset`: nothing
// beyond its first or last point.
std::optional<double> ElevationOn(const std::vector<GroundPoint>& points, double offset);

}  // namespace tarnvel
