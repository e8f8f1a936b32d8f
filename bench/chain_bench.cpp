// Routes of many 断链, beside the code they replaced. Checking the joints
// against as many declared 断链 (searched by station, not each joint held
// to every declaration), naming the rows of a range across 长链 (each row's
// stretch found by a search, not by looking through every stretch) and
// walking its stations with key points (the route's key points made once,
// not once a branch): each at most a few times the cost on a route without
// any, per joint or row, and not growing with their number.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "core/route/point_names.h"
#include "core/route/route.h"
#include "core/route/route_joints.h"
#include "core/route/stakeout_stations.h"
#include "previous_point_names.h"
#include "previous_route_joints.h"
#include "previous_stakeout_stations.h"

namespace tarnvel {
namespace {

// `count` straights of 10 m running north, each starting `jump` from the
// last one's end station: −5 a 长链 at every joint, 0 none.
Route Chained(int count, double jump) {
  std::vector<RouteElement> elements;
  double K = 0;
  for (int i = 0; i < count; ++i) {
    elements.push_back({{K, K + 10, 1000.0 + 10 * i, 2000, 0, 0, 0, 0}, ""});
    K += 10 + jump;
  }
  return std::get<Route>(MakeRoute(std::move(elements)));
}

// The joints of `count` straights, each joint a jump of `jump` declared
// where it is (or nothing declared), checked.
template <auto Check>
void CheckChains(benchmark::State& state, double jump, bool declared) {
  Route route = Chained(static_cast<int>(state.range(0)), jump);
  if (declared)
    for (size_t i = 0; i + 1 < route.loaded.size(); ++i)
      route.equations.push_back({route.loaded[i].K1, route.loaded[i + 1].K0});
  for (auto _ : state) benchmark::DoNotOptimize(Check(route, JointTolerances{}));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

template <auto Check>
void BM_CheckDeclaredShortChains(benchmark::State& state) {
  CheckChains<Check>(state, 1, true);
}
template <auto Check>
void BM_CheckDeclaredLongChains(benchmark::State& state) {
  CheckChains<Check>(state, -5, true);
}
void BM_CheckUndeclaredShortChains(benchmark::State& state) {
  CheckChains<CheckJoints>(state, 1, false);
}
BENCHMARK(BM_CheckDeclaredShortChains<CheckJoints>)
    ->Name("BM_CheckDeclaredShortChains")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDeclaredShortChains<previous::CheckJoints>)
    ->Name("BM_CheckDeclaredShortChains_previous")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDeclaredLongChains<CheckJoints>)
    ->Name("BM_CheckDeclaredLongChains")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckDeclaredLongChains<previous::CheckJoints>)
    ->Name("BM_CheckDeclaredLongChains_previous")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckUndeclaredShortChains)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Three rows an element, as a 3.4483 m step gives, in route order.
template <class Names>
void NameRows(benchmark::State& state, double jump) {
  const Route route = Chained(static_cast<int>(state.range(0)), jump);
  int64_t rows = 0;
  for (auto _ : state) {
    Names names(route, "K");
    RoutePoint point;
    for (const LineElement& e : route.loaded)
      for (double K = e.K0; K < e.K1; K += 3.4483) {
        point.station = K;
        benchmark::DoNotOptimize(names.Name(point));
        ++rows;
      }
  }
  state.SetItemsProcessed(rows);
}

template <class Names>
void BM_NameRowsAcrossLongChains(benchmark::State& state) {
  NameRows<Names>(state, -5);
}
BENCHMARK(BM_NameRowsAcrossLongChains<RangePointNames>)
    ->Name("BM_NameRowsAcrossLongChains")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NameRowsAcrossLongChains<previous::RangePointNames>)
    ->Name("BM_NameRowsAcrossLongChains_previous")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);

// The same rows on a route without a 断链.
void BM_NameRowsWithoutChains(benchmark::State& state) {
  NameRows<RangePointNames>(state, 0);
}
BENCHMARK(BM_NameRowsWithoutChains)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The stations of a range over the whole route with key points, a station
// every 5 m, as forward --key-points walks them.
template <class Walk>
void WalkStations(benchmark::State& state, double jump, Walk walk) {
  const Route route = Chained(static_cast<int>(state.range(0)), jump);
  // From the first branch to the last, which alone holds the route's end.
  const StakeoutRange range{RouteStart(route), RouteEnd(route), 5, true};
  int64_t stations = 0;
  for (auto _ : state) walk(route, range, stations);
  state.SetItemsProcessed(stations);
}

void BM_WalkKeyPointsAcrossLongChains(benchmark::State& state) {
  WalkStations(state, -5, [](const Route& route, const StakeoutRange& range, int64_t& stations) {
    ForEachRangeStation(route, range, [&](double, const RouteBranch&, std::string_view) {
      ++stations;
      return true;
    });
  });
}
void BM_WalkKeyPointsAcrossLongChains_previous(benchmark::State& state) {
  WalkStations(state, -5, [](const Route& route, const StakeoutRange& range, int64_t& stations) {
    previous::ForEachRangeStation(route, range, [&](double, const RouteBranch&) {
      ++stations;
      return true;
    });
  });
}
void BM_WalkKeyPointsWithoutChains(benchmark::State& state) {
  WalkStations(state, 0, [](const Route& route, const StakeoutRange& range, int64_t& stations) {
    ForEachRangeStation(route, range, [&](double, const RouteBranch&, std::string_view) {
      ++stations;
      return true;
    });
  });
}
BENCHMARK(BM_WalkKeyPointsAcrossLongChains)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkKeyPointsAcrossLongChains_previous)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkKeyPointsWithoutChains)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
