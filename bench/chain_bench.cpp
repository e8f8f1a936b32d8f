// Routes of many 断链, beside the code they replaced: naming the rows of a
// range across 长链 (each row's stretch found by a search, not by looking
// through every stretch), at most a few times the cost of a route without
// any, and not growing with their number.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "point_names.h"
#include "previous_point_names.h"
#include "route.h"

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

}  // namespace
}  // namespace tarnvel
