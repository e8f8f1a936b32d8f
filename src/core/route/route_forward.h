// Stations, offsets and skews anywhere along a route, and tables of them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/element/centre_line.h"
#include "core/route/point_label.h"
#include "core/route/route.h"

namespace tarnvel {

// A window holds a million of these: the two ints share one 8-byte slot
// and the label is a pointer, so that a point takes 64 bytes.
struct RoutePoint {
  int element = 0;  // 1-based
  // Which time the route passes this station, in route order: 2 on the
  // second branch of a 长链, within the stretch that the 长链 repeats.
  int pass = 1;
  double station = 0;
  double offset = 0;
  double skewDms = 90;
  ForwardResult result;  // as ForwardPoint gives it on that element
  PointLabel label;      // key-point label at this station, or ""
};

// True when the point and its tangent are finite numbers.
bool IsFinitePoint(const RoutePoint& point);

// The 说明 of a row: its key-point label, and on a 长链's later branch,
// within the stretch it repeats, "长链第2支" (the pass), after a "；".
std::string RowNote(const RoutePoint& point);

// Why a station has no point: it lies in a 短链 gap or outside the route.
// The message names the gap or the route's range, stations written in full
// (general decimal form) so that one a hair outside never reads as inside.
struct StationRefusal {
  std::string message;
};

// The element(s) that hold station K: at a joint the element that starts
// there; the last element holds its own end; in a 长链 every element holding
// K, in route order. Empty in a gap or outside the route.
std::vector<int> ElementsAt(const Route& route, double K);  // 0-based indices

// One result per element holding K.
std::variant<StationRefusal, std::vector<RoutePoint>> RouteForward(const Route& route, double K,
                                                                   double offset, double skewDms);

struct RouteTableRequest {
  double from = 0, to = 0, step = 20;
  std::vector<double> offsets{0};  // one row per offset at each station
  double skewDms = 90;
  bool keyPoints = false;        // also every key-point station within [from, to]
  double curveStep = 0;          // > 0: also its whole multiples on arcs and spirals
  double positionTolerance = 0;  // m: `to` this close past an end of the route is that
                                 // end; key points this close are staked once
  int fromPass = 1, toPass = 1;  // which pass of the route over `from`, `to` (SplitStationPass)
};

// The rows at the stations of the range (stakeout_stations.h: which they are
// and which ranges are refused), each offset in turn. Stations in a 短链 gap
// are skipped; across a 长链 a station gives the rows of its branch only.
std::variant<StationRefusal, std::vector<RoutePoint>> RouteTable(const Route& route,
                                                                 const RouteTableRequest& request);

// The same rows handed to `row` one at a time as they are computed, so that
// no table is held whole; `row` returning false ends the table there.
// Nothing, or the refusal, which always comes before the first row.
std::optional<StationRefusal> ForEachRouteTableRow(const Route& route,
                                                   const RouteTableRequest& request,
                                                   const std::function<bool(RoutePoint&&)>& row);

}  // namespace tarnvel
