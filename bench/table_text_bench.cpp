// Million-row tables, made by today's table loop and by the previous one
// (bench/previous_*.cpp) in the same run, so that the two are compared on
// one machine under one load.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <string>
#include <variant>

#include "core/element/continuous_computation.h"
#include "core/text/angle.h"
#include "core/text/number_text.h"
#include "previous_number_text.h"

namespace tarnvel {
namespace {

// The element the window opens with, stepped over its whole 360 m so that
// it gives a million rows, with the window's initial offset and skew.
const TableFields kDefaultElementTable{
    {"7586.707", "7946.707", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"},
    "7586.707",
    "7946.707",
    "0.00036",
    "0",
    "90"};

// A million rows along a 10 km spiral, the longest table the window takes.
const TableFields kSpiralTable{
    {"0", "10000", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"},
    "0",
    "9999.99",
    "0.01",
    "2.5",
    "90"};

using Compute = Outcome<std::string> (*)(const TableFields&);

// CPU time of the whole process, every thread, in seconds.
double ProcessSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_MillionRowTable(benchmark::State& state, Compute compute, const TableFields& fields) {
  size_t bytes = 0;
  double rows = 0;
  double process_seconds = 0;
  for (auto _ : state) {
    const double before = ProcessSeconds();
    const auto outcome = compute(fields);
    const std::string& text = std::get<std::string>(outcome);
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
    process_seconds += ProcessSeconds() - before;
    state.PauseTiming();
    rows = static_cast<double>(std::count(text.begin(), text.end(), '\n') - 1);
    state.ResumeTiming();
  }
  state.counters["rows/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * rows,
                                                benchmark::Counter::kIsRate);
  state.counters["rows"] = rows;
  // Both threads' work: on a machine with a free second core the wall time
  // of two threads approaches half of it.
  state.counters["process CPU ms"] =
      1e3 * process_seconds / static_cast<double>(state.iterations());
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

Outcome<std::string> OneThread(const TableFields& f) {
  return ComputeTable(f, TableThreads::One);
}
Outcome<std::string> TwoThreads(const TableFields& f) {
  return ComputeTable(f, TableThreads::Two);
}

BENCHMARK_CAPTURE(BM_MillionRowTable, default_element_previous, previous::ComputeTable,
                  kDefaultElementTable)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_MillionRowTable, default_element_one_thread, OneThread, kDefaultElementTable)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_MillionRowTable, default_element_two_threads, TwoThreads, kDefaultElementTable)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_MillionRowTable, spiral_10km_previous, previous::ComputeTable, kSpiralTable)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_MillionRowTable, spiral_10km_one_thread, OneThread, kSpiralTable)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_MillionRowTable, spiral_10km_two_threads, TwoThreads, kSpiralTable)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The texts of one row alone, without the geometry: station, X, Y and
// azimuth along the default element.
struct RowWriters {
  char* (*general)(char*, double);
  char* (*fixed)(char*, double, int);
  char* (*dms)(char*, double);
};

void BM_RowTexts(benchmark::State& state, RowWriters w) {
  char row[4 * kNumberTextRoom];
  double K = 7586.707;
  size_t bytes = 0;
  for (auto _ : state) {
    char* out = w.general(row, K);
    out = w.fixed(out, 3378605.445 - (K - 7586.707) * 0.17, 3);
    out = w.fixed(out, 453648.704 + (K - 7586.707) * 0.98, 3);
    out = w.dms(out, 98.948783 + (K - 7586.707) * 0.0047);
    bytes += static_cast<size_t>(out - row);
    benchmark::DoNotOptimize(row);
    K = K < 7946 ? K + 0.00036 : 7586.707;
  }
  state.SetItemsProcessed(state.iterations());
  benchmark::DoNotOptimize(bytes);
}
BENCHMARK_CAPTURE(BM_RowTexts, previous,
                  RowWriters{previous::WriteGeneralText, previous::WriteFixedText,
                             previous::WriteDmsText});
BENCHMARK_CAPTURE(BM_RowTexts, today, RowWriters{WriteGeneralText, WriteFixedText, WriteDmsText});

}  // namespace
}  // namespace tarnvel
