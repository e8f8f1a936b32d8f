// A million-row stakeout's CSV rows, without and with the design elevation
// from a vertical profile: the profile may add at most a tenth to the rows'
// cost. The road is one long straight, the cheapest row there is, so the
// share the profile takes is as large as it gets.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_forward.h"
#include "core/section/design_height.h"
#include "core/section/row_height.h"
#include "io/route/route_csv.h"

namespace tarnvel {
namespace {

constexpr double kLength = 1'000'000;

const Route& Road() {
  static const Route road =
      std::get<Route>(MakeRoute({{{0, kLength, 3378605.445, 453648.704, 60, 0, 0, 0}, "直线"}}));
  return road;
}

// A PVI every kilometre, grades of ±2% and crests and sags of R 20000.
const VerticalProfile& Profile() {
  static const VerticalProfile profile = [] {
    std::vector<Pvi> pvis;
    for (int k = 0; k <= kLength / 1000; ++k)
      pvis.push_back({"BPD" + std::to_string(k), k * 1000.0, k % 2 ? 120.0 : 100.0,
                      k == 0 || k == kLength / 1000 ? 0 : 20000.0});
    return std::get<VerticalProfile>(MakeVerticalProfile(std::move(pvis)));
  }();
  return profile;
}

void BM_StakeoutRows(benchmark::State& state) {
  const bool withProfile = state.range(0) != 0;
  const Route& route = Road();
  const VerticalProfile& profile = Profile();
  RouteTableRequest request;
  request.from = 0;
  request.to = kLength;
  request.step = 1;
  std::string text;
  int64_t rows = 0;
  for (auto _ : state) {
    DesignHeights heights(profile, nullptr, 0.002);
    ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
      text.clear();
      StakeRow row{"1", std::move(point)};
      if (withProfile) row.designElevation = RowDesignHeight(heights, route, row.point).elevation;
      AppendForwardCsvRow(text, row, "K", withProfile);
      benchmark::DoNotOptimize(text.data());
      ++rows;
      return true;
    });
  }
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_StakeoutRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
