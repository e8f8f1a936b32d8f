// A route's speed goals, on a generated road of straights, spirals and arcs:
// forward at least 2 M points/s, the inverse of points within 50 m of the
// route at least 500 k points/s and at most 1.2 times the time a point from
// 200 to 10,000 elements, and checking the joints of 10,000 elements well
// under 50 ms. The inverse on a long tight spiral is timed beside the one
// that integrated the line from K0 at every Newton step.
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <vector>

#include "core/route/route.h"
#include "core/route/route_feet.h"
#include "core/route/route_forward.h"
#include "core/route/route_joints.h"
#include "generated_road.h"
#include "previous_route.h"

namespace tarnvel {
namespace {

const Route& Road() {
  static const Route road = GeneratedRoute(500);
  return road;
}

// Today's RouteForward and the previous one, which converted the skew
// through text at every call.
template <auto Forward>
void BM_RouteForward(benchmark::State& state) {
  const Route& route = Road();
  const double start = RouteStart(route);
  const double length = RouteEnd(route) - start;
  double K = start;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Forward(route, K, 5, 75.3015));
    K += 7.37;
    if (K > start + length) K -= length;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RouteForward<RouteForward>)->Name("BM_RouteForward");
BENCHMARK(BM_RouteForward<previous::RouteForward>)->Name("BM_RouteForward_previous");

// Rows of a table along the whole road, a row a metre.
void BM_RouteTable(benchmark::State& state) {
  const Route& route = Road();
  int64_t rows = 0;
  for (auto _ : state) {
    const auto table = RouteTable(route, {RouteStart(route), RouteEnd(route), 1, {0}, 90, true});
    rows += static_cast<int64_t>(std::get<std::vector<RoutePoint>>(table).size());
    benchmark::DoNotOptimize(table);
  }
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_RouteTable)->Unit(benchmark::kMillisecond);

// Today's inverse as the commands and the window ask it: with the feet a
// hair past the route's ends that the position tolerance takes.
std::vector<RouteFoot> TodaysRouteFeet(const Route& route, Point p, double maxOffset) {
  return RouteFeet(route, p, maxOffset, kPositionTolerance);
}

// The grid inverse that computed the points at an element's ends afresh.
std::vector<RouteFoot> GridRouteFeet(const Route& route, Point p, double maxOffset) {
  return previous::grid::RouteFeet(route, p, maxOffset, kPositionTolerance);
}

template <auto Feet>
void TimeFeet(benchmark::State& state, const Route& route, double reach,
              size_t elements = SIZE_MAX) {
  const std::vector<Point> points = PointsNear(route, reach, elements);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Feet(route, points[i], 100));
    i = (i + 1) % points.size();
  }
  state.SetItemsProcessed(state.iterations());
}

// Points up to 50 m either side of the road, searched to the default 100 m;
// today's inverse, the one that found the elements near a point down the
// box tree, the one that refined every foot by integrating from K0, and the
// one before, which sampled every element in full.
template <auto Feet>
void BM_RouteFeet(benchmark::State& state) {
  TimeFeet<Feet>(state, Road(), 50);
}
BENCHMARK(BM_RouteFeet<TodaysRouteFeet>)->Name("BM_RouteFeet");
BENCHMARK(BM_RouteFeet<GridRouteFeet>)->Name("BM_RouteFeet_grid");
BENCHMARK(BM_RouteFeet<previous::tree::RouteFeet>)->Name("BM_RouteFeet_tree");
BENCHMARK(BM_RouteFeet<previous::stepped::RouteFeet>)->Name("BM_RouteFeet_stepped");
BENCHMARK(BM_RouteFeet<previous::RouteFeet>)->Name("BM_RouteFeet_previous");

// The generated road of `elements` elements, made once for every
// benchmark that times it.
const Route& RoadOf(int64_t elements) {
  static std::map<int64_t, Route> roads;
  auto [at, added] = roads.try_emplace(elements);
  if (added) at->second = GeneratedRoute(static_cast<int>(elements));
  return at->second;
}

// The same on roads of `elements` elements: the cost of a point should
// hardly grow with the road.
template <auto Feet>
void BM_RouteFeetOf(benchmark::State& state) {
  TimeFeet<Feet>(state, RoadOf(state.range(0)), 50);
}
BENCHMARK(BM_RouteFeetOf<TodaysRouteFeet>)->Name("BM_RouteFeetOf")->Arg(200)->Arg(10000);
BENCHMARK(BM_RouteFeetOf<GridRouteFeet>)->Name("BM_RouteFeetOf_grid")->Arg(200)->Arg(10000);
BENCHMARK(BM_RouteFeetOf<previous::tree::RouteFeet>)
    ->Name("BM_RouteFeetOf_tree")
    ->Arg(200)
    ->Arg(10000);
BENCHMARK(BM_RouteFeetOf<previous::stepped::RouteFeet>)
    ->Name("BM_RouteFeetOf_stepped")
    ->Arg(200)
    ->Arg(10000);
BENCHMARK(BM_RouteFeetOf<previous::RouteFeet>)
    ->Name("BM_RouteFeetOf_previous")
    ->Arg(200)
    ->Arg(10000);

// The points of BM_RouteFeetOf/200 on both roads: the generator makes every
// road alike up to its 200th element, so this is the search's own growth
// with the road, without the memory that points spread over 1,900 km of
// road reach.
template <auto Feet>
void BM_RouteFeetAlongFirst200(benchmark::State& state) {
  TimeFeet<Feet>(state, RoadOf(state.range(0)), 50, 200);
}
BENCHMARK(BM_RouteFeetAlongFirst200<TodaysRouteFeet>)
    ->Name("BM_RouteFeetAlongFirst200")
    ->Arg(200)
    ->Arg(10000);
BENCHMARK(BM_RouteFeetAlongFirst200<previous::tree::RouteFeet>)
    ->Name("BM_RouteFeetAlongFirst200_tree")
    ->Arg(200)
    ->Arg(10000);

// A long tight spiral: R 17.134 to a straight over 566.657 m, some 2.6
// turns, points up to 10 m either side; today's inverse, the one that
// refined every foot by integrating from K0, and the one before that. The
// argument scales the spiral and the reach alike: the turn stays 16.5 rad
// while the length grows, so a search bounded by the turn costs the same
// at every scale.
template <auto Feet>
void BM_TightSpiralFeet(benchmark::State& state) {
  static std::map<int64_t, Route> spirals;
  const auto scale = static_cast<double>(state.range(0));
  auto [at, added] = spirals.try_emplace(state.range(0));
  if (added)
    at->second = std::get<Route>(MakeRoute(
        {{{1000, 1000 + 566.657 * scale, 3378605.445, 453648.704, 98.5655, 17.134 * scale, 0, 1},
          ""}}));
  TimeFeet<Feet>(state, at->second, 10 * scale);
}
BENCHMARK(BM_TightSpiralFeet<TodaysRouteFeet>)
    ->Name("BM_TightSpiralFeet")
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TightSpiralFeet<previous::stepped::RouteFeet>)
    ->Name("BM_TightSpiralFeet_stepped")
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TightSpiralFeet<previous::RouteFeet>)
    ->Name("BM_TightSpiralFeet_previous")
    ->Arg(1)
    ->Arg(4)
    ->Arg(16)
    ->Unit(benchmark::kMicrosecond);

// Making the route (every element checked, its box and ends) and checking
// its joints, from the values a table file gives.
void BM_CheckJoints10000(benchmark::State& state) {
  const std::vector<RouteElement> elements = GeneratedRoute(10000).elements;
  for (auto _ : state) {
    const auto route = MakeRoute(elements);
    benchmark::DoNotOptimize(CheckJoints(std::get<Route>(route)));
  }
}
BENCHMARK(BM_CheckJoints10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
