// A route's speed goals, on a generated road of straights, spirals and arcs:
// forward at least 2 M points/s, the inverse of points within 50 m of the
// route at least 300 k points/s, and checking the joints of 10,000 elements
// well under 50 ms.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "angle.h"
#include "route.h"
#include "route_feet.h"
#include "route_forward.h"
#include "route_joints.h"

namespace tarnvel {
namespace {

// d.mmss of an azimuth in decimal degrees, to 0.0001″.
double Dms(double degrees) {
  degrees = std::fmod(degrees + 360, 360);
  const double total = std::round(degrees * 3600 * 1e4) / 1e4;
  const double d = std::floor(total / 3600);
  const double m = std::floor((total - d * 3600) / 60);
  return d + m / 100 + (total - d * 3600 - m * 60) / 10000;
}

// Curves of both hands, each a straight, a spiral in, an arc and a spiral
// out, chained end to start, until `count` elements.
Route GeneratedRoute(int count) {
  std::mt19937 random(20261208);
  auto uniform = [&](double a, double b) { return std::uniform_real_distribution(a, b)(random); };
  std::vector<RouteElement> elements;
  double K = 10000;
  Point at{3378605.445, 453648.704};
  double azimuth = 98.9488;
  auto add = [&](double length, double RQ, double RN, double Q) {
    const ElementValues v{K, K + length, at.X, at.Y, Dms(azimuth), RQ, RN, Q};
    elements.push_back({v, ""});
    const LineElement e{v.K0, v.K1, v.X0, v.Y0, DmsToDegrees(v.F), RQ == 0 ? kInfiniteRadius : RQ,
                        RN == 0 ? kInfiniteRadius : RN, Q};
    const ForwardResult end = ForwardPoint(e, e.K1, 0, 90);
    at = end.point;
    azimuth = end.azimuth;
    K = e.K1;
  };
  while (static_cast<int>(elements.size()) < count) {
    const double R = uniform(250, 3000);
    const double Q = random() % 2 ? 1 : -1;
    const double spiral = uniform(60, 200);
    const std::array<std::array<double, 4>, 4> pieces = {{{uniform(50, 400), 0, 0, 0},
                                                          {spiral, 0, R, Q},
                                                          {uniform(40, 500), R, R, Q},
                                                          {spiral, R, 0, Q}}};
    for (const auto& p : pieces)
      if (static_cast<int>(elements.size()) < count) add(p[0], p[1], p[2], p[3]);
  }
  return std::get<Route>(MakeRoute(std::move(elements)));
}

const Route& Road() {
  static const Route road = GeneratedRoute(500);
  return road;
}

void BM_RouteForward(benchmark::State& state) {
  const Route& route = Road();
  const double start = RouteStart(route);
  const double length = RouteEnd(route) - start;
  double K = start;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RouteForward(route, K, 5, 90));
    K += 7.37;
    if (K > start + length) K -= length;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RouteForward);

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

// Points up to 50 m either side of the road, searched to the default 100 m.
void BM_RouteFeet(benchmark::State& state) {
  const Route& route = Road();
  std::mt19937 random(7);
  std::vector<Point> points;
  for (int i = 0; i < 4096; ++i) {
    const double K = std::uniform_real_distribution(RouteStart(route), RouteEnd(route))(random);
    const double m = std::uniform_real_distribution(-50.0, 50.0)(random);
    points.push_back(std::get<std::vector<RoutePoint>>(RouteForward(route, K, m, 90))
                         .front()
                         .result.point);
  }
  size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(RouteFeet(route, points[i]));
    i = (i + 1) % points.size();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RouteFeet);

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
