// The stations of a stakeout range: where a range table puts its rows. The
// route window and `tarnvel-route forward` both ask here, so that a range
// gives the same stations wherever it is made.
#pragma once

#include <functional>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

#include "core/route/route.h"
#include "core/route/route_forward.h"

namespace tarnvel {

struct StakeoutRange {
  double from = 0, to = 0, step = 20;
  bool keyPoints = false;  // also every key-point station within the range
  double curveStep = 0;    // > 0: also its whole multiples on arcs and spirals
  // The position tolerance (m): `to` this far past either end of the route
  // is taken as that end, for an end typed to the millimetre; key points
  // this close are staked once.
  double positionTolerance = 0;
  // Which pass of the route over `from` and `to`: across a 长链 a station of
  // the stretch it repeats is on the first branch, or on the second with 2.
  int fromPass = 1, toPass = 1;
};

// The stations a table request asks for.
StakeoutRange RangeOf(const RouteTableRequest& request);

// Why the range gives no table: it leaves RouteStart–RouteEnd, or the step
// is 0, not finite, of the wrong sign for the range or too small to move the
// station, or the curve step is not a positive number, or either is so small
// that the range holds more than 10,000,000 stations, or more multiples than
// a double counts one by one (past 2^53, or overflowing). The route's ends are
// written to the millimetre, as the tables write stations. A pass of `from`
// or `to` beyond the branches that hold it is refused too.
std::optional<StationRefusal> RangeRefusal(const Route& route, const StakeoutRange& range);

// How many stations of the range give rows, key points included (one in a
// 短链 gap gives none): what a table's size is judged by before it is made,
// so that a table of exactly a cap's rows is let through. Exact for a range
// RangeRefusal accepts, counted by walking it, which stops once the count
// passes `atMost`. For a range it refuses, at most how many: infinite for a
// step of 0 across the range, 0 when the step runs away from the end or is
// not a number.
double RangeStationCount(const Route& route, const StakeoutRange& range,
                         double atMost = std::numeric_limits<double>::infinity());

// Elements `first` to `last` (0-based) of a route: a stretch along which
// stations never run back, ended by a 长链 or by the route's end.
struct RouteBranch {
  int first = 0, last = 0;
};

// The branches in route order: one for a route without a 长链.
std::vector<RouteBranch> Branches(const Route& route);

// Hands each station of a range that RangeRefusal accepts to `station`, with
// the branch whose elements give its rows and, at a key point, its label,
// in the table's order; `station` returning false ends the walk. A range
// gives its start, every whole multiple of the step strictly between
// (整桩), and its end; with key points, their stations, those within the
// position tolerance of one another (sub-millimetre elements between them)
// staked once at the first, their labels joined ("YZ/ZH"); with a curve
// step, its whole multiples within each arc and spiral. A negative step runs from a higher
// start down. Stations within 1e-6 m of each other are one: a key point's
// own station before the range's ends, those before a multiple. `to` within
// the end tolerance past an end of the route is that end. Across a 长链 the
// stations come in route order, branch by branch, from the start's branch
// to the end's (back, for a descending range), each branch with its own
// ends: the 断链 point comes twice, as one branch's end and the next's start.
// A start or end that two branches hold is on the first of them, unless its
// pass names the second.
void ForEachRangeStation(
    const Route& route, const StakeoutRange& range,
    const std::function<bool(double, const RouteBranch&, std::string_view label)>& station);

}  // namespace tarnvel
