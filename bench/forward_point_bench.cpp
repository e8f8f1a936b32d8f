#include <benchmark/benchmark.h>

#include "centre_line.h"
#include "line_element.h"

namespace tarnvel {
namespace {

const ElementTexts kInitialElement = {"7586.707", "7946.707", "3378605.445", "453648.704",
                                      "98.565562", "0",        "4500",        "1"};

void BM_ForwardPoint(benchmark::State& state) {
  const LineElement element = SJ(kInitialElement);
  double K = 7600;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ForwardPoint(element, K, 5, 90));
    K = K < 7900 ? K + 0.37 : 7600;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ForwardPoint);

// A loop of radius 50 turning 6 rad: the sub-panel path.
void BM_ForwardPointSharpLoop(benchmark::State& state) {
  const LineElement element{0, 300, 0, 0, 30, 50, 50, 1};
  for (auto _ : state) benchmark::DoNotOptimize(ForwardPoint(element, 300, 5, 90));
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ForwardPointSharpLoop);

}  // namespace
}  // namespace tarnvel
