#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "core/element/centre_line.h"
#include "core/element/line_element.h"
#include "core/text/angle.h"

namespace tarnvel {
namespace {

// The forward point as it was before the element's constants were worked
// out once per table, kept to measure against in the same run and to check
// that the new form gives the same bits.
namespace before {

constexpr std::array<double, 4> kNodes = {0.0694318442, 0.3300094782, 0.6699905218, 0.9305681558};
constexpr std::array<double, 4> kWeights = {0.1739274226, 0.3260725774, 0.3260725774, 0.1739274226};
constexpr double kMaxPanelTurn = 0.25;
constexpr double kMaxSubPanels = 64;

// Not inlined, as the library's functions are not: inlined, the compiler
// would lift the element's divisions out of the table's loop by itself.
[[gnu::noinline]] Point CentreLinePoint(const LineElement& e, double K) {
  const double L = K - e.K0;
  const double LS = e.K1 - e.K0;
  const double c0 = 1 / e.RQ;
  const double E = (e.RQ - e.RN) / (2 * LS * e.RQ * e.RN);
  const double F_rad = e.F / (180 / kPi);
  auto heading = [&](double l) { return F_rad + e.Q * l * (c0 + E * l); };

  const double turn = std::fabs(e.Q * L * (c0 + E * L));
  if (!(turn > kMaxPanelTurn)) {
    std::array<double, 4> theta{};
    for (size_t i = 0; i < 4; ++i) theta[i] = heading(kNodes[i] * L);
    double cx = 0;
    double sy = 0;
    for (size_t i = 0; i < 4; ++i) {
      cx += kWeights[i] * std::cos(theta[i]);
      sy += kWeights[i] * std::sin(theta[i]);
    }
    return {cx * L + e.X0, sy * L + e.Y0};
  }
  const double largest_curvature =
      std::fabs(e.Q) * std::max(std::fabs(c0), std::fabs(c0 + 2 * E * L));
  const double panels =
      std::clamp(std::ceil(largest_curvature * std::fabs(L) / kMaxPanelTurn), 2.0, kMaxSubPanels);
  const double h = L / panels;
  double x = 0;
  double y = 0;
  for (double p = 0; p < panels; ++p) {
    const double start = p * h;
    double cx = 0;
    double sy = 0;
    for (size_t i = 0; i < 4; ++i) {
      const double theta = heading(start + kNodes[i] * h);
      cx += kWeights[i] * std::cos(theta);
      sy += kWeights[i] * std::sin(theta);
    }
    x += cx * h;
    y += sy * h;
  }
  return {x + e.X0, y + e.Y0};
}

[[gnu::noinline]] double QXFWJ(const LineElement& e, double K) {
  double RQ = e.RQ;
  double RN = e.RN;
  if (e.Q != 0) {
    RQ *= e.Q;
    RN *= e.Q;
  }
  const double distance = std::fabs(K - e.K0);
  const double cK = distance * (1 / RN - 1 / RQ) / std::fabs(e.K1 - e.K0) + 1 / RQ;
  return distance * ((1 / RQ + cK) * ((180 / kPi) / 2)) + e.F;
}

[[gnu::noinline]] ForwardResult ForwardPointDegrees(const LineElement& e, double K, double m,
                                                    double skewDegrees) {
  const double A = before::QXFWJ(e, K);
  const Point c = before::CentreLinePoint(e, K);
  if (m == 0) return {c, A};
  const double phi = skewDegrees + A;
  return {{CosDeg(phi) * m + c.X, SinDeg(phi) * m + c.Y}, A};
}

}  // namespace before

const ElementTexts kInitialElement = {"7586.707",  "7946.707", "3378605.445", "453648.704",
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

// The geometry of a million-row table, without its text, three ways in one
// run: as it was, through the LineElement form, and with the element's
// constants worked out once. Arguments: 0 the default element from K0 to K1,
// 1 the 10 km spiral of BM_MillionRowTable (offset 2.5, skew 90).
enum class Form { kBefore, kElement, kPrepared };

struct Table {
  LineElement element;
  double start, step, m, skew;
};

Table TableOf(int64_t which) {
  if (which == 0) return {SJ(kInitialElement), 7586.707, 360.0 / 1'000'000, 0, 90};
  return {SJ({"0", "10000", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"}), 0, 0.01,
          2.5, 90};
}

template <Form form>
void BM_MillionRowGeometry(benchmark::State& state) {
  const Table t = TableOf(state.range(0));
  const PreparedElement prepared = Prepare(t.element);
  constexpr int kRows = 1'000'000;
  // The same bits as before, or the figures mean nothing.
  if (form == Form::kPrepared) {
    double K = t.start;
    for (int i = 0; i < kRows; ++i, K += t.step) {
      const ForwardResult a = before::ForwardPointDegrees(t.element, K, t.m, t.skew);
      const ForwardResult b = ForwardPointDegrees(prepared, K, t.m, t.skew);
      if (a.point.X != b.point.X || a.point.Y != b.point.Y || a.azimuth != b.azimuth) {
        state.SkipWithError("differs from the code before");
        return;
      }
    }
  }
  for (auto _ : state) {
    double K = t.start;
    double sum = 0;
    for (int i = 0; i < kRows; ++i, K += t.step) {
      ForwardResult r;
      if constexpr (form == Form::kBefore)
        r = before::ForwardPointDegrees(t.element, K, t.m, t.skew);
      else if constexpr (form == Form::kElement)
        r = ForwardPointDegrees(t.element, K, t.m, t.skew);
      else
        r = ForwardPointDegrees(prepared, K, t.m, t.skew);
      sum += r.point.X;
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["rows/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kRows,
                                                benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MillionRowGeometry<Form::kBefore>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MillionRowGeometry<Form::kElement>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MillionRowGeometry<Form::kPrepared>)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnvel
