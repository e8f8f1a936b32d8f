// The route inverse and the stakeout rows as the programs run them, after
// their own Qt set-up, beside the same loops in the state a clean process
// starts in. The set-up leaves the upper halves of the vector registers in
// use (vector_state.h); today's computations clear them on entry and should
// take at most 1.1 times the clean time. The inverse that found the elements
// down the box tree, kept unchanged in reference/, clears nothing: its two
// times show what the programs paid before.
//
// Each benchmark takes the state as its argument: 0 clean, 1 after the
// route command's own parsing of its command line. The counter `in_use` is
// 1 where the upper halves were in use as the timed loop began.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QStringList>
#include <vector>

#include "app/route_command/command_line.h"
#include "core/cpu/vector_state.h"
#include "core/route/point_names.h"
#include "core/route/position_tolerance.h"
#include "core/route/route_feet.h"
#include "core/route/route_forward.h"
#include "core/stakeout/stakeout_builder.h"
#include "generated_road.h"
#include "previous_route.h"

namespace tarnvel {
namespace {

const Route& Road() {
  static const Route road = GeneratedRoute(500);
  return road;
}

// The state the loop begins in: as a clean process has it, or as
// tarnvel-route has it once it has read its command line.
void EnterState(benchmark::State& state) {
  if (state.range(0) == 0) {
    ClearUpperVectorState();
  } else {
    benchmark::DoNotOptimize(ParseRouteCommandLine(
        {QStringLiteral("inverse"), QStringLiteral("road.csv"), QStringLiteral("points.csv")}));
  }
  state.counters["in_use"] = UpperVectorStateInUse() ? 1 : 0;
}

// As tarnvel-route inverse searches: to 100 m, a foot up to the position
// tolerance past either end taken at that end.
std::vector<RouteFoot> TodaysRouteFeet(const Route& route, Point p, double maxOffset) {
  return RouteFeet(route, p, maxOffset, kPositionTolerance);
}

template <auto Feet>
void BM_FeetInState(benchmark::State& state) {
  const Route& route = Road();
  static const std::vector<Point> points = PointsNear(route, 50);
  EnterState(state);
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(Feet(route, points[i], 100));
    i = (i + 1) % points.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FeetInState<TodaysRouteFeet>)->Name("BM_RouteFeetInState")->Arg(0)->Arg(1);
BENCHMARK(BM_FeetInState<previous::tree::RouteFeet>)
    ->Name("BM_RouteFeetInState_tree")
    ->Arg(0)
    ->Arg(1);

// Rows every metre along the first 5 km, 2 m right.
RouteTableRequest FirstFiveKilometres(const Route& route) {
  RouteTableRequest request;
  request.from = RouteStart(route);
  request.to = request.from + 5000;
  request.step = 1;
  request.offsets = {2};
  return request;
}

// The forward row loop.
void BM_RouteRowsInState(benchmark::State& state) {
  const Route& route = Road();
  const RouteTableRequest request = FirstFiveKilometres(route);
  EnterState(state);
  int64_t rows = 0;
  for (auto _ : state) {
    ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
      benchmark::DoNotOptimize(point);
      ++rows;
      return true;
    });
  }
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_RouteRowsInState)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same rows named by station and side, as forward's own loop made them
// before the stakeout builder: beside BM_StakeoutRowsInState, what the
// builder costs a row.
void BM_NamedRowsInState_previous(benchmark::State& state) {
  const Route& route = Road();
  const RouteTableRequest request = FirstFiveKilometres(route);
  EnterState(state);
  int64_t rows = 0;
  for (auto _ : state) {
    RangePointNames names(route, "K");
    ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
      if (!IsFinitePoint(point)) return false;
      StakeRow row{names.Name(point), std::move(point)};
      benchmark::DoNotOptimize(row);
      ++rows;
      return true;
    });
  }
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_NamedRowsInState_previous)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_StakeoutRowsInState(benchmark::State& state) {
  const Route& route = Road();
  StakeoutRequest request;
  request.range = RangeOf(FirstFiveKilometres(route));
  request.offsets = {2};
  EnterState(state);
  int64_t rows = 0;
  for (auto _ : state) {
    BuildStakeout(route, request, [&](StakeRow&& row) {
      benchmark::DoNotOptimize(row);
      ++rows;
      return true;
    });
  }
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_StakeoutRowsInState)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // as tarnvel-route has one while it parses
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
