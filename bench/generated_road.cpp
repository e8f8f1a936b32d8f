#include "generated_road.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <vector>

#include "core/element/centre_line.h"
#include "core/route/route_forward.h"
#include "core/text/angle.h"

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

}  // namespace

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
    const LineElement e{v.K0,
                        v.K1,
                        v.X0,
                        v.Y0,
                        DmsToDegrees(v.F),
                        RQ == 0 ? kInfiniteRadius : RQ,
                        RN == 0 ? kInfiniteRadius : RN,
                        Q};
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

std::vector<Point> PointsNear(const Route& route, double reach, size_t elements) {
  const double end = route.loaded[std::min(elements, route.loaded.size()) - 1].K1;
  std::mt19937 random(7);
  std::vector<Point> points;
  for (int i = 0; i < 4096; ++i) {
    const double K = std::uniform_real_distribution(RouteStart(route), end)(random);
    const double m = std::uniform_real_distribution(-reach, reach)(random);
    points.push_back(
        std::get<std::vector<RoutePoint>>(RouteForward(route, K, m, 90)).front().result.point);
  }
  return points;
}

}  // namespace tarnvel
