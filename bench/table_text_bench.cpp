#include <benchmark/benchmark.h>

#include <string>
#include <variant>

#include "continuous_computation.h"

namespace tarnvel {
namespace {

// A million rows along a 10 km spiral, the longest table the window takes.
void BM_MillionRowTable(benchmark::State& state) {
  const TableFields fields{
      {"0", "10000", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"},
      "0", "9999.99", "0.01", "2.5", "90"};
  size_t bytes = 0;
  for (auto _ : state) {
    const auto outcome = ComputeTable(fields);
    bytes = std::get<std::string>(outcome).size();
    benchmark::DoNotOptimize(bytes);
  }
  state.SetItemsProcessed(state.iterations() * 1'000'000);
  state.counters["rows/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * 1'000'000,
                         benchmark::Counter::kIsRate);
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_MillionRowTable)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
