// A million-row stakeout's CSV rows in plan alone, and with the design
// elevation of every row taken across cross sections at its own offset: the
// sections and the profile together may cost at most half again the plan's
// time. The road is one long straight, the cheapest row there is, so the
// share the heights take is as large as it gets; the rows are four offsets
// at each lane's and shoulder's edge, every one on the surface.
#include <benchmark/benchmark.h>

#include <string>
#include <variant>
#include <vector>

#include "core/profile/vertical_profile.h"
#include "core/route/route.h"
#include "core/route/route_forward.h"
#include "core/section/cross_section.h"
#include "core/section/design_height.h"
#include "core/text/number_text.h"
#include "io/route/route_csv.h"

namespace tarnvel {
namespace {

constexpr double kLength = 1'000'000;
constexpr double kStep = 4;  // four rows a station: a million rows

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

// A listed station every 50 m, turning between a normal crown and a 超高 of
// +4/−4 with a 0.5 m 加宽, so that every row lies in a transition.
const CrossSectionTable& Sections() {
  static const CrossSectionTable table = [] {
    CrossSectionTable t{{"行车道", "土路肩"}, {"行车道", "土路肩"}, false, {}};
    for (int k = 0; k <= kLength / 50; ++k) {
      const bool super = k % 2 != 0;
      t.stations.push_back({k * 50.0,
                            {{3.75, super ? 4.0 : -2.0}, {0.75, -4}},
                            {{super ? 4.25 : 3.75, super ? -4.0 : -2.0}, {0.75, -4}},
                            0});
    }
    return t;
  }();
  return table;
}

void BM_SectionStakeoutRows(benchmark::State& state) {
  const bool withHeights = state.range(0) != 0;
  const Route& route = Road();
  const VerticalProfile& profile = Profile();
  const CrossSectionTable& sections = Sections();
  RouteTableRequest request;
  request.from = 0;
  request.to = kLength - kStep;
  request.step = kStep;
  request.offsets = {-4.5, -3.75, 3.5, 4.0};
  std::string text;
  int64_t rows = 0;
  for (auto _ : state) {
    DesignHeights heights(profile, &sections);
    ForEachRouteTableRow(route, request, [&](RoutePoint&& point) {
      text.clear();
      const double station = point.station;
      const double offset = point.offset;
      AppendForwardCsvRow(text, {"1", std::move(point)});
      if (withHeights) {
        char cell[kNumberTextRoom];
        const DesignHeight at = heights.At(station, offset);
        text += ',';
        if (at.elevation) text.append(cell, WriteFixedText(cell, *at.elevation, 3));
      }
      benchmark::DoNotOptimize(text.data());
      ++rows;
      return true;
    });
  }
  state.SetItemsProcessed(rows);
}
BENCHMARK(BM_SectionStakeoutRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
